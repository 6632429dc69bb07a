#pragma once
// The program's message boxes: the system's own, titled "Tidewave". Every panel
// asks through this one interface, so a test answers for the user and no modal
// box waits for a click that never comes.
#include <cstdint>
#include <string_view>

namespace tw::ui {

// Buttons, icons and answers, with the values the system's message box uses.
inline constexpr unsigned kMbOk = 0x0;
inline constexpr unsigned kMbYesNoCancel = 0x3;
inline constexpr unsigned kMbYesNo = 0x4;
inline constexpr unsigned kMbButtonsMask = 0xF;
inline constexpr unsigned kMbIconError = 0x10;
inline constexpr unsigned kMbIconQuestion = 0x20;
inline constexpr unsigned kMbIconExclamation = 0x30;
inline constexpr unsigned kMbIconInformation = 0x40;
inline constexpr unsigned kMbDefButton2 = 0x100;  // the second button is the default
inline constexpr int kIdOk = 1;
inline constexpr int kIdCancel = 2;
inline constexpr int kIdYes = 6;
inline constexpr int kIdNo = 7;

class IMessageBox {
 public:
  virtual ~IMessageBox() = default;
  // Shows `text` over the window `owner` (0 for none) with the buttons and
  // icon of `flags`, and returns the button the user pressed (kIdOk, kIdYes...).
  virtual int Show(std::uintptr_t owner, std::string_view text, unsigned flags) = 0;
};

}  // namespace tw::ui
