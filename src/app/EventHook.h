#pragma once

#include <QEvent>
#include <QObject>
#include <functional>

// Runs a function for chosen events of one object (focus in and out, double clicks), the way
// a designer's OnEnter / OnExit / OnDblClick events are wired. The event goes on to the
// object afterwards. The hook is a child of the watched object.
class EventHook : public QObject
{
public:
    EventHook(QObject *watched, QEvent::Type type, std::function<void()> handler)
        : QObject(watched), m_type(type), m_handler(std::move(handler))
    {
        watched->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == m_type)
            m_handler();
        return false;
    }

private:
    QEvent::Type m_type;
    std::function<void()> m_handler;
};
