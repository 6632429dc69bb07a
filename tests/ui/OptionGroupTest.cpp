#include "ui/OptionGroup.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tuning/WizardMode.h"

namespace tw::ui {
namespace {

// Follows an arrow from button `from` `steps` times, naming each button reached by its letter.
std::string Walk(std::span<const PixelRect> buttons, std::size_t from, Arrow arrow, int steps) {
  std::string path;
  for (int i = 0; i < steps; ++i) path += static_cast<char>('A' + (from = NextOption(buttons, from, arrow)));
  return path;
}

TEST(OptionGroup, WizardModesMoveInTheirColumnsAndRows) {
  // A C E G on the left, B D F H ("Windows default") on the right; the rows overlap by a pixel.
  std::vector<PixelRect> modes;
  for (int i = 0; i < kPresetCount; ++i) {
    modes.push_back(ControlRect(*FindControl(kWizardModeControls, OptModeId(i)), kWizardModeControls));
  }
  EXPECT_EQ("CEGA", Walk(modes, 0, Arrow::Down, 4)) << "round within the column";
  EXPECT_EQ("HFDB", Walk(modes, 1, Arrow::Up, 4));
  EXPECT_EQ("DC", Walk(modes, 2, Arrow::Right, 2)) << "across, and round within the row";
}

TEST(OptionGroup, AnArrowWithNowhereToGoStepsThroughTheGroupInOrder) {
  const PixelRect row[] = {{66, 14, 113, 17}, {260, 14, 113, 17}};  // automatic and manual, side by side
  EXPECT_EQ("BA", Walk(row, 0, Arrow::Down, 2));
  const PixelRect column[] = {{8, 20, 200, 17}, {8, 40, 200, 17}, {8, 60, 200, 17}, {8, 80, 200, 17}};
  EXPECT_EQ("BCDA", Walk(column, 0, Arrow::Right, 4));
  EXPECT_EQ("DC", Walk(column, 0, Arrow::Left, 2));
  const PixelRect ragged[] = {{0, 0, 100, 17}, {150, 0, 100, 17}, {0, 20, 100, 17}};  // B alone in its column
  EXPECT_EQ("CA", Walk(ragged, 1, Arrow::Down, 2));
  EXPECT_EQ(0u, NextOption(std::span<const PixelRect>(ragged, 1), 0, Arrow::Down)) << "alone: stays";
}

}  // namespace
}  // namespace tw::ui
