// libpng writes the file's structure (signature, header, chunks and their checksums); the image
// data stream is made here (row_deflater.h), because export pictures are mostly rows that repeat
// the row above, which filtered with Up are all zeros. A run of repeated rows is written as
// copies of one zero row deflated once by itself: after an empty stored block a deflate stream
// may go on with any self-contained block.
#include "picture/picture_encoders.h"
#include "picture/row_conversion.h"
#include "picture/row_deflater.h"

#include <QtEndian>
#include <array>
#include <climits>
#include <cmath>
#include <csetjmp>
#include <cstring>
#include <png.h>
#include <vector>

namespace picture {

namespace {

// Shorter runs of repeated rows are deflated like any row.
constexpr int MinCopiedRun = 4;
// Repeated rows are copied in blocks of this many rows, and singly for the rest.
constexpr int RowsPerCopiedBlock = 16;
constexpr std::size_t ChunkBytes = 1 << 16;

struct PngFailure {
    char message[256] = {};
};

void OnError(png_structp png, png_const_charp message) {
    auto* failure = static_cast<PngFailure*>(png_get_error_ptr(png));
    qstrncpy(failure->message, message, sizeof failure->message);
    png_longjmp(png, 1);
}

void OnWarning(png_structp, png_const_charp) {}

void WriteToDevice(png_structp png, png_bytep bytes, size_t length) {
    auto* device = static_cast<QIODevice*>(png_get_io_ptr(png));
    if (device->write(reinterpret_cast<const char*>(bytes), static_cast<qint64>(length)) !=
        static_cast<qint64>(length)) {
        png_error(png, "write failed");
    }
}

void FlushNothing(png_structp) {}

// Repeated rows deflated once: one, and a block of RowsPerCopiedBlock, each self-contained (no
// history before it) and ending on a byte.
struct ZeroRows {
    std::size_t filteredRowBytes = 0;
    std::vector<uchar> single;
    std::vector<uchar> block;
};

std::vector<uchar> DeflatedZeroRows(std::size_t filteredRowBytes, int rows) {
    std::vector<uchar> row(filteredRowBytes, 0);
    row[0] = PNG_FILTER_VALUE_UP;
    std::vector<uchar> deflated;
    RowDeflater deflater(deflated);
    for (int r = 0; r < rows; ++r) {
        deflater.Add(row.data(), row.size());
    }
    deflater.Align();
    return deflated;
}

// Kept per thread for the last row length: a batch has pictures of about one size.
const ZeroRows& ZeroRowsFor(std::size_t filteredRowBytes) {
    thread_local ZeroRows zeroRows;
    if (zeroRows.filteredRowBytes != filteredRowBytes) {
        zeroRows.filteredRowBytes = filteredRowBytes;
        zeroRows.single = DeflatedZeroRows(filteredRowBytes, 1);
        zeroRows.block = DeflatedZeroRows(filteredRowBytes, RowsPerCopiedBlock);
    }
    return zeroRows;
}

// The zlib stream of the image data, handed to libpng as IDAT chunks.
class ImageData {
public:
    ImageData(png_structp png, std::size_t filteredRowBytes)
        : png_(png), filteredRowBytes_(filteredRowBytes), zeroRows_(ZeroRowsFor(filteredRowBytes)),
          deflater_(chunk_) {
        chunk_ = {0x78, 0x01}; // deflate, 32 KB window, no dictionary
    }
    ImageData(const ImageData&) = delete;
    ImageData& operator=(const ImageData&) = delete;

    void Row(const uchar* filtered) {
        deflater_.Add(filtered, filteredRowBytes_);
        WriteFullChunk();
    }

    // count rows of zeros after the filter byte 2 (Up).
    void RepeatedRows(long long count) {
        deflater_.Align();
        for (; count >= RowsPerCopiedBlock; count -= RowsPerCopiedBlock) {
            Put(zeroRows_.block);
            CountZeroRows(RowsPerCopiedBlock);
        }
        for (; count > 0; --count) {
            Put(zeroRows_.single);
            CountZeroRows(1);
        }
    }

    void Finish() {
        deflater_.Finish();
        std::array<uchar, 4> trailer{};
        qToBigEndian<quint32>(deflater_.checksum().value(), trailer.data());
        chunk_.insert(chunk_.end(), trailer.begin(), trailer.end());
        WriteChunk();
    }

private:
    void CountZeroRows(int rows) {
        for (int r = 0; r < rows; ++r) {
            deflater_.checksum().AddRun(PNG_FILTER_VALUE_UP, 1);
            deflater_.checksum().AddRun(0, filteredRowBytes_ - 1);
        }
    }

