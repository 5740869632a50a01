#pragma once

#include "JpegWriter.h"

#include <QByteArray>
#include <QString>

#include <memory>

// Encodes pictures one after another into the very bytes JpegWriter gives for each, faster
// when they differ little. A baseline JPEG codes its picture in bands of 16 rows whose
// coefficient blocks depend on those rows alone; the series keeps the blocks of the previous
// picture, and only the bands from the first to the last one that changed go through colour
// conversion and the DCT again. The Huffman coding of the whole picture is done every time.
// Cards of one design differ only where their QSO values stand.
class JpegSeries
{
public:
    JpegSeries();
    ~JpegSeries();
    JpegSeries(const JpegSeries &) = delete;
    JpegSeries &operator=(const JpegSeries &) = delete;

    // The picture's JPEG, valid until the next call. Throws EncoderError("JPEG error #<code>").
    QByteArray encode(const JpegRows &rows, int quality);

    // Bands of the last picture that were converted anew: all of them when the picture was
    // the first, of another size or quality, or changed in more than half of its bands.
    int bandsConverted() const;

private:
    struct State;
    std::unique_ptr<State> d;
};

// Writes rows as saveJpegFile does (the same file), through a series each thread keeps for
// the pictures it writes: about a megabyte for a card, held while the thread runs. Pictures
// of more than two million pixels are written alone.
void saveJpegFileInSeries(const JpegRows &rows, int quality, const QString &path);
