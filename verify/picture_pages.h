// The pages of a picture file to verify: a PNG, JPEG, BMP or GIF picture is one page; a PDF is
// rasterised page by page with pdftoppm (poppler-utils), in grey and smoothed as a scanner sees.
#pragma once

#include "result/result.h"

#include <QImage>
#include <QString>
#include <functional>
#include <optional>

namespace verify {

inline constexpr int PdfResolution = 600; // dots per inch a PDF is rasterised at

struct Page {
    QImage image;
    int number = 1;
    std::optional<int> dpi; // known for a rasterised PDF page
};

// Hands each page of the file to use, one at a time so that a long PDF never lies in memory
// whole; fails, saying why, when the file cannot be read.
Result<> ForEachPage(const QString& file, int pdfResolution,
                     const std::function<void(const Page& page)>& use);

} // namespace verify
