#include "Colors.h"
#include "Fonts.h"
#include "HandlerGuard.h"
#include "KartelloError.h"
#include "ScriptedDialogs.h"

#include <QFontInfo>
#include <gtest/gtest.h>

TEST(Colors, RedIsTheLowByte)
{
    struct Row { int value; int r, g, b; };
    const Row rows[] = {
        {16777215, 255, 255, 255}, {8388608, 0, 0, 128}, {65535, 255, 255, 0},
        {11395047, 231, 223, 173}, {0, 0, 0, 0},
    };
    for (const Row &row : rows) {
        const QColor c = colorFromInt(row.value);
        EXPECT_EQ(QColor(row.r, row.g, row.b), c) << row.value;
        EXPECT_EQ(row.value, colorToInt(c));
    }
}

TEST(Fonts, PointsBecomePixelsAt96PerInch)
{
    EXPECT_EQ(11, pointsToPixels(8));
    EXPECT_EQ(27, pointsToPixels(20));
    EXPECT_EQ(13, pointsToPixels(10));
    EXPECT_EQ(11, designFont(QStringLiteral("Tahoma"), 8).pixelSize());
}

TEST(Fonts, DesignedFacesHaveInstalledStandIns)
{
    const QFontInfo tahoma(designFont(QStringLiteral("Tahoma"), 8));
    EXPECT_EQ(QStringLiteral("Liberation Sans"), tahoma.family());
    const QFontInfo verdana(designFont(QStringLiteral("Verdana"), 8));
    EXPECT_EQ(QStringLiteral("DejaVu Sans"), verdana.family());
}

TEST(HandlerGuard, ReportsTheErrorTextAndKeepsEarlierSteps)
{
    ScriptedDialogs dialogs;
    int steps = 0;
    const bool ok = guarded([&] {
        ++steps;
        throw KartelloError::cannotOpen(QStringLiteral("/x/prefs.txt"));
        ++steps;
    });
    EXPECT_FALSE(ok);
    EXPECT_EQ(1, steps);
    EXPECT_EQ(QStringList{QStringLiteral("Cannot open file /x/prefs.txt")}, dialogs.texts("error"));
}

TEST(KartelloError, MessageTexts)
{
    EXPECT_EQ(QStringLiteral("List index out of bounds (7)"), KartelloError::indexOutOfBounds(7).text());
    EXPECT_EQ(QStringLiteral("'x1' is not a valid integer value"), KartelloError::notAnInteger("x1").text());
    EXPECT_EQ(QStringLiteral("Cannot create file /a/b"), KartelloError::cannotCreate("/a/b").text());
}
