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

namespace handlerguard {

// Runs handler through guarded() with the signal's arguments when it takes them, else without.
// The choice is made here, outside the lambda handed to guarded(), where every compiler sees
// the arguments' types.
template <typename Handler, typename... Args>
void runWithArguments(const Handler &handler, Args &&...args)
{
    if constexpr (std::is_invocable_v<const Handler &, Args...>)
        guarded([&] { handler(std::forward<Args>(args)...); });
    else
        guarded([&] { handler(); });
}

} // namespace handlerguard

// Connects signal of sender to handler as QObject::connect does with context as the
// receiver, and runs handler through guarded(). handler takes the signal's arguments, or none.
template <typename Sender, typename Signal, typename Handler>
QMetaObject::Connection connectGuarded(const Sender *sender, Signal signal, const QObject *context,
                                       Handler handler)
{
    return QObject::connect(sender, signal, context, [handler = std::move(handler)](auto &&...args) {
        handlerguard::runWithArguments(handler, std::forward<decltype(args)>(args)...);
    });
}
