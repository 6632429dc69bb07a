#include <gtest/gtest.h>

#include "ui/MessageLayout.h"

namespace tw::ui {
namespace {

std::vector<std::pair<std::string, int>> Shown(const MsgButtons& buttons) {
  std::vector<std::pair<std::string, int>> shown;
  for (const MsgButton& b : buttons) {
    if (!b.caption.empty()) shown.emplace_back(b.caption, b.value);
  }
  return shown;
}
using Set = std::vector<std::pair<std::string, int>>;

TEST(MessageButtons, EachSetHasItsCaptionsAndValuesAndSixTakesTheCallersOwn) {
  EXPECT_EQ((Set{{"OK", 1}}), Shown(ButtonsFor(0)));
  EXPECT_EQ((Set{{"OK", 1}, {"Cancel", 2}}), Shown(ButtonsFor(1)));
  EXPECT_EQ((Set{{"Abort", 3}, {"Retry", 4}, {"Ignore", 5}}), Shown(ButtonsFor(2)));
  EXPECT_EQ((Set{{"Yes", 6}, {"No", 7}, {"Cancel", 2}}), Shown(ButtonsFor(35)));
  EXPECT_EQ((Set{{"Yes", 6}, {"No", 7}}), Shown(ButtonsFor(4)));
  EXPECT_EQ((Set{{"Retry", 4}, {"Cancel", 2}}), Shown(ButtonsFor(5)));
  EXPECT_EQ((Set{{"OK", 1}}), Shown(ButtonsFor(7)));
  // An empty caption leaves its button hidden; the others keep their places and values.
  const MsgButtons custom = ButtonsFor(6, "A", "", "C");
  EXPECT_EQ((Set{{"A", 1}, {"C", 3}}), Shown(custom));
  EXPECT_TRUE(custom[1].caption.empty());
}

TEST(MessageButtons, IconCellsAndTheDefaultButtonComeFromTheirBits) {
  const int cells[8] = {0, 1, 4, 2, 3, 5, 6, 7};
  for (std::uint32_t code = 0; code < 8; ++code) EXPECT_EQ(cells[code], IconCell(code << 4 | 3)) << code;
  EXPECT_EQ(1, DefaultButton(35));
  EXPECT_EQ(2, DefaultButton(256 | 3));
  EXPECT_EQ(3, DefaultButton(512));
  EXPECT_EQ(0, DefaultButton(768)) << "no button gets the focus";
}

TEST(MessageButtons, OneIsCentredTwoSitAtThirdsThreeAreSpreadAndMirrored) {
  const int W = kGroupWidthTwips, w = 1200;
  ASSERT_EQ(4935, W);
  EXPECT_EQ((W - w) / 2, ButtonLefts(1, W, w)[0]);
  const auto two = ButtonLefts(2, W, w);
  EXPECT_EQ(W / 3 - w / 2, two[0]);
  EXPECT_EQ(W - w - two[0], two[1]) << "mirrored";
  const auto three = ButtonLefts(3, W, w);
  EXPECT_EQ((W - w) / 2, three[1]);
  EXPECT_EQ((three[1] - w) / 2, three[0]);
  EXPECT_EQ(W - w - three[0], three[2]);
  // Nothing overlaps and everything stays inside the group.
  EXPECT_LT(three[0] + w, three[1]);
  EXPECT_LT(three[1] + w, three[2]);
  EXPECT_GE(three[0], 0);
  EXPECT_LE(three[2] + w, W);
}

TEST(MessageLayouts, GrowWithTheirTextAndKeepTheirControlsApart) {
  const MessageBoxLayout small = LayOutMessageBox(195, 1, true), tall = LayOutMessageBox(195 * 5, 1, true);
  EXPECT_EQ(450 + 195 + 900, small.groupHeight);
  EXPECT_EQ((450 + 195 + 900) / 15 + 65, small.windowHeight);
  EXPECT_EQ(small.groupHeight + 4 * 195, tall.groupHeight) << "taller, never wider";
  EXPECT_EQ(small.groupHeight - 375 - 100, small.buttons[0].top);
  EXPECT_LE(small.check.top + small.check.height, small.buttons[0].top) << "the check box above the buttons";
  EXPECT_EQ(375, small.title.left);
  const MessageBoxLayout bare = LayOutMessageBox(195, 1, false);
  EXPECT_EQ(bare.message.left, bare.title.left) << "no icon: the title starts where the text does";
  EXPECT_EQ(small.title.left + small.title.width, bare.title.left + bare.title.width);

  const InputBoxLayout input = LayOutInputBox(390, true);
  EXPECT_EQ(465 + 390 + 300, input.text.top);
  EXPECT_EQ(input.text.left + input.text.width, input.ok.left + input.ok.width) << "OK under the field's right edge";
  EXPECT_EQ(input.ok.left - 70, input.cancel.left + input.cancel.width);
  EXPECT_LT(input.check.left + input.check.width, input.cancel.left);
  EXPECT_EQ(input.cancel.top + input.cancel.height + 115, input.groupHeight);

  const NoticeLayout notice = LayOutNotice(195, true);
  EXPECT_EQ(465 + 195 + 300, notice.groupHeight);
  EXPECT_EQ(30 + notice.groupHeight / 15 + 40, notice.windowHeight);
  EXPECT_EQ(kGroupWidthTwips - 240 - 50, notice.close.left);
  EXPECT_EQ(notice.icon.top, notice.close.top);
  EXPECT_LE(notice.title.left + notice.title.width, notice.close.left);
}

TEST(MessageResults, CheckBoxesAddTheirMarkAndTheNoticeTimerStaysInRange) {
  EXPECT_EQ(101, MsgBoxResult(1, true));
  EXPECT_EQ(7, MsgBoxResult(7, false));
  EXPECT_EQ("typed\xAC", InputBoxResult(false, "typed", true));
  EXPECT_EQ("typed", InputBoxResult(false, "typed", false));
  EXPECT_EQ("", InputBoxResult(true, "typed", true)) << "Cancel gives the empty text";
  EXPECT_EQ(5000u, NoticeIntervalMs(5));
  EXPECT_EQ(32000u, NoticeIntervalMs(32));
  EXPECT_EQ(32000u, NoticeIntervalMs(33)) << "more overflowed the 16-bit interval";
  EXPECT_EQ(1000u, NoticeIntervalMs(-1));
  EXPECT_EQ(1000u, NoticeIntervalMs(0)) << "a topmost notice that never closes is no notice";
}

}  // namespace
}  // namespace tw::ui
