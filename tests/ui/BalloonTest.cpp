#include <gtest/gtest.h>

#include <vector>

#include "ui/Balloon.h"

namespace tw::ui {
namespace {

constexpr int kScreenW = 1024, kScreenH = 768, kW = 359, kH = 150;

// Where the tail's tip lands on the screen for a box placed for `target`.
BalloonPoint TipOnScreen(BalloonPoint target) {
  const BalloonPlacement place = PlaceBalloon(target.x, target.y, {}, kScreenW, kScreenH, kW, kH);
  const BalloonPoint tip = OuterTail(place.style, kW, kH)[2];
  return {place.left + tip.x, place.top + tip.y};
}

TEST(BalloonPlacement, EachQuadrantHangsTheBoxAwayFromTheNearerEdgesWithTheTailAtThePoint) {
  // Upper left: below and to the right of the point, tail top left.
  EXPECT_EQ((BalloonPlacement{TailStyle::TopLeft, 100 - 42, 100}),
            PlaceBalloon(100, 100, {}, kScreenW, kScreenH, kW, kH));
  EXPECT_EQ((BalloonPlacement{TailStyle::TopRight, 900 + 42 - kW, 100}),
            PlaceBalloon(900, 100, {}, kScreenW, kScreenH, kW, kH));
  EXPECT_EQ((BalloonPlacement{TailStyle::BottomLeft, 100 - 42, 700 - kH}),
            PlaceBalloon(100, 700, {}, kScreenW, kScreenH, kW, kH));
  EXPECT_EQ((BalloonPlacement{TailStyle::BottomRight, 900 + 42 - kW, 700 - kH}),
            PlaceBalloon(900, 700, {}, kScreenW, kScreenH, kW, kH));

  // The tip lands within a few pixels of the point, as the tails were drawn.
  EXPECT_EQ((BalloonPoint{98, 100}), TipOnScreen({100, 100}));
  EXPECT_EQ((BalloonPoint{904, 100}), TipOnScreen({900, 100}));
  EXPECT_EQ((BalloonPoint{99, 691}), TipOnScreen({100, 700}));
  EXPECT_EQ((BalloonPoint{906, 691}), TipOnScreen({900, 700}));
}

TEST(BalloonPlacement, TheMiddleLinesCountAsLeftAndUpperAndZeroMeansTheCursor) {
  EXPECT_EQ(TailStyle::TopLeft, PlaceBalloon(512, 384, {}, kScreenW, kScreenH, kW, kH).style);
  EXPECT_EQ(TailStyle::BottomRight, PlaceBalloon(513, 385, {}, kScreenW, kScreenH, kW, kH).style);
  // An odd screen's middle lies between two pixels: the left one is left.
  EXPECT_EQ(TailStyle::TopLeft, PlaceBalloon(512, 100, {}, 1025, kScreenH, kW, kH).style);
  EXPECT_EQ(TailStyle::TopRight, PlaceBalloon(513, 100, {}, 1025, kScreenH, kW, kH).style);
  // Fractions round to whole pixels.
  EXPECT_EQ(TailStyle::BottomRight, PlaceBalloon(512.6f, 384.6f, {}, kScreenW, kScreenH, kW, kH).style);

  // x or y 0: the cursor's position, both coordinates.
  const BalloonPoint cursor{800, 600};
  EXPECT_EQ(PlaceBalloon(800, 600, {}, kScreenW, kScreenH, kW, kH),
            PlaceBalloon(0, 50, cursor, kScreenW, kScreenH, kW, kH));
  EXPECT_EQ(PlaceBalloon(800, 600, {}, kScreenW, kScreenH, kW, kH),
            PlaceBalloon(50, 0, cursor, kScreenW, kScreenH, kW, kH));
  // The still-running notice's corner: above and left of the bottom-right point.
  const BalloonPlacement corner = PlaceBalloon(kScreenW - 40, kScreenH, {}, kScreenW, kScreenH, kW, kH);
  EXPECT_EQ(TailStyle::BottomRight, corner.style);
  EXPECT_EQ(kScreenH - kH, corner.top);
}

std::vector<std::uint32_t> Filled(std::uint32_t value) { return std::vector<std::uint32_t>(kW * kH, value); }

TEST(BalloonShadow, OverWhiteTheBandRunsFrom19NextToTheBodyTo179Outermost) {
  const auto white = Filled(0xFFFFFF);
  auto surface = Filled(0xABCDEF);
  ShadeBand(white.data(), surface.data(), kW, kH, 0);
  auto at = [&](int x, int y) { return surface[y * kW + x]; };
  EXPECT_EQ(0x131313u, at(100, kH - 23 - 17)) << "innermost row";
  EXPECT_EQ(0xB3B3B3u, at(100, kH - 23)) << "outermost row";
  EXPECT_EQ(0x131313u, at(kW - 5 - 17, 60)) << "innermost column";
  EXPECT_EQ(0xB3B3B3u, at(kW - 5, 60)) << "outermost column";
  EXPECT_EQ(0xABCDEFu, at(100, 60)) << "inside the band's corner: untouched";
  EXPECT_EQ(0xABCDEFu, at(kW - 4, 60)) << "past the band";
  // The lift lightens; beyond 75 it would wrap past 255 and is held at 75.
  ShadeBand(white.data(), surface.data(), kW, kH, 75);
  EXPECT_EQ(0xFEFEFEu, at(100, kH - 23));
  auto held = Filled(0xABCDEF);
  ShadeBand(white.data(), held.data(), kW, kH, 500);
  EXPECT_EQ(surface, held);
  EXPECT_EQ(0, BoundShadowLift(-5));
}

TEST(BalloonShadow, TheInMemoryBandIsThePerPixelOnePixelForPixel) {
  // A background of distinct pixels, and a surface marked where nothing is drawn.
  std::vector<std::uint32_t> behind(kW * kH);
  for (int i = 0; i < kW * kH; ++i) behind[i] = static_cast<std::uint32_t>(i * 2654435761u) & 0xFFFFFF;
  auto reference = Filled(0x123456), fast = Filled(0x123456);
  int visited = 0;
  ForEachShadowPixel(kW, kH, [&](int x, int y, int weight) {
    reference[y * kW + x] = ShadowPixel(behind[y * kW + x], weight, 30);
    ++visited;
  });
  ShadeBand(behind.data(), fast.data(), kW, kH, 30);
  EXPECT_EQ(reference, fast);
  // 18 rows and 18 columns, line n shorter by 2n (the sum of n over 0 to 17 is 153).
  EXPECT_EQ(18 * ((kW - 9) + (kH - 45)) - 4 * 153, visited);
}

}  // namespace
}  // namespace tw::ui
