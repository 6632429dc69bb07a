#pragma once
// msgFrm: the program's own message window, balloon-shaped (BalloonWindow),
// with three prepared layouts, one group each: F1(0) the message box, F1(1)
// the input box, F1(2) the timed notice. A call loads the window, fills and
// shows its layout; the end of the dialog unloads it, so nothing of one
// dialog is left for the next.
#include <windows.h>

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "ui/MessageLayout.h"
#include "ui/Timer.h"
#include "ui/win32/BalloonWindow.h"
#include "ui/win32/Gdi.h"
#include "ui/win32/ThreadTimers.h"

namespace tw::ui {

enum MsgFrmControl : int {
  IDC_F1_0 = 1900,
  IDC_F1_1,
  IDC_F1_2,
  IDC_LblTitle,
  IDC_P1,
  IDC_lblmsg,
  IDC_Check1,
  IDC_cmd1_0,
  IDC_cmd1_1,
  IDC_cmd1_2,
  IDC_iTitle,
  IDC_iPic,
  IDC_iMsg,
  IDC_iTxt,
  IDC_Check2,
  IDC_iCmd_0,  // "Cancel"
  IDC_iCmd_1,  // "OK"
  IDC_aTitle,
  IDC_aPic,
  IDC_aMsg,
  IDC_command1,  // the notice's close button
};

class msgFrm final : public BalloonWindow {
 public:
  static constexpr const char* kClassName = "TidewaveMsgFrm";

  // `owner`: the window a modal box disables while it is up (may be null).
  // `timers`: where the notice's timer ticks; null for the window's own.
  explicit msgFrm(HWND owner = nullptr, ITimerFactory* timers = nullptr);
  ~msgFrm() override;

  // A modal box of up to three buttons; the value of the button pressed, 100
  // more when the check box (shown for a non-empty caption) was ticked. A
  // colour of 0 gives the default pale yellow.
  int msg_Box(std::string_view prompt, std::uint32_t flags, std::string_view title, bool noTail,
              std::string_view checkCaption, std::string_view button1, std::string_view button2,
              std::string_view button3, std::uint32_t backColour, float x, float y, int lift);
  // A modal prompt: the text typed ("¬" appended when the check box was
  // ticked), empty after Cancel. Only the icon bits of `flags` count.
  std::string input_box(std::string_view prompt, std::uint32_t flags, std::string_view title,
                        std::string_view defaultText, bool noTail, std::string_view checkCaption,
                        std::uint32_t backColour, float x, float y, int lift);
  // A topmost notice that closes after `seconds` (1 to 32) or at its close
  // button; returns at once, always the empty text. The colour is used as given.
  std::string MsgAuto_box(std::string_view prompt, std::uint32_t flags, std::string_view title, int seconds,
                          bool noTail, std::uint32_t backColour, float x, float y, int lift);

  bool IsLoaded() const { return hwnd() != nullptr; }
  void Unload();
  // A control of the layouts, by id.
  HWND Control(int id) const;
  // The layout shown: 0, 1 or 2; -1 when none is.
  int Layout() const { return layout_; }
  // Lets the user move the box (pressing on it, its groups or its texts), then
  // rebuilds body and shadow where it was dropped; the tail does not return.
  void BeginDrag();

 protected:
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  class Group;
  friend class Group;

  bool Load();
  void Prepare(std::uint32_t backColour, int lift);
  void ShowGroup(int index, int heightTwips);
  int TextHeightTwips(int id) const;
  void SetupButtons(std::uint32_t flags, std::string_view b1, std::string_view b2, std::string_view b3, int top);
  void SetDisplayIcon(std::uint32_t flags, int layout);
  void SetDefaultButton(std::uint32_t flags);
  void RunModal();
  void OnButton(int id);
  void DrawClose(const DRAWITEMSTRUCT& item);
  LRESULT GroupMessage(HWND group, UINT message, WPARAM wParam, LPARAM lParam, bool& handled);

  HWND owner_;
  ITimerFactory* timers_;
  ThreadTimers ownTimers_;
  std::unique_ptr<ITimer> Timer1;
  std::array<std::unique_ptr<Group>, 3> F1;
  std::array<int, 3> buttonValues_{};
  UniqueBrush backBrush_;
  UniqueBitmap strip_;
  UniqueBitmap icon_;
  std::array<UniqueBitmap, 3> closeLooks_;  // normal, under the mouse, pressed
  bool closeHot_ = false;
  int layout_ = -1;
  int result_ = 0;
  int defaultButton_ = 0;
  int tagLift_ = 0;  // the shadow lift kept for redrawing the shadow after a drag
};

// Cell `cell` (1 to 12) of the icon strip at `size` pixels over `background`:
// the strip's pure green shows the background. Null without a strip.
UniqueBitmap DrawStripCell(HBITMAP strip, int cell, int size, COLORREF background);
// The strip from the program's resources.
UniqueBitmap LoadIconStrip();

}  // namespace tw::ui
