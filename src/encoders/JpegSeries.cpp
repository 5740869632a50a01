#include "JpegSeries.h"

#include "EncoderError.h"
#include "JpegLibrary.h"

#include <jerror.h>
#include <jpegint.h>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <vector>

namespace {

std::atomic<bool> g_blocksLost{false};

// One component's quantised coefficient blocks for the whole picture, row after row.
struct ComponentBlocks {
    int widthInBlocks = 0;
    int rows = 0;        // block rows, a whole number of bands
    int rowsPerBand = 0; // the component's vertical sampling factor
    std::vector<JCOEF> coefficients; // DCTSIZE2 to a block

    JBLOCKROW row(int r)
    {
        return reinterpret_cast<JBLOCKROW>(coefficients.data()
                                           + static_cast<size_t>(r) * widthInBlocks * DCTSIZE2);
    }
};

constexpr int MaxComponents = 3;

struct Coefficients {
    int components = 0;
    int bandHeight = 0; // picture rows per band
    ComponentBlocks component[MaxComponents];
};

// What a compression hands its coefficient blocks to, MCU by MCU.
struct BlockCapture {
    Coefficients *into;
    int firstBand;      // the band the compressed rows start at
    long mcu;           // MCUs seen so far
    // The library's Huffman coder, which each MCU is passed on to; none when only the blocks
    // are wanted.
    boolean (*code)(j_compress_ptr, JBLOCKROW *);
};

// Stands in for the Huffman coder's encode_mcu: the blocks come quantised, exactly as the
// coder would write them, dummy blocks of the right and bottom edges included.
boolean captureMcu(j_compress_ptr cinfo, JBLOCKROW *blocks)
{
    auto *capture = static_cast<BlockCapture *>(cinfo->client_data);
    const long perRow = static_cast<long>(cinfo->MCUs_per_row);
    const int band = capture->firstBand + static_cast<int>(capture->mcu / perRow);
    const int column = static_cast<int>(capture->mcu % perRow);
    ++capture->mcu;
    if (g_blocksLost.load(std::memory_order_relaxed))
        return capture->code ? capture->code(cinfo, blocks) : TRUE;
    int next = 0;
    for (int i = 0; i < cinfo->comps_in_scan; ++i) {
        const jpeg_component_info *component = cinfo->cur_comp_info[i];
        ComponentBlocks &c = capture->into->component[component->component_index];
        for (int y = 0; y < component->MCU_height; ++y)
            for (int x = 0; x < component->MCU_width; ++x, ++next) {
                const int blockColumn = column * component->MCU_width + x;
                const int blockRow = band * c.rowsPerBand + y;
                if (blockColumn < c.widthInBlocks && blockRow < c.rows)
                    std::memcpy(c.row(blockRow)[blockColumn], blocks[next], sizeof(JBLOCK));
            }
    }
    return capture->code ? capture->code(cinfo, blocks) : TRUE;
}

// The blocks' layout for the picture being compressed (known once compression started).
void setLayout(j_compress_ptr cinfo, Coefficients &into)
{
    into.components = cinfo->num_components;
    into.bandHeight = DCTSIZE * cinfo->max_v_samp_factor;
    const int bands = (static_cast<int>(cinfo->image_height) + into.bandHeight - 1) / into.bandHeight;
    for (int ci = 0; ci < into.components; ++ci) {
        ComponentBlocks &c = into.component[ci];
        c.widthInBlocks = static_cast<int>(cinfo->comp_info[ci].width_in_blocks);
        c.rowsPerBand = cinfo->comp_info[ci].v_samp_factor;
        c.rows = bands * c.rowsPerBand;
        c.coefficients.assign(static_cast<size_t>(c.widthInBlocks) * c.rows * DCTSIZE2, 0);
    }
}

// Where a compression's blocks go: a whole picture sets the blocks' layout and is coded into
// the output too; bands only refresh their blocks.
enum class Compressed { WholePicture, Bands };

// Compresses rows (the whole picture, or its bands from firstBand on) and keeps their
// coefficient blocks in into. Returns 0 or libjpeg's message code.
int compressKeepingBlocks(const JpegRows &rows, int quality, Compressed what, int firstBand,
                          Coefficients &into, JpegBuffer &output)
{
    BlockCapture capture{&into, firstBand, 0, nullptr};
    return runCompression(output, [&](j_compress_ptr cinfo) {
        setJpegParameters(cinfo, rows.width, rows.height, rows.bytesPerPixel, quality);
        jpeg_start_compress(cinfo, TRUE);
        if (cinfo->num_components > MaxComponents || cinfo->comps_in_scan != cinfo->num_components)
            ERREXIT(cinfo, JERR_NOT_COMPILED);
        if (what == Compressed::WholePicture) {
            setLayout(cinfo, into);
            capture.code = cinfo->entropy->encode_mcu;
        }
        cinfo->client_data = &capture;
        cinfo->entropy->encode_mcu = captureMcu;
        writeScanlines(cinfo, rows);
        jpeg_finish_compress(cinfo);
    });
}

// Writes the picture from its coefficient blocks into output: the bytes an encoding of its
// rows gives, for the header and the Huffman coding are the same. Returns 0 or libjpeg's
// message code.
int writeBlocks(Coefficients &from, const JpegRows &rows, int quality, JpegBuffer &output)
{
    return runCompression(output, [&](j_compress_ptr cinfo) {
        setJpegParameters(cinfo, rows.width, rows.height, rows.bytesPerPixel, quality);
        const auto common = reinterpret_cast<j_common_ptr>(cinfo);
        jvirt_barray_ptr arrays[MaxComponents] = {};
        for (int ci = 0; ci < from.components; ++ci) {
            const ComponentBlocks &c = from.component[ci];
            arrays[ci] = (*cinfo->mem->request_virt_barray)(
                common, JPOOL_IMAGE, FALSE, static_cast<JDIMENSION>(c.widthInBlocks),
                static_cast<JDIMENSION>(c.rows), static_cast<JDIMENSION>(c.rowsPerBand));
        }
        (*cinfo->mem->realize_virt_arrays)(common);
        for (int ci = 0; ci < from.components; ++ci) {
            ComponentBlocks &c = from.component[ci];
            for (int r = 0; r < c.rows; ++r) {
                JBLOCKARRAY target = (*cinfo->mem->access_virt_barray)(
                    common, arrays[ci], static_cast<JDIMENSION>(r), 1, TRUE);
                std::memcpy(target[0], c.row(r), sizeof(JBLOCK) * c.widthInBlocks);
            }
        }
        jpeg_write_coefficients(cinfo, arrays);
        jpeg_finish_compress(cinfo);
    });
}

void check(int code)
{
    if (code != 0)
        throw EncoderError(QStringLiteral("JPEG error #%1").arg(code));
}

} // namespace

