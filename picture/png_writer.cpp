// libpng writes the file's structure (signature, header, chunks and their checksums); the image
// data stream is deflated here, because export pictures are mostly rows that repeat the row
// above. Filtered with Up such a row is all zeros; deflating megabytes of zeros through zlib
// costs more than everything else of an export together. A run of repeated rows is instead
// written as copies of one zero row deflated once by itself: after a full flush a deflate
// stream restarts with no history, so a self-contained block may stand at any such point.
#include "picture_encoders.h"
#include "row_conversion.h"

#include <QtEndian>
#include <array>
#include <climits>
#include <csetjmp>
#include <cstring>
#include <png.h>
#include <vector>
#include <zlib.h>

namespace picture {

namespace {

// Shorter runs of repeated rows go through zlib like any row.
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

// Repeated rows deflated once: one, and a block of RowsPerCopiedBlock. Each is self-contained:
// no history before it, a full flush at its end.
struct ZeroRows {
    std::size_t filteredRowBytes = 0;
    std::vector<uchar> single;
    std::vector<uchar> block;
    uLong adler = 0; // of one row
};

std::vector<uchar> DeflatedZeroRows(std::size_t filteredRowBytes, int rows) {
    std::vector<uchar> row(filteredRowBytes, 0);
    row[0] = PNG_FILTER_VALUE_UP;
    z_stream zeros{};
    deflateInit2(&zeros, Z_BEST_COMPRESSION, Z_DEFLATED, -MAX_WBITS, 9, Z_DEFAULT_STRATEGY);
    std::vector<uchar> deflated;
    std::array<uchar, 1 << 14> out;
    for (int r = 0; r < rows; ++r) {
        zeros.next_in = row.data();
        zeros.avail_in = static_cast<uInt>(row.size());
        do {
            zeros.next_out = out.data();
            zeros.avail_out = static_cast<uInt>(out.size());
            deflate(&zeros, r + 1 == rows ? Z_FULL_FLUSH : Z_NO_FLUSH);
            deflated.insert(deflated.end(), out.data(), out.data() + out.size() - zeros.avail_out);
        } while (zeros.avail_out == 0 || zeros.avail_in > 0);
    }
    deflateEnd(&zeros);
    return deflated;
}

// Kept per thread for the last row length: a batch has pictures of about one size.
const ZeroRows& ZeroRowsFor(std::size_t filteredRowBytes) {
    thread_local ZeroRows zeroRows;
    if (zeroRows.filteredRowBytes != filteredRowBytes) {
        zeroRows.filteredRowBytes = filteredRowBytes;
        zeroRows.single = DeflatedZeroRows(filteredRowBytes, 1);
        zeroRows.block = DeflatedZeroRows(filteredRowBytes, RowsPerCopiedBlock);
        std::vector<uchar> row(filteredRowBytes, 0);
        row[0] = PNG_FILTER_VALUE_UP;
        zeroRows.adler = adler32_z(adler32_z(0, nullptr, 0), row.data(), row.size());
    }
    return zeroRows;
}

// One raw deflate stream per thread, reset for each picture: setting one up anew costs more
// than a small picture's compression.
z_stream* ThreadStream() {
    struct Stream {
        Stream() {
            ready = deflateInit2(&stream, Z_BEST_SPEED, Z_DEFLATED, -MAX_WBITS, 8, Z_RLE) == Z_OK;
        }
        ~Stream() { deflateEnd(&stream); }
        z_stream stream{};
        bool ready = false;
    };
    thread_local Stream stream;
    if (!stream.ready || deflateReset(&stream.stream) != Z_OK) {
        return nullptr;
    }
    return &stream.stream;
}

// The zlib stream of the image data, handed to libpng as IDAT chunks.
class ImageData {
public:
    ImageData(png_structp png, std::size_t filteredRowBytes)
        : png_(png), filteredRowBytes_(filteredRowBytes), stream_(ThreadStream()),
          zeroRows_(ZeroRowsFor(filteredRowBytes)) {
        const std::array<uchar, 2> header{0x78, 0x01}; // deflate, 32 KB window, no dictionary
        Put(header.data(), header.size());
    }
    ImageData(const ImageData&) = delete;
    ImageData& operator=(const ImageData&) = delete;

    bool ready() const { return stream_ != nullptr; }

    void Row(const uchar* filtered) {
        adler_ = adler32_z(adler_, filtered, filteredRowBytes_);
        Deflate(filtered, filteredRowBytes_, Z_NO_FLUSH);
    }

    // count rows of zeros after the filter byte 2 (Up).
    void RepeatedRows(long long count) {
        Deflate(nullptr, 0, Z_FULL_FLUSH);
        for (; count >= RowsPerCopiedBlock; count -= RowsPerCopiedBlock) {
            Put(zeroRows_.block.data(), zeroRows_.block.size());
            for (int i = 0; i < RowsPerCopiedBlock; ++i) {
                AddZeroRowAdler();
            }
        }
        for (; count > 0; --count) {
            Put(zeroRows_.single.data(), zeroRows_.single.size());
            AddZeroRowAdler();
        }
    }

    void Finish() {
        Deflate(nullptr, 0, Z_FINISH);
        std::array<uchar, 4> trailer{};
        qToBigEndian<quint32>(static_cast<quint32>(adler_), trailer.data());
        Put(trailer.data(), trailer.size());
        WriteChunk();
    }

private:
    void Deflate(const uchar* bytes, std::size_t length, int flush) {
        stream_->next_in = const_cast<Bytef*>(bytes);
        stream_->avail_in = static_cast<uInt>(length);
        std::array<uchar, 1 << 14> out;
        do {
            stream_->next_out = out.data();
            stream_->avail_out = static_cast<uInt>(out.size());
            deflate(stream_, flush);
            Put(out.data(), out.size() - stream_->avail_out);
        } while (stream_->avail_out == 0 || stream_->avail_in > 0);
    }

    void AddZeroRowAdler() {
        adler_ = adler32_combine(adler_, zeroRows_.adler, static_cast<z_off_t>(filteredRowBytes_));
    }

    void Put(const uchar* bytes, std::size_t length) {
        chunk_.insert(chunk_.end(), bytes, bytes + length);
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
    z_stream* stream_;
    const ZeroRows& zeroRows_;
    uLong adler_ = adler32_z(0, nullptr, 0);
    std::vector<uchar> chunk_;
};

// Apart, and with no aliasing, so that the compiler vectorises it.
void FilterUp(const uchar* __restrict row, const uchar* __restrict above, uchar* __restrict out,
              std::size_t bytes) {
    for (std::size_t i = 0; i < bytes; ++i) {
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
    png_write_info(png, info);
    if (!data.ready()) {
        png_error(png, "out of memory");
    }
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
