#pragma once

#include "SocketLayer.h"

#include <memory>

// Base of every network component: holds a reference to the shared socket layer, so the layer
// runs from the first component's construction to the last one's destruction.
class NetworkComponent
{
public:
    NetworkComponent() : m_stack(SocketLayer::acquire()) {}
    virtual ~NetworkComponent() = default;
    NetworkComponent(const NetworkComponent &) = delete;
    NetworkComponent &operator=(const NetworkComponent &) = delete;

private:
    std::shared_ptr<SocketLayer> m_stack;
};
