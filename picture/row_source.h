// Rows of an 8-bit grey picture, handed to a file writer one at a time.
#pragma once

#include <QSize>
#include <QtGlobal>

namespace picture {

class RowSource {
public:
    virtual ~RowSource() = default;
    virtual QSize size() const = 0;
    // Every pixel is 0 or 255, so the picture may be stored with one bit a pixel.
    virtual bool blackAndWhite() const = 0;
    // Rows with equal keys are equal, so a writer converts each distinct row once.
    virtual int keyOf(int y) const = 0;
    // Any row, in any order; valid until the next call.
    virtual const uchar* row(int y) = 0;
    // The resolution the file stores, in dots per inch; 0: none.
    virtual int dotsPerInch() const { return 0; }
};

} // namespace picture
