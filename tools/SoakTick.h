#pragma once
// The soak's build of the program: "SoakPingerTickMs", stored by
// scripts/soak.sh beside the pinger's values, shortens the schedule's tick
// from 65,535 ms. The panel never writes it; a number outside 100 to 65,535
// (or none) leaves the usual tick.
#include <cstdint>
#include <string_view>

namespace tw {

inline constexpr std::string_view kSoakTickValueName = "SoakPingerTickMs";
inline constexpr std::uint32_t kSoakTickMinMs = 100;

}  // namespace tw
