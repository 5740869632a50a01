#pragma once

#include <QString>
#include <stdexcept>

// A failing step of the picture encoders; the text is what the operator reads in the error
// report ("JPEG error #%d", "Color table overflow", "Cannot create file %s", ...).
class EncoderError : public std::runtime_error
{
public:
    explicit EncoderError(const QString &text)
        : std::runtime_error(text.toLocal8Bit().toStdString()), m_text(text)
    {
    }
    QString text() const { return m_text; }

private:
    QString m_text;
};