    void Put(const std::vector<uchar>& bytes) {
        chunk_.insert(chunk_.end(), bytes.begin(), bytes.end());
        WriteFullChunk();
    }

    void WriteFullChunk() {
        if (chunk_.size() >= ChunkBytes) {
            WriteChunk();
        }
    }

    void WriteChunk() {
        if (!chunk_.empty()) {
            png_write_chunk(png_, reinterpret_cast<png_const_bytep>("IDAT"), chunk_.data(),
                            chunk_.size());
            chunk_.clear();
        }
    }

    png_structp png_;
    std::size_t filteredRowBytes_;
    const ZeroRows& zeroRows_;
    std::vector<uchar> chunk_;
    RowDeflater deflater_; // writes into chunk_
};

// Apart, and with no aliasing, so that the compiler vectorises it.
void FilterUp(const uchar* __restrict row, const uchar* __restrict above, uchar* __restrict out,
              std::size_t bytes) {
    constexpr std::size_t Lanes = 16; // a loop of known length becomes one vector operation
    std::size_t i = 0;
    for (; i + Lanes <= bytes; i += Lanes) {
        for (std::size_t lane = 0; lane < Lanes; ++lane) {
            out[i + lane] = static_cast<uchar>(row[i + lane] - above[i + lane]);
        }
    }
    for (; i < bytes; ++i) {
        out[i] = static_cast<uchar>(row[i] - above[i]);
    }
}

struct Buffers {
    std::vector<uchar> previous; // the last distinct row, as stored (packed for 1 bit)
    std::vector<uchar> filtered; // filter byte, then the row
};

// Kept apart from its caller so that no C++ object is made across the longjmp of a failure.
bool Encode(png_structp png, png_infop info, RowSource& rows, RowConversion& packed,
            ImageData& data, Buffers& buffers) {
    if (setjmp(png_jmpbuf(png))) {
        return false;
    }
    const QSize size = rows.size();
    const bool bits = rows.blackAndWhite();
    png_set_user_limits(png, INT_MAX, INT_MAX);
    png_set_IHDR(png, info, static_cast<png_uint_32>(size.width()),
                 static_cast<png_uint_32>(size.height()), bits ? 1 : 8, PNG_COLOR_TYPE_GRAY,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    if (const int dpi = rows.dotsPerInch(); dpi > 0) {
        const auto perMetre = static_cast<png_uint_32>(std::lround(dpi / 0.0254));
        png_set_pHYs(png, info, perMetre, perMetre, PNG_RESOLUTION_METER);
    }
    png_write_info(png, info);
    const int width = size.width();
    const std::size_t rowBytes = buffers.previous.size();
    int y = 0;
    while (y < size.height()) {
        int repeats = 0;
        while (y + repeats < size.height() && y > 0 &&
               rows.keyOf(y + repeats) == rows.keyOf(y - 1)) {
            ++repeats;
        }
        if (repeats >= MinCopiedRun) {
            data.RepeatedRows(repeats);
            y += repeats;
            continue;
        }
        const uchar* row = bits ? packed.Get(rows, y,
                                             [&](const uchar* grey, uchar* out) {
                                                 PackBlackAndWhite(grey, width, out, rowBytes);
                                             })
                                : rows.row(y);
        buffers.filtered[0] = PNG_FILTER_VALUE_UP;
        FilterUp(row, buffers.previous.data(), buffers.filtered.data() + 1, rowBytes);
        std::memcpy(buffers.previous.data(), row, rowBytes);
        data.Row(buffers.filtered.data());
        ++y;
    }
    data.Finish();
    png_write_chunk(png, reinterpret_cast<png_const_bytep>("IEND"), nullptr, 0);
    return true;
}

} // namespace

Result<> WritePng(RowSource& rows, QIODevice& device) {
    PngFailure failure;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &failure, OnError, OnWarning);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!info) {
        png_destroy_write_struct(&png, nullptr);
        return Failure{QStringLiteral("out of memory")};
    }
    png_set_write_fn(png, &device, WriteToDevice, FlushNothing);
    const std::size_t width = static_cast<std::size_t>(rows.size().width());
    const std::size_t rowBytes = rows.blackAndWhite() ? (width + 7) / 8 : width;
    RowConversion packed(rows.blackAndWhite() ? rowBytes : 0);
    Buffers buffers{std::vector<uchar>(rowBytes, 0), std::vector<uchar>(rowBytes + 1, 0)};
    bool ok = false;
    {
        ImageData data(png, rowBytes + 1);
        ok = Encode(png, info, rows, packed, data, buffers);
    }
    png_destroy_write_struct(&png, &info);
    if (!ok) {
        return Failure{QString::fromUtf8(failure.message)};
    }
    return {};
}

} // namespace picture
