#include "Fonts.h"

#include <QGuiApplication>
#include <gtest/gtest.h>

// The main of tests that paint and measure text but build no widget: a QGuiApplication on the
// offscreen platform, so a QWidget made by mistake aborts the test.
int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    registerFontSubstitutes();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
