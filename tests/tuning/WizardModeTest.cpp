// The preset panel's portable side: its description text and its layout.
#include "tuning/WizardMode.h"

#include <gtest/gtest.h>

namespace tw {
namespace {

PresetTable Presets() {
  PresetTable presets;
  LoadPresets(presets);
  return presets;
}

TEST(WizardMode, AutomaticADescriptionExactly) {
  EXPECT_EQ(
      "MSS = 536\tMTU = 576\t\tICMP = False\r\n"
      "\r\n"
      "NDI = 0\tMSCPS0 = 16\t\tMSCPS1 = 8\r\n"
      "\r\n"
      "BlackHole = False\tRWIN = 4288\t\r\n"
      "Keep Alive = 600000\r\n"
      "\r\n"
      "Keep Alive Interval= 1000\tSYN = 2\t\tTTL= 128\r\n"
      "\r\n",
      ModeDescription(Presets()[0]));
}

TEST(WizardMode, RemovedValuesShowAsMinusOneAndTheDefaultModeItsConnections) {
  const PresetTable presets = Presets();
  const std::string c = ModeDescription(presets[2]);
  EXPECT_NE(std::string::npos, c.find("MSS = -1\tMTU = -1\t"));
  EXPECT_NE(std::string::npos, c.find("RWIN = -1\t"));
  const std::string windowsDefault = ModeDescription(presets[7]);
  EXPECT_NE(std::string::npos, windowsDefault.find("MSCPS0 = 2\t\tMSCPS1 = 4"));
  EXPECT_NE(std::string::npos, windowsDefault.find("RWIN = 8192"));
  TcpIpSettings set = presets[0];
  set.ICMP = set.BlackHole = true;
  set.SYN = -2;
  EXPECT_NE(std::string::npos, ModeDescription(set).find("ICMP = True"));
  EXPECT_NE(std::string::npos, ModeDescription(set).find("BlackHole = True"));
  EXPECT_NE(std::string::npos, ModeDescription(set).find("SYN = -2\t"));
}

TEST(WizardMode, DescriptionCellsLineUpByTabs) {
  const auto lines = DescriptionCells(ModeDescription(Presets()[0]));
  ASSERT_EQ(10u, lines.size());
  EXPECT_EQ((std::vector<std::string>{"MSS = 536", "MTU = 576", "", "ICMP = False"}), lines[0]);
  EXPECT_EQ((std::vector<std::string>{""}), lines[1]);
  EXPECT_EQ((std::vector<std::string>{"BlackHole = False", "RWIN = 4288", ""}), lines[4]);
  EXPECT_EQ((std::vector<std::string>{"Keep Alive = 600000"}), lines[5]);
  EXPECT_EQ((std::vector<std::string>{"Keep Alive Interval= 1000", "SYN = 2", "", "TTL= 128"}), lines[7]);
  EXPECT_EQ((std::vector<std::string>{""}), lines[9]);
}

TEST(WizardMode, DescriptionColumnsHoldStillFromPresetToPreset) {
  const auto chars = [](std::string_view cell) { return static_cast<int>(cell.size()); };
  std::vector<std::string> all;
  for (const TcpIpSettings& preset : Presets()) all.push_back(ModeDescription(preset));
  const std::vector<int> columns = DescriptionColumns(all, chars, 2);
  // "Keep Alive Interval= 1000" (25) is the widest first cell; "Keep Alive =
  // 7200000" stands alone on its line and spans the row. "RWIN = 256960"
  // (13); the third column is empty, a gap; then "ICMP = False".
  EXPECT_EQ((std::vector<int>{0, 27, 42, 44}), columns);
  for (const std::string& shown : all) {
    std::vector<std::string> withShown = all;
    withShown.push_back(shown);
    EXPECT_EQ(columns, DescriptionColumns(withShown, chars, 2));
  }
  // A set no preset has, wider than all: its columns make room, nothing overlaps.
  TcpIpSettings wide = Presets()[0];
  wide.KeepAliveInterval = 2000000000;
  all.push_back(ModeDescription(wide));
  EXPECT_EQ(33, DescriptionColumns(all, chars, 2)[1]) << "\"Keep Alive Interval= 2000000000\"";
}

TEST(WizardMode, EveryControlFitsTheHostAndTheOptionsSitInTheFrame) {
  for (const ui::ControlSpec& control : kWizardModeControls) {
    const ui::PixelRect rect = ui::ControlRect(control, kWizardModeControls);
    EXPECT_LE(rect.left + rect.width, kWizardModePanel.width) << control.name;
    EXPECT_LE(rect.top + rect.height, kWizardModePanel.height) << control.name;
  }
  // Automatic-C: second row, left column, inside the frame (75 + 120, 165 + 480 twips).
  EXPECT_EQ((ui::PixelRect{13, 43, 113, 17}), ui::ControlRect(kWizardModeControls[3], kWizardModeControls));
  EXPECT_EQ((ui::PixelRect{178, 214, 93, 27}), ui::ControlRect(kWizardModeControls[10], kWizardModeControls));
}

}  // namespace
}  // namespace tw

namespace tw {
namespace {

// The table as the modes are documented, column by column, so a mistyped preset
// cannot hide behind tests that compare the registry with the presets themselves.
TEST(Presets, EveryModeHoldsItsDocumentedValues) {
  //                        MSS   MTU   RWIN    TTL KeepAliveTime Interval SYN NDI Disc  Black HTTP10 HTTP11 ICMP
  const TcpIpSettings expected[] = {
      {536, 576, 4288, 128, 600000, 1000, 2, 0, true, false, 16, 8, false},
      {536, 576, -1, 128, 600000, 1000, 2, 0, true, false, 16, 8, false},
      {-1, -1, -1, 128, 600000, 1000, 2, 0, true, false, 16, 8, false},
      {536, 576, 5432, 64, 7200000, 1000, 2, 0, true, false, 20, 20, false},
      {1460, 1500, 256960, 64, 7200000, 1000, 2, 0, true, false, 20, 20, false},
      {1452, 1492, 255552, 64, 7200000, 1000, 2, 0, true, false, 20, 20, false},
      {1460, 1500, 256960, 32, 6400000, 1000, 2, 0, true, false, 20, 20, false},
      {1500, 1500, 8192, 32, 3600000, 1000, 2, 0, true, false, 2, 4, false},
  };
  PresetTable presets;
  LoadPresets(presets);
  for (int i = 0; i < kPresetCount; ++i) EXPECT_EQ(expected[i], presets[i]) << "preset " << i;
}

}  // namespace
}  // namespace tw
