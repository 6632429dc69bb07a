#include "ui/OptionGroup.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tuning/WizardMode.h"

namespace tw::ui {
namespace {

// Follows the arrows from button `from`, naming each button reached by its letter.
std::string Walk(std::span<const PixelRect> buttons, std::size_t from, Arrow arrow, int steps) {
  std::string path;
  for (int i = 0; i < steps; ++i) {
    from = NextOption(buttons, from, arrow);
    path += static_cast<char>('A' + from);
  }
  return path;
}

TEST(OptionGroup, WizardModesMoveInTheirColumnsAndRows) {
  // A C E G on the left, B D F H ("Windows default") on the right; the rows
  // overlap by a pixel as laid out.
  std::vector<PixelRect> modes;
  for (int i = 0; i < kPresetCount; ++i) {
    modes.push_back(ControlRect(*FindControl(kWizardModeControls, OptModeId(i)), kWizardModeControls));
  }
  EXPECT_EQ("CEGA", Walk(modes, 0, Arrow::Down, 4)) << "round within the column";
  EXPECT_EQ("HFDB", Walk(modes, 1, Arrow::Up, 4));
  EXPECT_EQ("DC", Walk(modes, 2, Arrow::Right, 2)) << "across, and round within the row";
  EXPECT_EQ("GH", Walk(modes, 7, Arrow::Left, 2));
}

TEST(OptionGroup, AGroupOfOneRowOrColumnStepsInOrderForTheOtherArrows) {
  // Automatic and manual side by side, as on the pinger.
  const PixelRect row[] = {{66, 14, 113, 17}, {260, 14, 113, 17}};
  EXPECT_EQ("BA", Walk(row, 0, Arrow::Down, 2));
  EXPECT_EQ("BA", Walk(row, 0, Arrow::Up, 2));
  EXPECT_EQ("B", Walk(row, 0, Arrow::Right, 1));

  // Four connection types one under the other.
  const PixelRect column[] = {{8, 20, 200, 17}, {8, 40, 200, 17}, {8, 60, 200, 17}, {8, 80, 200, 17}};
  EXPECT_EQ("BCDA", Walk(column, 0, Arrow::Right, 4));
  EXPECT_EQ("DCBA", Walk(column, 0, Arrow::Left, 4));
  EXPECT_EQ("D", Walk(column, 0, Arrow::Up, 1));

  // Ragged: C alone in its column below A; B has no column but itself.
  const PixelRect ragged[] = {{0, 0, 100, 17}, {150, 0, 100, 17}, {0, 20, 100, 17}};
  EXPECT_EQ("C", Walk(ragged, 1, Arrow::Down, 1)) << "on in order";
  EXPECT_EQ("CA", Walk(ragged, 0, Arrow::Down, 2));
  EXPECT_EQ(0u, NextOption(std::span<const PixelRect>(ragged, 1), 0, Arrow::Down)) << "alone: stays";
}

}  // namespace
}  // namespace tw::ui
