#include "verify/reflectance_image.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace verify {
namespace {

constexpr int SampleStep = 4; // every 4th pixel of every 4th row is plenty for a histogram

} // namespace

ReflectanceImage::ReflectanceImage(const QImage& picture)
    : width_(picture.width()), height_(picture.height()),
      pixels_(std::size_t(width_) * std::size_t(height_)) {
    const bool grey = picture.isGrayscale();
    const QImage converted =
        picture.convertToFormat(grey ? QImage::Format_Grayscale8 : QImage::Format_RGB32);
    for (int y = 0; y < height_; ++y) {
        std::uint8_t* out = pixels_.data() + std::size_t(y) * width_;
        if (grey) {
            std::memcpy(out, converted.constScanLine(y), std::size_t(width_));
            continue;
        }
        const auto* in = reinterpret_cast<const QRgb*>(converted.constScanLine(y));
        for (int x = 0; x < width_; ++x) {
            out[x] = static_cast<std::uint8_t>(qRed(in[x]));
        }
    }
}

ReflectanceImage::ReflectanceImage(int width, int height, std::vector<std::uint8_t> pixels)
    : width_(width), height_(height), pixels_(std::move(pixels)) {}

std::uint8_t ReflectanceImage::clampedAt(int x, int y) const {
    return row(std::clamp(y, 0, height_ - 1))[std::clamp(x, 0, width_ - 1)];
}

void ReflectanceImage::turn() {
    std::reverse(pixels_.begin(), pixels_.end());
}

int DarkLightThreshold(const ReflectanceImage& image) {
    std::array<double, 256> histogram{};
    double count = 0;
    for (int y = 0; y < image.height(); y += SampleStep) {
        const std::uint8_t* row = image.row(y);
        for (int x = 0; x < image.width(); x += SampleStep) {
            ++histogram[row[x]];
            ++count;
        }
    }
    double total = 0;
    for (int level = 0; level < 256; ++level) {
        total += level * histogram[level];
    }
    double below = 0;
    double belowSum = 0;
    double bestSpread = -1;
    int best = 128;
    for (int level = 0; level < 255; ++level) {
        below += histogram[level];
        belowSum += level * histogram[level];
        const double above = count - below;
        if (below == 0 || above == 0) {
            continue;
        }
        const double meanGap = belowSum / below - (total - belowSum) / above;
        const double spread = below * above * meanGap * meanGap;
        if (spread > bestSpread) {
            bestSpread = spread;
            best = level;
        }
    }
    return best; // a pixel at or below it is dark
}

} // namespace verify
