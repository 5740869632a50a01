#pragma once

#include "JpegWriter.h"

#include <QByteArray>
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

    // Encodes rows through each road a later picture of the series can take: the whole
    // picture with its blocks kept, its last band converted again, and the picture written
    // from the kept blocks, whose bytes are returned (valid until the next call). They equal
    // JpegWriter's exactly when the library's internal layout is the one the series was
    // built against, which is what a caller checks with them. The series goes on from here.
    QByteArray encodeByEveryRoad(const JpegRows &rows, int quality);

    // Bands of the last picture that were converted anew: all of them when the picture was
    // the first, of another size or quality, or changed in more than half of its bands.
    int bandsConverted() const;

private:
    struct State;
    std::unique_ptr<State> d;
};

namespace JpegSeriesTesting {
// Stands in for a libjpeg whose internal layout differs from the header's: the series' hook
// sits where the library never calls it, no coefficient block reaches the series, and the
// pictures it writes from its blocks come out grey. For tests only.
void setBlocksLost(bool lost);
} // namespace JpegSeriesTesting
