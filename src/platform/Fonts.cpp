#include "Fonts.h"

#include <cmath>

int pointsToPixels(int points)
{
    return static_cast<int>(std::lround(points * 96.0 / 72.0));
}

QFont designFont(const QString &family, int points, bool bold, bool italic, bool underline,
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
