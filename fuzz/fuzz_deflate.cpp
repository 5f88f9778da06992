// The PNG writer's own deflate encoder on any rows: runs and literals fed in any pieces, streams
// aligned at any point, and self-contained blocks spliced in as the writer splices repeated
// rows. zlib must inflate the stream back to exactly the data, and the running Adler-32 must be
// zlib's.
#include "fuzz/fuzz_check.h"
#include "picture/row_deflater.h"

#include <cstdint>
#include <fuzzer/FuzzedDataProvider.h>
#include <vector>
#include <zlib.h>

namespace {

// Bytes as rows look after the Up filter: runs of one value with single bytes between them.
std::vector<unsigned char> Piece(FuzzedDataProvider& input) {
    std::vector<unsigned char> bytes;
    const int runs = input.ConsumeIntegralInRange(0, 64);
    for (int r = 0; r < runs; ++r) {
        const auto value = input.ConsumeIntegral<unsigned char>();
        const auto length = input.ConsumeIntegralInRange<std::size_t>(1, 2000);
        bytes.insert(bytes.end(), length, value);
    }
    return bytes;
}

std::vector<unsigned char> Inflate(const std::vector<unsigned char>& stream, std::size_t size) {
    std::vector<unsigned char> out(size + 1);
    z_stream z{};
    FUZZ_CHECK(inflateInit2(&z, -MAX_WBITS) == Z_OK);
    z.next_in = const_cast<unsigned char*>(stream.data());
    z.avail_in = static_cast<uInt>(stream.size());
    z.next_out = out.data();
    z.avail_out = static_cast<uInt>(out.size());
    FUZZ_CHECK(inflate(&z, Z_FINISH) == Z_STREAM_END);
    FUZZ_CHECK(z.avail_in == 0); // nothing after the last block
    out.resize(out.size() - z.avail_out);
    inflateEnd(&z);
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    std::vector<unsigned char> stream;
    std::vector<unsigned char> expected;
    picture::RowDeflater deflater(stream);
    while (input.remaining_bytes() > 0) {
        switch (input.ConsumeIntegralInRange(0, 3)) {
        case 0:
        case 1: {
            const std::vector<unsigned char> piece = Piece(input);
            deflater.Add(piece.data(), piece.size());
            expected.insert(expected.end(), piece.begin(), piece.end());
            break;
        }
        case 2:
            deflater.Align();
            break;
        default: { // a block made on its own, spliced in after an alignment
            const std::vector<unsigned char> piece = Piece(input);
            std::vector<unsigned char> block;
            picture::RowDeflater own(block);
            own.Add(piece.data(), piece.size());
            own.Align();
            deflater.Align();
            stream.insert(stream.end(), block.begin(), block.end());
            for (const unsigned char byte : piece) {
                deflater.checksum().AddByte(byte);
            }
            expected.insert(expected.end(), piece.begin(), piece.end());
            break;
        }
        }
    }
    deflater.Finish();
    FUZZ_CHECK(Inflate(stream, expected.size()) == expected);
    const uLong adler = adler32_z(adler32_z(0, nullptr, 0), expected.data(), expected.size());
    FUZZ_CHECK(deflater.checksum().value() == adler);
    return 0;
}
