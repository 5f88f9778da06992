// The typeface and point size of the program's current options, read from the settings file in
// the user's data folder, as the window would restore them.
#pragma once

#include <string>

namespace office {

struct CurrentFace {
    std::u16string faceName;
    double points;
};

// "Sample 93 d HR" at 24 points when there is no settings file; a stored point size that is not a
// number from 1 to 1000 gives 24 points too.
CurrentFace ReadCurrentFace();

} // namespace office
