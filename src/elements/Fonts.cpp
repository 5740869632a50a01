#include "Fonts.h"

#include <QFontInfo>
#include <QFontMetrics>

#include <algorithm>
#include <cmath>

int pointsToPixels(int points)
{
    return static_cast<int>(std::lround(points * 96.0 / 72.0));
}

QFont pixelSizedFont(const QString &family, int points, bool bold, bool italic, bool underline,
                     bool strikeOut)
{
    QFont font(family);
    font.setPixelSize(pointsToPixels(points));
    font.setBold(bold);
    font.setItalic(italic);
    font.setUnderline(underline);
    font.setStrikeOut(strikeOut);
    return font;
}

void registerFontSubstitutes()
{
    const QString sans = QStringLiteral("Liberation Sans");
    QFont::insertSubstitution(QStringLiteral("Tahoma"), sans);
    QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), sans);
    QFont::insertSubstitution(QStringLiteral("Microsoft Sans Serif"), sans);
    QFont::insertSubstitution(QStringLiteral("Arial"), sans);
    QFont::insertSubstitution(QStringLiteral("Times New Roman"), QStringLiteral("Liberation Serif"));
    QFont::insertSubstitution(QStringLiteral("Courier New"), QStringLiteral("Liberation Mono"));
    QFont::insertSubstitution(QStringLiteral("Verdana"), QStringLiteral("DejaVu Sans"));
    QFont::insertSubstitution(QStringLiteral("Georgia"), QStringLiteral("DejaVu Serif"));
    QFont::insertSubstitution(QStringLiteral("Comic Sans MS"), QStringLiteral("Comic Neue"));
}

int standInAscentDrop(const QFont &font)
{
    // Ascent of the Windows faces in font units of a 2048-unit em.
    struct Face { const char *family; int ascent; };
    static const Face faces[] = {
        {"Tahoma", 2049}, {"Verdana", 2059}, {"Georgia", 1878},
        {"Comic Sans MS", 2257}, {"Microsoft Sans Serif", 1888},
    };
    const QString family = font.family();
    for (const Face &face : faces) {
        if (family.compare(QLatin1String(face.family), Qt::CaseInsensitive) != 0)
            continue;
        if (QFontInfo(font).family().compare(family, Qt::CaseInsensitive) == 0)
            return 0;
        const int pixels = font.pixelSize() > 0
                               ? font.pixelSize()
                               : static_cast<int>(std::lround(font.pointSizeF() * 96.0 / 72.0));
        const int windowsAscent = static_cast<int>(std::lround(face.ascent * pixels / 2048.0));
        return std::max(0, windowsAscent - QFontMetrics(font).ascent());
    }
    return 0;
}

QFont fontNarrowedToFit(const QFont &font, const QString &text, int width)
{
    constexpr int narrowest = 70;
    constexpr int step = 5;
    if (text.isEmpty() || QFontMetrics(font).horizontalAdvance(text) <= width)
        return font;
    QFont narrow = font;
    for (int stretch = 100 - step; stretch >= narrowest; stretch -= step) {
        narrow.setStretch(stretch);
        if (QFontMetrics(narrow).horizontalAdvance(text) <= width)
            break;
    }
    return narrow;
}
