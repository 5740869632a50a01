#include "TDrawMetaFile.h"

TDrawMetaFile::TDrawMetaFile(int width, int height)
    : m_width(width), m_height(height)
{
    openDrawing();
}

TDrawMetaFile::~TDrawMetaFile()
{
    closeDrawing();
}

void TDrawMetaFile::openDrawing()
{
    closeDrawing();
    m_picture = QPicture();
    m_painter = std::make_unique<QPainter>(&m_picture);
    // A recording only knows what was drawn; the clip gives it the page's extent.
    m_painter->setClipRect(QRect(0, 0, m_width, m_height));
}

void TDrawMetaFile::closeDrawing()
{
    if (!m_painter)
        return;
    m_painter->end();
    m_painter.reset();
}

QImage TDrawMetaFile::toImage() const
{
    QImage image(m_width, m_height, QImage::Format_RGB32);
    image.fill(Qt::white);
    if (!drawing()) {
        QPainter painter(&image);
        painter.drawPicture(0, 0, m_picture);
    }
    return image;
}
