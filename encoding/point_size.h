// The point sizes a barcode may be set at, in the window and on the command line alike.
#pragma once

namespace code93 {

inline constexpr int SmallestPointSize = 18;
// Rich text (the clipboard's, the label templates') gives sizes in half points, which word
// processors read as 16-bit numbers: a larger size would paste as another one.
inline constexpr int LargestPointSize = 16383;

} // namespace code93
