#include "Colors.h"
#include "Fonts.h"
#include "HandlerGuard.h"
#include "KartelloError.h"
#include "ScriptedDialogs.h"

#include <QFontInfo>
#include <QFontMetrics>

#include <cmath>
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
    EXPECT_EQ(11, pixelSizedFont(QStringLiteral("Tahoma"), 8).pixelSize());
}

TEST(Fonts, WindowsFacesHaveInstalledStandIns)
{
    const QFontInfo tahoma(pixelSizedFont(QStringLiteral("Tahoma"), 8));
    EXPECT_EQ(QStringLiteral("Liberation Sans"), tahoma.family());
    const QFontInfo verdana(pixelSizedFont(QStringLiteral("Verdana"), 8));
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

TEST(Fonts, StandInTextSitsOnTheWindowsBaseline)
{
    // Tahoma's ascent is a full em: the first baseline of Tahoma text lies one pixel size
    // below the element's top, whichever face stands in for it.
    struct Row { const char *family; int points; };
    const Row rows[] = {{"Tahoma", 8}, {"Tahoma", 20}, {"Verdana", 12}};
    for (const Row &row : rows) {
        const QFont font = pixelSizedFont(QString::fromLatin1(row.family), row.points);
        const int ascent = QFontMetrics(font).ascent();
        const int expected = row.family == QByteArray("Verdana")
                                 ? static_cast<int>(std::lround(2059 * font.pixelSize() / 2048.0))
                                 : font.pixelSize();
        EXPECT_EQ(expected, ascent + standInAscentDrop(font)) << row.family << ' ' << row.points;
    }
    // A face that stands for itself is drawn as it is.
    EXPECT_EQ(0, standInAscentDrop(pixelSizedFont(QStringLiteral("Liberation Sans"), 20)));
    EXPECT_EQ(0, standInAscentDrop(pixelSizedFont(QStringLiteral("Courier New"), 20)));
}
