// A writer's own form of a row (packed bits, palette indexes, RGB), made once for each run of
// equal rows.
#pragma once

#include "picture/row_source.h"

#include <cstddef>
#include <vector>

namespace picture {

class RowConversion {
public:
    explicit RowConversion(std::size_t bytes) : bytes_(bytes) {}

    // convert(const uchar* grey, uchar* out) fills the row's converted form.
    template <typename Convert> const uchar* Get(RowSource& rows, int y, Convert convert) {
        const int key = rows.keyOf(y);
        if (key != key_) {
            convert(rows.row(y), bytes_.data());
            key_ = key;
        }
        return bytes_.data();
    }

private:
    std::vector<uchar> bytes_;
    int key_ = -1;
};

// One bit a pixel, the leftmost pixel in the high bit, 1 for white; the rest of out is zero.
void PackBlackAndWhite(const uchar* grey, int width, uchar* out, std::size_t outBytes);

} // namespace picture
