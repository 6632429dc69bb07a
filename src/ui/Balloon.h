#pragma once
// The balloon shape of the program's own message window: a rounded body, an
// optional tail whose tip points at a screen position, and a drop shadow along
// the right and bottom edges made by darkening what lies behind the window.
// Everything here is geometry and arithmetic; drawing it is ui/win32's job.
#include <array>
#include <cstdint>
#include <functional>

namespace tw::ui {

struct BalloonPoint {
  int x = 0, y = 0;
  bool operator==(const BalloonPoint&) const = default;
};

// A rounded rectangle as CreateRoundRectRgn and RoundRect take it.
struct RoundedRect {
  int left, top, right, bottom, ellipseWidth, ellipseHeight;
  bool operator==(const RoundedRect&) const = default;
};

// Where the tail sits: 0 none, 1 bottom right, 2 top right, 3 bottom left, 4 top left.
enum class TailStyle { None = 0, BottomRight = 1, TopRight = 2, BottomLeft = 3, TopLeft = 4 };

// The body's region, the rectangle painted over it in the background colour
// (rounder corners, so a dark edge shows along the right and bottom), and the
// shadow's region, for a window of width x height client pixels.
RoundedRect BodyRegionRect(int width, int height);
RoundedRect BodyPaintRect(int width, int height);
RoundedRect ShadowRegionRect(int width, int height);
inline constexpr std::uint32_t kBodyEdgeColour = 0x464646;  // RGB(70, 70, 70)

using Triangle = std::array<BalloonPoint, 3>;
// The tail's outer triangle (filled black, its region is the tail's) and the
// inner one, a pixel smaller, in the background colour. Style None has none:
// both are all zeros.
Triangle OuterTail(TailStyle style, int width, int height);
Triangle InnerTail(TailStyle style, int width, int height);

struct BalloonPlacement {
  TailStyle style;
  int left, top;  // the window's top-left corner on the screen
  bool operator==(const BalloonPlacement&) const = default;
};

// Beside `target` on a screen of screenWidth x screenHeight: below an upper
// point and above a lower one, extending away from the nearer side. A point on
// a middle line counts as left or upper. An x or y of 0 means `cursor`.
BalloonPlacement PlaceBalloon(float x, float y, BalloonPoint cursor, int screenWidth, int screenHeight,
                              int width, int height);

// The shadow band is 18 pixels wide, n = 17 (next to the body, darkest) down
// to 0 (outermost, lightest): row H - 23 - n from x = n + 5 to W - 5 - n, and
// column W - 5 - n from y = n + 23 to H - 23 - n. `visit` gets every pixel of
// it with the weight of its line, rows first, n falling.
inline constexpr int kShadowBand = 18;
int ShadowWeight(int n);  // 20, 20, 40, 40 ... 180, 180 as n falls from 17 to 0
void ForEachShadowPixel(int width, int height, const std::function<void(int x, int y, int weight)>& visit);

// The lift is added to the blend's weight; above 75 the weight would pass
// 255 and the bytes wrap, below 0 it would go negative.
inline constexpr int kMaxShadowLift = 75;
int BoundShadowLift(int lift);

// One byte of a shadowed pixel: byte x (weight + lift) / 256, rounded down.
constexpr std::uint8_t ShadowByte(std::uint8_t byte, int weight, int lift) {
  return static_cast<std::uint8_t>(byte * (weight + lift) / 256);
}
// The same for a 0x00RRGGBB (or BGR) pixel, each byte on its own.
std::uint32_t ShadowPixel(std::uint32_t pixel, int weight, int lift);

// Shades the band of a width x height picture, 32 bits a pixel, row by row
// from the top: `behind` is what lies behind the window, `surface` the
// window's own pixels, of which only the band's are written.
void ShadeBand(const std::uint32_t* behind, std::uint32_t* surface, int width, int height, int lift);

}  // namespace tw::ui
