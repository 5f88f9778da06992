// The scan reflectance profile: reflectance (0 to 1) along one scan line as a reader sees it
// through a circular aperture, one sample per pixel column.
#pragma once

#include "verify/reflectance_image.h"

#include <vector>

namespace verify {

// The profile along row y from column x0 to x1 (excluded) through an aperture of the given
// diameter in pixels; pixels the aperture covers in part count in part.
std::vector<double> ScanProfile(const ReflectanceImage& image, int y, int x0, int x1,
                                double apertureDiameter);

} // namespace verify
