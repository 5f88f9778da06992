// A picture as the verifier sees it: one reflectance byte a pixel (0 black, 255 white), from the
// grey of a grey picture or the red channel of a colour one, as a scanner's red light sees ink.
#pragma once

#include <QImage>
#include <cstdint>
#include <vector>

namespace verify {

class ReflectanceImage {
public:
    ReflectanceImage() = default;
    explicit ReflectanceImage(const QImage& picture);
    ReflectanceImage(int width, int height, std::vector<std::uint8_t> pixels);

    int width() const { return width_; }
    int height() const { return height_; }
    const std::uint8_t* row(int y) const { return pixels_.data() + std::size_t(y) * width_; }
    // Outside the picture the nearest pixel inside counts.
    std::uint8_t clampedAt(int x, int y) const;
    // Turns the picture half round, for symbols printed or scanned upside down.
    void turn();

private:
    int width_ = 0;
    int height_ = 0;
    std::vector<std::uint8_t> pixels_;
};

// The threshold between dark and light that splits the picture's grey levels best (Otsu's
// method over a sample of the pixels): used to find symbols, not to grade them.
int DarkLightThreshold(const ReflectanceImage& image);

} // namespace verify
