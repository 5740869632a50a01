#pragma once

#include <QPainter>
#include <QPicture>
#include <memory>

// One preview page: a recorded picture of width x height device pixels. The drawing canvas
// is open from construction until closeDrawing(); after that the page can be replayed.
class RecordedPage
{
public:
    RecordedPage(int width, int height);
    ~RecordedPage();

    bool drawing() const { return m_painter != nullptr; }
    // Starts a new recording of the page (what was recorded before is dropped).
    void openDrawing();
    // Finishes the recording.
    void closeDrawing();
    // The open canvas, or nullptr when the drawing is closed.
    QPainter *canvas() const { return m_painter.get(); }

    int width() const { return m_width; }
    int height() const { return m_height; }
    // The finished recording; replay it with QPainter::drawPicture.
    const QPicture &picture() const { return m_picture; }
    // The page replayed onto a white image of the page's size.
    QImage toImage() const;

private:
    int m_width;
    int m_height;
    QPicture m_picture;
    std::unique_ptr<QPainter> m_painter;
};
