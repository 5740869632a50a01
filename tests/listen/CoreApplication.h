#pragma once

#include <QCoreApplication>

// The event loop the socket tests run in: one QCoreApplication for the whole test program,
// made by the first test that needs it. No display is involved.
inline void ensureCoreApplication()
{
    static int argc = 1;
    static char name[] = "listen_tests";
    static char *argv[] = {name, nullptr};
    if (!QCoreApplication::instance())
        new QCoreApplication(argc, argv);
}
