#pragma once

#include <QImage>
#include <QString>

// Picture data: what a file held (its kind) and its decoded pixels; a CardPictureElement holds
// one and draws it. Only a bitmap is ever drawn; every other kind is kept (with its size) but
// the element paints a placeholder for it.
class Picture
{
public:
    enum Kind { Empty, Bitmap, Icon, Metafile, Jpeg, Gif, Other };

    Picture() = default;
    // A bitmap picture of image (an empty picture for a null image).
    static Picture fromImage(const QImage &image);

    // Loads a picture file; its extension decides how it is read (.bmp a bitmap, .jpg/.jpeg
    // a JPEG, .gif a GIF, .ico an icon, .wmf/.emf a metafile). Raises "Cannot open file %s"
    // for a missing file, "Unknown picture file extension (.%s)" for any other extension
    // and "Bitmap image is not valid" for a .bmp that cannot be read. The picture is
    // unchanged after an error.
    void loadFromFile(const QString &path);
    void clear() { *this = Picture(); }

    Kind kind() const { return m_kind; }
    bool isBitmap() const { return m_kind == Bitmap; }
    bool isEmpty() const { return m_kind == Empty; }
    int width() const { return m_image.width(); }
    int height() const { return m_image.height(); }
    // The decoded pixels: of a bitmap, and of any other kind Qt can read (never drawn).
    const QImage &image() const { return m_image; }

    bool operator==(const Picture &other) const
    {
        return m_kind == other.m_kind && m_image == other.m_image;
    }

private:
    Kind m_kind = Empty;
    QImage m_image;
};
