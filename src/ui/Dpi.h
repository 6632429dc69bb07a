#pragma once
// The screen's DPI as Windows 95 to XP report it ("Large fonts" is 120), read
// once at start-up, and what it makes of the lengths the program was drawn
// with at 96 DPI: layouts in twips, the navigation surface and the skin in
// pixels. Fonts and layouts grow by the same factor.
namespace tw::ui {

inline constexpr int kDesignDpi = 96;
inline constexpr int kTwipsPerInch = 1440;
inline constexpr int kMaxDpi = 480;

// What the screen reported, held to what the layouts are made for: less than
// 96 (or no answer) counts as 96, more than 480 as 480.
constexpr int UsableDpi(int reported) {
  return reported < kDesignDpi ? kDesignDpi : reported > kMaxDpi ? kMaxDpi : reported;
}

// A length of `pixels` at 96 DPI, at `dpi`: to the nearest pixel, halves away
// from zero, as MulDiv rounds.
constexpr int ScalePixels(int pixels, int dpi) {
  const long long scaled = static_cast<long long>(pixels) * dpi;
  const long long half = kDesignDpi / 2;
  return static_cast<int>(scaled >= 0 ? (scaled + half) / kDesignDpi : -((-scaled + half) / kDesignDpi));
}

// A font's pixel height at 96 DPI, at `dpi`: rounded down. Text does not grow
// exactly with its height, and the layouts were drawn with little room to
// spare; a font a fraction smaller keeps every caption inside its control.
constexpr int ScaleFontPixels(int pixels, int dpi) { return pixels * dpi / kDesignDpi; }

}  // namespace tw::ui
