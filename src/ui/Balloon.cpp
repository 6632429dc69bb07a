#include "ui/Balloon.h"

#include <algorithm>
#include <cmath>

#include "core/Numbers.h"

namespace tw::ui {

RoundedRect BodyRegionRect(int width, int height) { return {0, 20, width - 14, height - 32, 20, 20}; }
RoundedRect BodyPaintRect(int width, int height) { return {0, 20, width - 15, height - 33, 24, 24}; }
RoundedRect ShadowRegionRect(int width, int height) { return {11, 29, width - 5, height - 23, 45, 35}; }

Triangle OuterTail(TailStyle style, int w, int h) {
  switch (style) {
    case TailStyle::BottomRight: return {{{w - 61, h - 34}, {w - 36, h - 34}, {w - 36, h - 9}}};
    case TailStyle::TopRight: return {{{w - 58, 20}, {w - 38, 20}, {w - 38, 0}}};
    case TailStyle::BottomLeft: return {{{41, h - 34}, {66, h - 34}, {41, h - 9}}};
    case TailStyle::TopLeft: return {{{40, 20}, {60, 20}, {40, 0}}};
    case TailStyle::None: break;
  }
  return {};
}

Triangle InnerTail(TailStyle style, int w, int h) {
  switch (style) {
    case TailStyle::BottomRight: return {{{w - 62, h - 35}, {w - 37, h - 35}, {w - 37, h - 11}}};
    case TailStyle::TopRight: return {{{w - 59, 22}, {w - 39, 22}, {w - 39, 2}}};
    case TailStyle::BottomLeft: return {{{42, h - 35}, {66, h - 35}, {42, h - 11}}};
    case TailStyle::TopLeft: return {{{41, 21}, {59, 21}, {41, 3}}};
    case TailStyle::None: break;
  }
  return {};
}

BalloonPlacement PlaceBalloon(float x, float y, BalloonPoint cursor, int screenWidth, int screenHeight, int width,
                              int height) {
  BalloonPoint target = cursor;
  if (x != 0 && y != 0) target = {static_cast<int>(RoundHalfAway(x)), static_cast<int>(RoundHalfAway(y))};
  // Halves compared in doubled pixels, so an odd screen's middle line counts exactly.
  const bool left = 2 * target.x <= screenWidth;
  const bool upper = 2 * target.y <= screenHeight;
  if (upper && left) return {TailStyle::TopLeft, target.x - 42, target.y};
  if (upper) return {TailStyle::TopRight, target.x + 42 - width, target.y};
  if (left) return {TailStyle::BottomLeft, target.x - 42, target.y - height};
  return {TailStyle::BottomRight, target.x + 42 - width, target.y - height};
}

int ShadowWeight(int n) { return 20 * ((17 - n) / 2 + 1); }

void ForEachShadowPixel(int w, int h, const std::function<void(int, int, int)>& visit) {
  for (int n = kShadowBand - 1; n >= 0; --n) {
    const int weight = ShadowWeight(n);
    for (int x = n + 5; x <= w - 5 - n; ++x) visit(x, h - 23 - n, weight);
    for (int y = n + 23; y <= h - 23 - n; ++y) visit(w - 5 - n, y, weight);
  }
}

int BoundShadowLift(int lift) { return std::clamp(lift, 0, kMaxShadowLift); }

std::uint32_t ShadowPixel(std::uint32_t pixel, int weight, int lift) {
  std::uint32_t result = 0;
  for (int shift = 0; shift < 24; shift += 8) {
    const auto byte = static_cast<std::uint8_t>(pixel >> shift);
    result |= static_cast<std::uint32_t>(ShadowByte(byte, weight, lift)) << shift;
  }
  return result;
}

void ShadeBand(const std::uint32_t* behind, std::uint32_t* surface, int w, int h, int lift) {
  lift = BoundShadowLift(lift);
  // The same pixels as ForEachShadowPixel, visited without a call per pixel;
  // a pixel on the band's diagonal is shaded twice from `behind`, and the
  // later (column) value wins, as it does there.
  for (int n = kShadowBand - 1; n >= 0; --n) {
    const int weight = ShadowWeight(n);
    const int row = h - 23 - n;
    if (row >= 0 && row < h) {
      const int first = std::max(n + 5, 0), last = std::min(w - 5 - n, w - 1);
      for (int x = first; x <= last; ++x) {
        surface[row * w + x] = ShadowPixel(behind[row * w + x], weight, lift);
      }
    }
    const int column = w - 5 - n;
    if (column >= 0 && column < w) {
      const int first = std::max(n + 23, 0), last = std::min(h - 23 - n, h - 1);
      for (int y = first; y <= last; ++y) {
        surface[y * w + column] = ShadowPixel(behind[y * w + column], weight, lift);
      }
    }
  }
}

}  // namespace tw::ui
