#include "picture/row_conversion.h"

#include <cstring>

namespace picture {

void PackBlackAndWhite(const uchar* grey, int width, uchar* out, std::size_t outBytes) {
    std::memset(out, 0, outBytes);
    for (int x = 0; x < width; ++x) {
        if (grey[x] & 0x80) {
            out[x >> 3] |= static_cast<uchar>(0x80 >> (x & 7));
        }
    }
}

} // namespace picture
