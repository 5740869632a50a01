#pragma once

#include <QEvent>
#include <QFocusEvent>
#include <QObject>
#include <functional>

// Runs a function for chosen events of one object (focus in and out, double clicks), so a
// feature can react to a control being entered, left or double-clicked without subclassing
// it. The event goes on to the object afterwards. The hook is a child of the watched object.
// Focus that only seems to move (a popup menu opening and closing over the control, the
// window losing and regaining activation) is no enter or exit: otherwise picking a popup
// item would be undone by the enter handler running again when the menu closes.
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
        if (event->type() != m_type)
            return false;
        if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut) {
            const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
            if (reason == Qt::PopupFocusReason || reason == Qt::ActiveWindowFocusReason)
                return false;
        }
        m_handler();
        return false;
    }

private:
    QEvent::Type m_type;
    std::function<void()> m_handler;
};
