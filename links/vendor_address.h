// The maker's postal and telephone details, shown by the about box and printed on the sample
// page, kept in one place so the two cannot drift.
#pragma once

namespace vendor {

inline constexpr char Street[] = "93 Harbour Lane";
inline constexpr char Town[] = "Millbrook, ST 01093";
inline constexpr char Phone[] = "+1 555 0193";
inline constexpr char Fax[] = "+1 555 0194";

} // namespace vendor
