#pragma once

#include "IdStack.h"

#include <memory>

// Base of every network component: holds a reference to the shared socket layer, so the layer
// runs from the first component's construction to the last one's destruction.
class TIdComponent
{
public:
    TIdComponent() : m_stack(TIdStack::acquire()) {}
    virtual ~TIdComponent() = default;
    TIdComponent(const TIdComponent &) = delete;
    TIdComponent &operator=(const TIdComponent &) = delete;

private:
    std::shared_ptr<TIdStack> m_stack;
};
