#pragma once
// The arithmetic of the program's own message window (msgFrm): which buttons
// a call's flags ask for, where they go, which strip cell is the icon, and how
// tall each of the three layouts grows around its text. Positions inside a
// layout's group are in twips, as the layouts were designed; the window's own
// sizes are in pixels.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace tw::ui {

// Flags as the system's message box takes them.
inline constexpr std::uint32_t kMsgButtonsMask = 0x7;
inline constexpr std::uint32_t kMsgIconMask = 0x70;
inline constexpr std::uint32_t kMsgDefaultMask = 0x300;
inline constexpr std::uint32_t kMsgCustomButtons = 6;  // the caller's own three captions

struct MsgButton {
  std::string caption;  // empty: the button stays hidden
  int value = 0;        // what msg_Box returns when it is pressed
};
using MsgButtons = std::array<MsgButton, 3>;

// The buttons of flags & 7, left to right in cmd1(0), cmd1(1), cmd1(2). With
// set 6 the captions are the caller's and the values 1, 2, 3; set 7 is "OK".
MsgButtons ButtonsFor(std::uint32_t flags, std::string_view caption1 = {}, std::string_view caption2 = {},
                      std::string_view caption3 = {});

// The icon strip's cell for the icon bits (1 to 7), 0 for none.
int IconCell(std::uint32_t flags);
// The button that gets the focus: 1, 2 or 3, or 0 when none does (768).
int DefaultButton(std::uint32_t flags);

// The strip: twelve 16 x 16 cells, numbered from 1 at the left; pure green is transparent.
inline constexpr int kStripCells = 12;
inline constexpr int kStripCellPixels = 16;
inline constexpr std::uint32_t kStripTransparent = 0x00FF00;  // RGB(0, 255, 0)
inline constexpr int kCloseNormalCell = 9, kCloseHotCell = 10, kClosePressedCell = 11;

// Left edges (twips) of the shown buttons, `count` 1 to 3 of width `buttonWidth`
// in a group `groupWidth` wide: one centred; two at a third and mirrored;
// three with the middle one centred, the first centred in the gap to its left
// and the third mirrored.
std::array<int, 3> ButtonLefts(int count, int groupWidth, int buttonWidth);

inline constexpr int kTwipsPerPixel = 15;  // the layouts' fixed scale, at any DPI
inline constexpr std::uint32_t kDefaultMsgColour = 0xCCFFFF;  // RGB(255, 255, 204) as COLORREF

// The window: a fixed width, its height computed per call.
inline constexpr int kMsgWindowTwips = 5385;
inline constexpr int kMsgWindowWidth = kMsgWindowTwips / kTwipsPerPixel;  // 359 pixels
inline constexpr int kGroupLeft = 8, kGroupTop = 30;                       // pixels
inline constexpr int kGroupWidth = kMsgWindowWidth - 30;                   // pixels
inline constexpr int kGroupWidthTwips = kGroupWidth * kTwipsPerPixel;
inline constexpr int kMessageWidthTwips = kGroupWidthTwips - 130;          // the word-wrapped texts

struct TwipRect {
  int left = 0, top = 0, width = 0, height = 0;
  bool operator==(const TwipRect&) const = default;
};

// The message box (layout 0) around a message `messageHeight` twips tall.
struct MessageBoxLayout {
  TwipRect title, icon, message, check;
  std::array<TwipRect, 3> buttons;  // as placed for `buttonCount` shown buttons
  int groupHeight;                  // twips
  int windowHeight;                 // pixels
};
MessageBoxLayout LayOutMessageBox(int messageHeight, int buttonCount, bool hasIcon);

// The input box (layout 1).
struct InputBoxLayout {
  TwipRect title, icon, message, text, check, ok, cancel;
  int groupHeight;
  int windowHeight;
};
InputBoxLayout LayOutInputBox(int messageHeight, bool hasIcon);

// The timed notice (layout 2).
struct NoticeLayout {
  TwipRect title, icon, message, close;
  int groupHeight;
  int windowHeight;
};
NoticeLayout LayOutNotice(int messageHeight, bool hasIcon);

// A notice's seconds as its timer's interval. The interval was kept in 16
// bits, which holds 32 seconds; more would overflow, so the seconds are bound
// to 1 to 32 (none would leave a topmost notice up for good).
inline constexpr int kMaxNoticeSeconds = 32;
std::uint32_t NoticeIntervalMs(int seconds);

// What msg_Box returns: the button's value, 100 more with the box ticked.
constexpr int MsgBoxResult(int buttonValue, bool checked) { return buttonValue + (checked ? 100 : 0); }
// What input_box returns: empty after Cancel; the text, with "¬" (code page
// 1252 byte 0xAC) appended when its check box is ticked.
std::string InputBoxResult(bool cancelled, std::string_view text, bool checked);

}  // namespace tw::ui
