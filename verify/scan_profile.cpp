#include "verify/scan_profile.h"

#include <cmath>

namespace verify {
namespace {

constexpr int Subsamples = 8; // per pixel and axis, for the share of a pixel the circle covers

struct Weight {
    int dx = 0;
    int dy = 0;
    double weight = 0;
};

// The aperture centred on a pixel's centre as weights of the pixels it covers, summing to 1.
std::vector<Weight> ApertureWeights(double diameter) {
    const double r = std::max(diameter, 1.0) / 2;
    const int reach = static_cast<int>(std::ceil(r - 0.5));
    std::vector<Weight> weights;
    double total = 0;
    for (int dy = -reach; dy <= reach; ++dy) {
        for (int dx = -reach; dx <= reach; ++dx) {
            int inside = 0;
            for (int sy = 0; sy < Subsamples; ++sy) {
                for (int sx = 0; sx < Subsamples; ++sx) {
                    const double px = dx - 0.5 + (sx + 0.5) / Subsamples;
                    const double py = dy - 0.5 + (sy + 0.5) / Subsamples;
                    inside += px * px + py * py <= r * r;
                }
            }
            if (inside > 0) {
                weights.push_back({dx, dy, double(inside)});
                total += inside;
            }
        }
    }
    for (Weight& w : weights) {
        w.weight /= total;
    }
    return weights;
}

} // namespace

std::vector<double> ScanProfile(const ReflectanceImage& image, int y, int x0, int x1,
                                double apertureDiameter) {
    const std::vector<Weight> weights = ApertureWeights(apertureDiameter);
    std::vector<double> profile;
    profile.reserve(std::size_t(std::max(0, x1 - x0)));
    for (int x = x0; x < x1; ++x) {
        double sum = 0;
        for (const Weight& w : weights) {
            sum += w.weight * image.clampedAt(x + w.dx, y + w.dy);
        }
        profile.push_back(sum / 255);
    }
    return profile;
}

} // namespace verify
