#include "ui/ControlLayout.h"

#include <gtest/gtest.h>

namespace tw::ui {
namespace {

constexpr ControlSpec kTable[] = {
    {10, ControlKind::Frame, "Outer", 75, 165, 6285, 2995},
    {11, ControlKind::Frame, "Inner", 150, 300, 3000, 1500, 10},
    {12, ControlKind::OptionButton, "A", 120, 240, 1695, 255, 11, 0},
    {13, ControlKind::Button, "Go", 2670, 3210, 1390, 405},
    {14, ControlKind::Label, "", 30, 30, 15, 22, 99},
};

TEST(ControlLayout, TwipsBecomePixelsRoundingTiesToEven) {
  EXPECT_EQ(5, TwipsToPixels(75));
  EXPECT_EQ(11, TwipsToPixels(165));
  EXPECT_EQ(8, TwipsToPixels(120)) << "exactly 8";
  EXPECT_EQ(1, TwipsToPixels(22)) << "1.47 rounds down";
  EXPECT_EQ(2, TwipsToPixels(30, 120)) << "2.5 at 120 DPI ties to even";
  EXPECT_EQ(4, TwipsToPixels(42, 120)) << "3.5 ties to even";
  EXPECT_EQ(9, TwipsToPixels(90, 144)) << "10 twips a pixel";
}

TEST(ControlLayout, AtAnyDpiEdgesAreRoundedSoControlsThatMeetStillMeet) {
  // 18 twips is 1.5 pixels at 120 DPI: sizes rounded one by one would overlap by a pixel.
  constexpr ControlSpec kPair[] = {{1, ControlKind::Label, "A", 18, 0, 18, 18},
                                   {2, ControlKind::Label, "B", 36, 0, 18, 18}};
  const PixelRect a = ControlRect(kPair[0], kPair, 120), b = ControlRect(kPair[1], kPair, 120);
  EXPECT_EQ(b.left, a.left + a.width);
  EXPECT_EQ(20, ScalePixels(13, 144)) << "19.5 rounds away from zero, as MulDiv does";
  EXPECT_EQ(19, ScaleFontPixels(13, 144)) << "a font rounds down";
  EXPECT_EQ(96, UsableDpi(0)) << "no answer";
  EXPECT_EQ(480, UsableDpi(960));
}

TEST(ControlLayout, ContainedControlsAddTheirFramesOffsets) {
  EXPECT_EQ((PixelRect{5, 11, 419, 200}), ControlRect(kTable[0], kTable));
  EXPECT_EQ((PixelRect{15, 31, 200, 100}), ControlRect(kTable[1], kTable));
  // (75 + 150 + 120, 165 + 300 + 240) twips
  EXPECT_EQ((PixelRect{23, 47, 113, 17}), ControlRect(kTable[2], kTable));
  EXPECT_EQ((PixelRect{178, 214, 93, 27}), ControlRect(kTable[3], kTable));
  EXPECT_EQ((PixelRect{2, 2, 1, 1}), ControlRect(kTable[4], kTable)) << "unknown container: panel";
}

TEST(ControlLayout, ContentIsCentredAndOneLineControlsMayWidenUpToTheirNeighbours) {
  // Without the lost label: content from (5, 11) to (424, 241), 419 x 230 in 440 x 250.
  const auto found = std::span(kTable).first(4);
  EXPECT_EQ((PixelOffset{5, -1}), CentringOffset(found, 440, 250));
  EXPECT_EQ((PixelOffset{-5, -11}), CentringOffset(found, 100, 100)) << "too large: top-left kept inside";
  EXPECT_EQ((PixelOffset{0, 0}), CentringOffset({}, 440, 250));

  constexpr ControlSpec kRow[] = {
      {20, ControlKind::Frame, "Row", 0, 0, 6000, 1500},
      {21, ControlKind::OptionButton, "Left", 120, 240, 1500, 255, 20, 0},
      {22, ControlKind::OptionButton, "Right", 3000, 240, 1500, 255, 20, 1},
      {23, ControlKind::Label, "Below", 120, 600, 1500, 255, 20},
      {24, ControlKind::Label, "Outside", 6300, 240, 1500, 255},
  };
  EXPECT_EQ(200 - 6, RightLimit(kRow[1], kRow, 600)) << "short of the right option";
  EXPECT_EQ(400 - 6, RightLimit(kRow[2], kRow, 600)) << "inside its frame, not up to the label beyond it";
  EXPECT_EQ(400 - 6, RightLimit(kRow[3], kRow, 600)) << "nothing beside it on its line";
  EXPECT_EQ(600, RightLimit(kRow[4], kRow, 600));
  EXPECT_EQ(520, RightLimit(kRow[4], kRow, 500)) << "never narrower than designed";
}

TEST(ControlLayout, SkinObjectsByKind) {
  EXPECT_EQ("Button", SkinObjectFor(ControlKind::Button));
  EXPECT_EQ("Label", SkinObjectFor(ControlKind::SkinLabel));
  EXPECT_EQ("Frame", SkinObjectFor(ControlKind::Frame));
  EXPECT_EQ("CheckBox", SkinObjectFor(ControlKind::CheckBox));
  EXPECT_EQ("RadioBox", SkinObjectFor(ControlKind::OptionButton));
  for (ControlKind other : {ControlKind::Label, ControlKind::TextBox, ControlKind::ComboBox,
                            ControlKind::ListView, ControlKind::Slider, ControlKind::UpDown,
                            ControlKind::Histogram}) {
    EXPECT_EQ("", SkinObjectFor(other));
  }
}

}  // namespace
}  // namespace tw::ui
