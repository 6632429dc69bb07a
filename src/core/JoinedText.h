#pragma once
// Texts joined at compile time, so that a name shown inside a longer text, or
// a key inside a longer key, is still spelled in one place.
#include <algorithm>
#include <array>
#include <cstddef>
#include <string_view>

namespace tw {
namespace detail {

template <const std::string_view&... Parts>
inline constexpr auto kJoinedChars = [] {
  std::array<char, (std::size_t{0} + ... + Parts.size())> text{};
  auto out = text.begin();
  ((out = std::copy(Parts.begin(), Parts.end(), out)), ...);
  return text;
}();

}  // namespace detail

// The parts one after another, in static storage (not NUL-terminated).
template <const std::string_view&... Parts>
inline constexpr std::string_view kJoined{detail::kJoinedChars<Parts...>.data(),
                                          detail::kJoinedChars<Parts...>.size()};

}  // namespace tw
