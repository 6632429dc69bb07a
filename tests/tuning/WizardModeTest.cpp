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
  // Every value is left to the Windows it runs on: no number is shown.
  EXPECT_NE(std::string::npos, windowsDefault.find("MSCPS0 = Windows decides\t\tMSCPS1 = Windows decides"));
  EXPECT_NE(std::string::npos, windowsDefault.find("ICMP = Windows decides"));
  int decided = 0;
  for (std::size_t at = 0; (at = windowsDefault.find("= Windows decides", at)) != std::string::npos; ++at) ++decided;
  EXPECT_EQ(12, decided) << windowsDefault;
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

// Moves one field of the set, so a test can see which cell shows it.
void Bump(TcpIpSettings& s, TcpIpField field) {
  switch (field) {
    case TcpIpField::MSS: s.MSS += 1; break;
    case TcpIpField::MTU: s.MTU += 1; break;
    case TcpIpField::RWIN: s.RWIN += 1; break;
    case TcpIpField::TTL: s.TTL += 1; break;
    case TcpIpField::KeepAliveTime: s.KeepAliveTime += 1; break;
    case TcpIpField::KeepAliveInterval: s.KeepAliveInterval += 1; break;
    case TcpIpField::SYN: s.SYN += 1; break;
    case TcpIpField::NDI: s.NDI += 1; break;
    case TcpIpField::HTTP10: s.HTTP10 += 1; break;
    case TcpIpField::HTTP11: s.HTTP11 += 1; break;
    case TcpIpField::ICMP: s.ICMP = !s.ICMP; break;
    case TcpIpField::BlackHole: s.BlackHole = !s.BlackHole; break;
    default: break;
  }
}

TEST(WizardMode, EachCellOfTheGridShowsItsField) {
  const TcpIpSettings base = Presets()[0];
  const std::vector<std::string> before = DescriptionValues(ModeDescription(base));
  ASSERT_EQ(static_cast<std::size_t>(kDescribedCount), before.size());
  for (int cell = 0; cell < kDescribedCount; ++cell) {
    TcpIpSettings changed = base;
    Bump(changed, kDescribedFields[static_cast<std::size_t>(cell)]);
    const std::vector<std::string> after = DescriptionValues(ModeDescription(changed));
    for (int other = 0; other < kDescribedCount; ++other) {
      EXPECT_EQ(other == cell, before[static_cast<std::size_t>(other)] != after[static_cast<std::size_t>(other)])
          << "cell " << other << " when field of cell " << cell << " changes";
    }
  }
}

TEST(WizardMode, GridColumnsHoldStillFromPresetToPresetAndNeverOverlap) {
  const auto chars = [](std::string_view cell) { return static_cast<int>(cell.size()); };
  std::vector<std::string> all;
  for (const TcpIpSettings& preset : Presets()) all.push_back(ModeDescription(preset, kRemovedCell));
  const std::vector<std::string> now{"536", "not set", "False", "4294967295"};
  const GridColumns grid = LayOutGrid(all, now, chars, 2);
  // Block 0: MSS to MSCPS1, "MSCPS0 = auto" (13) the widest; block 1: "Keep Alive Interval= 1000" (25).
  EXPECT_EQ(13, grid.blocks[0].valueWidth);
  EXPECT_EQ(25, grid.blocks[1].valueWidth);
  EXPECT_EQ(10, grid.blocks[0].nowWidth) << "the widest value now";
  for (const auto& block : grid.blocks) {
    EXPECT_GE(block.nowLeft, block.valueLeft + block.valueWidth);
    EXPECT_GE(block.markLeft, block.nowLeft + block.nowWidth);
  }
  EXPECT_GE(grid.blocks[1].valueLeft, grid.blocks[0].markLeft + grid.blocks[0].markWidth);
  EXPECT_EQ(grid.blocks[1].markLeft + grid.blocks[1].markWidth, grid.width);
  for (const std::string& shown : all) {
    std::vector<std::string> withShown = all;
    withShown.push_back(shown);
    const GridColumns again = LayOutGrid(withShown, now, chars, 2);
    EXPECT_EQ(grid.blocks[1].valueLeft, again.blocks[1].valueLeft);
    EXPECT_EQ(grid.width, again.width);
  }
  // Short of room, the blocks move closer, down to one gap.
  EXPECT_EQ(grid.width - 1, LayOutGrid(all, now, chars, 2, grid.width - 1).width);
  const GridColumns tight = LayOutGrid(all, now, chars, 2, 10);
  EXPECT_EQ(tight.blocks[0].markLeft + tight.blocks[0].markWidth + 2, tight.blocks[1].valueLeft);
  // With nothing wide now, the column still holds "not set".
  EXPECT_EQ(7, LayOutGrid(all, {}, chars, 2).blocks[1].nowWidth);
}

