#pragma once

#include <QObject>
#include <QString>

#include <functional>
#include <type_traits>
#include <utility>

// Every event handler runs through guarded(): an error that leaves the handler is shown
// in a message box (the application's general error report) and the program goes on with
// whatever the handler did before the failing step. No exception crosses the event loop.
// Returns false when the handler ended with an error.
bool guarded(const std::function<void()> &handler);

// The text the general error report shows for the exception in flight.
QString currentErrorText();

// Connects signal of sender to handler as QObject::connect does with context as the
// receiver, and runs handler through guarded(). handler takes the signal's arguments, or none.
template <typename Sender, typename Signal, typename Handler>
QMetaObject::Connection connectGuarded(const Sender *sender, Signal signal, const QObject *context,
                                       Handler handler)
{
    return QObject::connect(sender, signal, context, [handler = std::move(handler)](auto &&...args) {
        guarded([&] {
            if constexpr (std::is_invocable_v<const Handler &, decltype(args)...>)
                handler(std::forward<decltype(args)>(args)...);
            else
                handler();
        });
    });
}
