#include "ui/MessageLayout.h"

#include <algorithm>

namespace tw::ui {

MsgButtons ButtonsFor(std::uint32_t flags, std::string_view caption1, std::string_view caption2,
                      std::string_view caption3) {
  switch (flags & kMsgButtonsMask) {
    case 1: return {{{"OK", 1}, {"Cancel", 2}, {}}};
    case 2: return {{{"Abort", 3}, {"Retry", 4}, {"Ignore", 5}}};
    case 3: return {{{"Yes", 6}, {"No", 7}, {"Cancel", 2}}};
    case 4: return {{{"Yes", 6}, {"No", 7}, {}}};
    case 5: return {{{"Retry", 4}, {"Cancel", 2}, {}}};
    case kMsgCustomButtons:
      return {{{std::string(caption1), 1}, {std::string(caption2), 2}, {std::string(caption3), 3}}};
    default: return {{{"OK", 1}, {}, {}}};  // 0, and 7 falls back to it
  }
}

int IconCell(std::uint32_t flags) {
  static constexpr int kCells[8] = {0, 1, 4, 2, 3, 5, 6, 7};
  return kCells[(flags & kMsgIconMask) >> 4];
}

int DefaultButton(std::uint32_t flags) {
  static constexpr int kButtons[4] = {1, 2, 3, 0};
  return kButtons[(flags & kMsgDefaultMask) >> 8];
}

std::array<int, 3> ButtonLefts(int count, int W, int w) {
  switch (count) {
    case 1: return {(W - w) / 2, 0, 0};
    case 2: {
      const int first = W / 3 - w / 2;
      return {first, W - w - first, 0};
    }
    case 3: {
      const int second = (W - w) / 2;
      const int first = (second - w) / 2;
      return {first, second, W - w - first};
    }
    default: return {0, 0, 0};
  }
}

namespace {

constexpr int kButtonWidth = 1200, kButtonHeight = 375;
constexpr int kIconTwips = kStripCellPixels * kTwipsPerPixel;  // 240

int ToPixels(int twips) { return twips / kTwipsPerPixel; }

// Without an icon the title starts where the text does.
TwipRect Title(TwipRect designed, const TwipRect& message, bool hasIcon) {
  if (!hasIcon) {
    designed.width += designed.left - message.left;
    designed.left = message.left;
  }
  return designed;
}

}  // namespace

MessageBoxLayout LayOutMessageBox(int messageHeight, int buttonCount, bool hasIcon) {
  MessageBoxLayout layout{};
  layout.message = {75, 450, kMessageWidthTwips, std::max(messageHeight, 195)};
  layout.title = Title({375, 45, 4215, 225}, layout.message, hasIcon);
  layout.icon = {45, 30, kIconTwips, kIconTwips};
  const int messageBottom = layout.message.top + layout.message.height;
  layout.groupHeight = messageBottom + 900;
  layout.check = {layout.message.left, messageBottom + 70, 4470, 255};
  const int buttonTop = layout.groupHeight - kButtonHeight - 100;
  const std::array<int, 3> lefts = ButtonLefts(buttonCount, kGroupWidthTwips, kButtonWidth);
  for (int i = 0; i < 3; ++i) layout.buttons[i] = {lefts[i], buttonTop, kButtonWidth, kButtonHeight};
  layout.windowHeight = ToPixels(layout.groupHeight) + 65;
  return layout;
}

InputBoxLayout LayOutInputBox(int messageHeight, bool hasIcon) {
  InputBoxLayout layout{};
  layout.message = {75, 465, kMessageWidthTwips, std::max(messageHeight, 195)};
  layout.title = Title({375, 45, 4215, 225}, layout.message, hasIcon);
  layout.icon = {45, 30, kIconTwips, kIconTwips};
  layout.text = {layout.message.left, layout.message.top + layout.message.height + 300, layout.message.width, 315};
  const int buttonTop = layout.text.top + layout.text.height + 70;
  layout.ok = {layout.text.left + layout.text.width - 915, buttonTop, 915, 360};
  layout.cancel = {layout.ok.left - 915 - 70, buttonTop, 915, 360};
  // The check box shares the buttons' line, up to the Cancel button.
  layout.check = {layout.text.left, buttonTop, layout.cancel.left - layout.text.left - 10, 360};
  layout.groupHeight = layout.cancel.top + layout.cancel.height + 115;
  layout.windowHeight = ToPixels(layout.groupHeight) + 65;
  return layout;
}

NoticeLayout LayOutNotice(int messageHeight, bool hasIcon) {
  NoticeLayout layout{};
  layout.message = {75, 465, kMessageWidthTwips, std::max(messageHeight, 195)};
  layout.title = Title({420, 45, 3855, 225}, layout.message, hasIcon);
  layout.icon = {45, 30, kIconTwips, kIconTwips};
  layout.groupHeight = layout.message.top + layout.message.height + 300;
  layout.close = {kGroupWidthTwips - kIconTwips - 50, layout.icon.top, kIconTwips, kIconTwips};
  layout.windowHeight = kGroupTop + ToPixels(layout.groupHeight) + 40;
  return layout;
}

std::uint32_t NoticeIntervalMs(int seconds) {
  return static_cast<std::uint32_t>(std::clamp(seconds, 1, kMaxNoticeSeconds)) * 1000u;
}

std::string InputBoxResult(bool cancelled, std::string_view text, bool checked) {
  if (cancelled) return {};
  std::string result(text);
  if (checked) result += '\xAC';
  return result;
}

}  // namespace tw::ui