struct JpegSeries::State {
    bool valid = false;
    int width = 0;
    int height = 0;
    int bytesPerPixel = 0;
    int quality = 0;
    std::vector<uint8_t> pixels; // the previous picture's rows, without padding
    Coefficients coefficients;
    JpegBuffer output;
    JpegBuffer band;
    int bandsConverted = 0;

    size_t rowBytes() const { return static_cast<size_t>(width) * bytesPerPixel; }
    const uint8_t *previousRow(int y) const { return pixels.data() + rowBytes() * y; }
    bool sameRows(const JpegRows &rows, int first, int end) const
    {
        for (int y = first; y < end; ++y)
            if (std::memcmp(rows.top + rows.stride * y, previousRow(y), rowBytes()) != 0)
                return false;
        return true;
    }
    void keepRows(const JpegRows &rows, int first, int end)
    {
        for (int y = first; y < end; ++y)
            std::memcpy(pixels.data() + rowBytes() * y, rows.top + rows.stride * y, rowBytes());
    }
    void encodeWhole(const JpegRows &rows, int quality);
    void encodeBands(const JpegRows &rows, int firstBand, int endBand);
};

void JpegSeries::State::encodeWhole(const JpegRows &rows, int q)
{
    valid = false;
    check(compressKeepingBlocks(rows, q, Compressed::WholePicture, 0, coefficients, output));
    width = rows.width;
    height = rows.height;
    bytesPerPixel = rows.bytesPerPixel;
    quality = q;
    pixels.resize(rowBytes() * height);
    keepRows(rows, 0, height);
    valid = true;
}

void JpegSeries::State::encodeBands(const JpegRows &rows, int firstBand, int endBand)
{
    // The bands as a picture of their own: the DCT of each block sees the same rows, and a
    // last band cut short is padded from the same last row as in the whole picture.
    valid = false;
    const int first = firstBand * coefficients.bandHeight;
    const int end = std::min(height, endBand * coefficients.bandHeight);
    JpegRows part = rows;
    part.top = rows.top + rows.stride * first;
    part.height = end - first;
    check(compressKeepingBlocks(part, quality, Compressed::Bands, firstBand, coefficients, band));
    keepRows(rows, first, end);
    check(writeBlocks(coefficients, rows, quality, output));
    valid = true;
}

JpegSeries::JpegSeries() : d(std::make_unique<State>()) {}

JpegSeries::~JpegSeries() = default;

int JpegSeries::bandsConverted() const
{
    return d->bandsConverted;
}

QByteArray JpegSeries::encode(const JpegRows &rows, int quality)
{
    d->output.release();
    d->band.release();
    const bool sameKind = d->valid && rows.width == d->width && rows.height == d->height
                          && rows.bytesPerPixel == d->bytesPerPixel && quality == d->quality;
    const int bandHeight = d->coefficients.bandHeight;
    const int bands = sameKind ? (d->height + bandHeight - 1) / bandHeight : 0;
    int firstBand = bands, endBand = 0;
    for (int b = 0; b < bands; ++b) {
        if (d->sameRows(rows, b * bandHeight, std::min(d->height, (b + 1) * bandHeight)))
            continue;
        firstBand = std::min(firstBand, b);
        endBand = b + 1;
    }
    const int changed = std::max(0, endBand - firstBand);
    if (!sameKind || 2 * changed > bands) {
        d->encodeWhole(rows, quality);
        d->bandsConverted = (d->height + d->coefficients.bandHeight - 1) / d->coefficients.bandHeight;
    } else {
        d->bandsConverted = changed;
        if (changed > 0)
            d->encodeBands(rows, firstBand, endBand);
        else
            check(writeBlocks(d->coefficients, rows, quality, d->output));
    }
    return QByteArray::fromRawData(reinterpret_cast<const char *>(d->output.data),
                                   static_cast<qsizetype>(d->output.size));
}

QByteArray JpegSeries::encodeByEveryRoad(const JpegRows &rows, int quality)
{
    d->output.release();
    d->band.release();
    d->encodeWhole(rows, quality);
    const int bandHeight = d->coefficients.bandHeight;
    const int bands = (d->height + bandHeight - 1) / bandHeight;
    d->encodeBands(rows, bands - 1, bands);
    d->bandsConverted = bands;
    return QByteArray::fromRawData(reinterpret_cast<const char *>(d->output.data),
                                   static_cast<qsizetype>(d->output.size));
}

void JpegSeriesTesting::setBlocksLost(bool lost)
{
    g_blocksLost.store(lost);
}
