#include "RecordedPage.h"

RecordedPage::RecordedPage(int width, int height)
    : m_width(width), m_height(height)
{
    openDrawing();
}

RecordedPage::~RecordedPage()
{
    closeDrawing();
}

void RecordedPage::openDrawing()
{
    closeDrawing();
    m_picture = QPicture();
    m_painter = std::make_unique<QPainter>(&m_picture);
    // A recording only knows what was drawn; the clip gives it the page's extent.
    m_painter->setClipRect(QRect(0, 0, m_width, m_height));
}

void RecordedPage::closeDrawing()
{
    if (!m_painter)
        return;
    m_painter->end();
    m_painter.reset();
}

QImage RecordedPage::toImage() const
{
    QImage image(m_width, m_height, QImage::Format_RGB32);
    image.fill(Qt::white);
    if (!drawing()) {
        QPainter painter(&image);
        painter.drawPicture(0, 0, m_picture);
    }
    return image;
}
