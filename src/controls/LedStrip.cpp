#include "LedStrip.h"

#include <algorithm>
#include <memory>

namespace {

// The shape of every cell, top row first: '.' transparent, g grey, k black, x white,
// b the body colour, h the glint colour.
const char *const kCellShape[LedStrip::CellHeight] = {
    "....gggg....",
    "..ggkkkkgg..",
    ".g.kbbbbk.g.",
    ".gkbbhhbbkx.",
    "gkbbhbbbbbgx",
    "gkbhbbbbbbgx",
    "gkbhbbbbbbgx",
    "gkbbbbbbbbgx",
    "gkbbbbbbbbgx",
    ".gkbbbbbbgx.",
    ".g.gbbbbg.x.",
    "..xxggggxx..",
    "....xxxx....",
};

// The 16-colour palette of the strip, in the usual order of the 16 standard colours.
enum PaletteIndex {
    Black, Maroon, Green, Olive, Navy, Purple, Teal, Silver,
    Grey, Red, Lime, Yellow, Blue, Fuchsia, Aqua, White
};
const QRgb kPalette[16] = {
    qRgb(0, 0, 0),       qRgb(128, 0, 0),   qRgb(0, 128, 0),   qRgb(128, 128, 0),
    qRgb(0, 0, 128),     qRgb(128, 0, 128), qRgb(0, 128, 128), qRgb(192, 192, 192),
    qRgb(128, 128, 128), qRgb(255, 0, 0),   qRgb(0, 255, 0),   qRgb(255, 255, 0),
    qRgb(0, 0, 255),     qRgb(255, 0, 255), qRgb(0, 255, 255), qRgb(255, 255, 255),
};
constexpr int kTransparent = Teal;

struct CellColours {
    int body;
    int glint;
};
// [row][column]: rows red, green, yellow, disabled; columns unlit, lit.
const CellColours kCellColours[4][2] = {
    {{Maroon, Red}, {Red, White}},
    {{Green, Lime}, {Lime, White}},
    {{Olive, Yellow}, {Yellow, White}},
    {{kTransparent, White}, {kTransparent, White}},
};

int shapeIndex(char sign, const CellColours &colours)
{
    switch (sign) {
    case 'g': return Grey;
    case 'k': return Black;
    case 'x': return White;
    case 'b': return colours.body;
    case 'h': return colours.glint;
    default: return kTransparent;
    }
}

std::unique_ptr<LedStrip> &shared()
{
    static std::unique_ptr<LedStrip> strip;
    return strip;
}

} // namespace

QImage LedStrip::ledPics()
{
    QImage pics(2 * CellWidth, 4 * CellHeight, QImage::Format_Indexed8);
    pics.setColorTable(QList<QRgb>(std::begin(kPalette), std::end(kPalette)));
    for (int row = 0; row < 4; ++row)
        for (int column = 0; column < 2; ++column)
            for (int y = 0; y < CellHeight; ++y) {
                uchar *line = pics.scanLine(row * CellHeight + y) + column * CellWidth;
                for (int x = 0; x < CellWidth; ++x)
                    line[x] = static_cast<uchar>(
                        shapeIndex(kCellShape[y][x], kCellColours[row][column]));
            }
    return pics;
}

LedStrip::LedStrip()
    : m_picture(ledPics()),
      m_transparent(QColor::fromRgb(m_picture.pixel(0, m_picture.height() - 1)))
{
}

LedStrip *LedStrip::instance()
{
    return shared().get();
}

LedStrip *LedStrip::attach(const Led *lamp)
{
    auto &strip = shared();
    if (!strip)
        strip.reset(new LedStrip());
    strip->m_lamps.push_back(lamp);
    return strip.get();
}

void LedStrip::detach(const Led *lamp)
{
    auto &strip = shared();
    if (!strip)
        return;
    auto &lamps = strip->m_lamps;
    lamps.erase(std::remove(lamps.begin(), lamps.end(), lamp), lamps.end());
    if (lamps.empty())
        strip.reset();
}

QImage LedStrip::cell(int column, int row, const QColor &background) const
{
    QImage image = m_picture.copy(column * CellWidth, row * CellHeight, CellWidth, CellHeight)
                       .convertToFormat(QImage::Format_RGB32);
    const QRgb key = m_transparent.rgb();
    const QRgb fill = background.rgb();
    for (int y = 0; y < image.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            if (line[x] == key)
                line[x] = fill;
    }
    return image;
}
