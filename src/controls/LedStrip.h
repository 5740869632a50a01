#pragma once

#include <QColor>
#include <QImage>
#include <vector>

class Led;

// The picture strip "LED_PICS" that every lamp of the process draws from: 24 x 52 pixels,
// 16 colours, two columns of 12-pixel cells (unlit, lit) and four rows of 13-pixel cells (red,
// green, yellow, disabled). The strip exists while at least one lamp does: the first lamp
// creates it and the last one to go frees it.
class LedStrip
{
public:
    static constexpr int CellWidth = 12;
    static constexpr int CellHeight = 13;
    static constexpr int DisabledRow = 3;

    // The shared strip, or nullptr while no lamp exists.
    static LedStrip *instance();
    // Registers a lamp, creating the strip for the first one.
    static LedStrip *attach(const Led *lamp);
    // Unregisters a lamp; the strip is freed when the last one leaves.
    static void detach(const Led *lamp);

    // The strip "LED_PICS" as Kartello draws it, built from its pixel and colour tables.
    static QImage ledPics();

    const QImage &picture() const { return m_picture; }
    // The colour of the strip's bottom-left pixel; drawn in the lamp's background colour.
    QColor transparentColor() const { return m_transparent; }
    int lampCount() const { return static_cast<int>(m_lamps.size()); }
    // One 12 x 13 cell with the transparent colour replaced by `background`.
    QImage cell(int column, int row, const QColor &background) const;

private:
    LedStrip();

    QImage m_picture;
    QColor m_transparent;
    std::vector<const Led *> m_lamps;
};
