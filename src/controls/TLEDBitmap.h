#pragma once

#include <QColor>
#include <QImage>
#include <vector>

class TLED;

// The picture strip "LED_PICS" that every lamp of the process draws from: 24 x 52 pixels,
// 16 colours, two columns of 12-pixel cells (unlit, lit) and four rows of 13-pixel cells (red,
// green, yellow, disabled). The strip exists while at least one lamp does: the first lamp
// creates it and the last one to go frees it.
class TLEDBitmap
{
public:
    static constexpr int CellWidth = 12;
    static constexpr int CellHeight = 13;
    static constexpr int DisabledRow = 3;

    // The shared strip, or nullptr while no lamp exists.
    static TLEDBitmap *instance();
    // Registers a lamp, creating the strip for the first one.
    static TLEDBitmap *attach(const TLED *lamp);
    // Unregisters a lamp; the strip is freed when the last one leaves.
    static void detach(const TLED *lamp);

    // The strip "LED_PICS" as Kartello draws it, built from its pixel and colour tables.
    static QImage ledPics();

    const QImage &picture() const { return m_picture; }
    // The colour of the strip's bottom-left pixel; drawn in the lamp's background colour.
    QColor transparentColor() const { return m_transparent; }
    int lampCount() const { return static_cast<int>(m_lamps.size()); }
    // One 12 x 13 cell with the transparent colour replaced by `background`.
    QImage cell(int column, int row, const QColor &background) const;

private:
    TLEDBitmap();

    QImage m_picture;
    QColor m_transparent;
    std::vector<const TLED *> m_lamps;
};
