#pragma once

#include <QString>
#include <functional>

// Every event handler runs through guarded(): an error that leaves the handler is shown
// in a message box (the application's general error report) and the program goes on with
// whatever the handler did before the failing step. No exception crosses the event loop.
// Returns false when the handler ended with an error.
bool guarded(const std::function<void()> &handler);

// The text the general error report shows for the exception in flight.
QString currentErrorText();
