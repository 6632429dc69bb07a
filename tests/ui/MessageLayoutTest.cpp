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

TEST(MessageButtons, OneIsCentredTwoSitAtThirdsThreeAreSpreadAndMirrored) {
  const int W = kGroupWidthTwips, w = 1200;
  ASSERT_EQ(4935, W);
  EXPECT_EQ(1867, ButtonLefts(1, W, w)[0]);
  EXPECT_EQ((std::array<int, 3>{1045, 2690, 0}), ButtonLefts(2, W, w)) << "at a third, the second mirrored";
  const auto three = ButtonLefts(3, W, w);
  EXPECT_EQ((std::array<int, 3>{333, 1867, 3402}), three);
  // Nothing overlaps and everything stays inside the group.
  EXPECT_LT(three[0] + w, three[1]);
  EXPECT_LT(three[1] + w, three[2]);
  EXPECT_GE(three[0], 0);
  EXPECT_LE(three[2] + w, W);
}

TEST(MessageLayouts, GrowWithTheirTextAndKeepTheirControlsApart) {
  const MessageBoxLayout small = LayOutMessageBox(195, 1, true), tall = LayOutMessageBox(195 * 5, 1, true);
  EXPECT_EQ(small.groupHeight + 4 * 195, tall.groupHeight) << "taller, never wider";
  EXPECT_LE(small.check.top + small.check.height, small.buttons[0].top) << "the check box above the buttons";
  const MessageBoxLayout bare = LayOutMessageBox(195, 1, false);
  EXPECT_EQ(bare.message.left, bare.title.left) << "no icon: the title starts where the text does";
  EXPECT_EQ(small.title.left + small.title.width, bare.title.left + bare.title.width);

  const InputBoxLayout input = LayOutInputBox(390, true);
  EXPECT_EQ(input.text.left + input.text.width, input.ok.left + input.ok.width) << "OK under the field's right edge";
  EXPECT_EQ(input.ok.left - 70, input.cancel.left + input.cancel.width);
  EXPECT_LE(input.ok.top + input.ok.height, input.groupHeight);
  EXPECT_LT(input.check.left + input.check.width, input.cancel.left);

  const NoticeLayout notice = LayOutNotice(195, true);
  EXPECT_EQ(notice.icon.top, notice.close.top);
  EXPECT_LE(notice.close.left + notice.close.width, kGroupWidthTwips);
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