TEST(Presets, EachModeSaysInPlainWordsWhichConnectionItSuits) {
  const PresetTable presets = Presets();
  EXPECT_EQ("Suits a dial-up modem: small packets, small receive window.", ConnectionLine(presets[0]));
  EXPECT_EQ("Suits a dial-up modem: small packets; Windows sizes the window.", ConnectionLine(presets[1]));
  EXPECT_EQ("Suits any connection: Windows sizes packets and window.", ConnectionLine(presets[2]));
  EXPECT_EQ("Suits cable or a LAN: full-size packets, large receive window.", ConnectionLine(presets[4]));
  EXPECT_EQ("Suits DSL: 1492-byte packets, large receive window.", ConnectionLine(presets[5]));
  EXPECT_EQ("Windows decides every value: each Windows uses its own defaults.", ConnectionLine(presets[7]));
  // Where the words change: a modem's 576 bytes, 16 KB and 64 KB windows.
  TcpIpSettings set = presets[4];
  set.MTU = 577;
  set.RWIN = 65535;
  EXPECT_EQ("Suits DSL: 577-byte packets, medium receive window.", ConnectionLine(set));
  set.RWIN = 16383;
  EXPECT_NE(std::string::npos, ConnectionLine(set).find("small receive window"));
  set.RWIN = 16384;
  EXPECT_NE(std::string::npos, ConnectionLine(set).find("medium receive window"));
}

TEST(WizardMode, EveryControlFitsTheHostAndTheOptionsSitInTheFrame) {
  for (const ui::ControlSpec& control : kWizardModeControls) {
    const ui::PixelRect rect = ui::ControlRect(control, kWizardModeControls);
    EXPECT_LE(rect.left + rect.width, kWizardModePanel.width) << "control " << control.id;
    EXPECT_LE(rect.top + rect.height, kWizardModePanel.height) << "control " << control.id;
  }
  // Automatic-C: second row, left column, inside the frame (75 + 120, 30 + 480 twips).
  EXPECT_EQ((ui::PixelRect{13, 34, 113, 17}), ui::ControlRect(kWizardModeControls[3], kWizardModeControls));
  EXPECT_EQ((ui::PixelRect{178, 221, 93, 27}), ui::ControlRect(kWizardModeControls[10], kWizardModeControls));
  // The grid's last row inside the frame, the legends level with "Optimize Now".
  const ui::PixelRect frame = ui::ControlRect(kWizardModeControls[0], kWizardModeControls);
  const ui::PixelRect lastRow =
      ui::ControlRect(*ui::FindControl(kWizardModeControls, ModeValueId(kDescribedCount - 1)), kWizardModeControls);
  EXPECT_LT(lastRow.top + lastRow.height, frame.top + frame.height);
  const ui::PixelRect legend =
      ui::ControlRect(*ui::FindControl(kWizardModeControls, IDC_lblChangesLegend), kWizardModeControls);
  EXPECT_GE(legend.top, 221);
  EXPECT_LE(legend.top + legend.height, 221 + 27);
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
      // Windows default: every value removed; the numbers only seed the step-by-step pages.
      {-1, -1, -1, 128, 7200000, 1000, 2, 0, true, false, 4, 2, false, true},
  };
  PresetTable presets;
  LoadPresets(presets);
  for (int i = 0; i < kPresetCount; ++i) EXPECT_EQ(expected[i], presets[i]) << "preset " << i;
}

}  // namespace
}  // namespace tw
