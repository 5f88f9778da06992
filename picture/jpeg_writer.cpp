#include "picture/picture_encoders.h"
#include "picture/row_conversion.h"

#include <array>
#include <csetjmp>
#include <cstdio>
#include <jpeglib.h>
#include <memory>

namespace picture {

namespace {

struct JpegFailure {
    jpeg_error_mgr manager;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

void OnError(j_common_ptr jpeg) {
    auto* failure = reinterpret_cast<JpegFailure*>(jpeg->err);
    failure->manager.format_message(jpeg, failure->message);
    std::longjmp(failure->jump, 1);
}

void NoMessage(j_common_ptr) {}

struct Destination {
    jpeg_destination_mgr manager;
    QIODevice* device;
    std::array<JOCTET, 65536> buffer;
};

Destination& DestinationOf(j_compress_ptr jpeg) {
    return *reinterpret_cast<Destination*>(jpeg->dest);
}

void StartBuffer(j_compress_ptr jpeg) {
    Destination& destination = DestinationOf(jpeg);
    destination.manager.next_output_byte = destination.buffer.data();
    destination.manager.free_in_buffer = destination.buffer.size();
}

void WriteOut(j_compress_ptr jpeg, std::size_t bytes) {
    Destination& destination = DestinationOf(jpeg);
    if (destination.device->write(reinterpret_cast<const char*>(destination.buffer.data()),
                                  static_cast<qint64>(bytes)) != static_cast<qint64>(bytes)) {
        // The device holds the reason.
        std::longjmp(reinterpret_cast<JpegFailure*>(jpeg->err)->jump, 1);
    }
}

boolean EmptyBuffer(j_compress_ptr jpeg) {
    WriteOut(jpeg, DestinationOf(jpeg).buffer.size());
    StartBuffer(jpeg);
    return TRUE;
}

void FinishBuffer(j_compress_ptr jpeg) {
    const Destination& destination = DestinationOf(jpeg);
    WriteOut(jpeg, destination.buffer.size() - destination.manager.free_in_buffer);
}

// Kept apart from its caller so that no C++ object lives across the longjmp of a failure.
bool Compress(jpeg_compress_struct& jpeg, JpegFailure& failure, RowSource& rows, RowConversion& rgb,
              Destination& destination) {
    if (setjmp(failure.jump)) {
        return false;
    }
    jpeg_create_compress(&jpeg);
    jpeg.dest = &destination.manager;
    const QSize size = rows.size();
    jpeg.image_width = static_cast<JDIMENSION>(size.width());
    jpeg.image_height = static_cast<JDIMENSION>(size.height());
    jpeg.input_components = 3;
    jpeg.in_color_space = JCS_RGB;
    // The defaults write a JFIF header with no density unit and a 1:1 aspect: no resolution.
    jpeg_set_defaults(&jpeg);
    if (const int dpi = rows.dotsPerInch(); dpi > 0) {
        jpeg.density_unit = 1; // dots per inch
        jpeg.X_density = jpeg.Y_density = static_cast<UINT16>(dpi);
    }
    jpeg_set_quality(&jpeg, 90, TRUE);
    jpeg_start_compress(&jpeg, TRUE);
    const int width = size.width();
    for (int y = 0; y < size.height(); ++y) {
        JSAMPROW row = const_cast<JSAMPROW>(rgb.Get(rows, y, [&](const uchar* grey, uchar* out) {
            for (int x = 0; x < width; ++x) {
                out[3 * x] = out[3 * x + 1] = out[3 * x + 2] = grey[x];
            }
        }));
        jpeg_write_scanlines(&jpeg, &row, 1);
    }
    jpeg_finish_compress(&jpeg);
    return true;
}

} // namespace

Result<> WriteJpeg(RowSource& rows, QIODevice& device) {
    jpeg_compress_struct jpeg{};
    JpegFailure failure{};
    jpeg.err = jpeg_std_error(&failure.manager);
    failure.manager.error_exit = OnError;
    failure.manager.output_message = NoMessage;
    auto destination = std::make_unique<Destination>();
    destination->manager.init_destination = StartBuffer;
    destination->manager.empty_output_buffer = EmptyBuffer;
    destination->manager.term_destination = FinishBuffer;
    destination->device = &device;
    RowConversion rgb(3 * static_cast<std::size_t>(rows.size().width()));
    const bool ok = Compress(jpeg, failure, rows, rgb, *destination);
    jpeg_destroy_compress(&jpeg);
    if (!ok) {
        return Failure{QString::fromUtf8(failure.message)};
    }
    return {};
}

} // namespace picture
