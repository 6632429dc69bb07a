#pragma once
// One thin base for every window we own: the window procedure finds the object
// through the pointer stored at WM_NCCREATE and forwards to OnMessage.
#include <windows.h>

#include <string>

namespace tw::ui {

struct WindowArgs {
  const char* className = nullptr;
  const char* caption = "";
  DWORD style = WS_OVERLAPPEDWINDOW;
  DWORD exStyle = 0;
  int x = CW_USEDEFAULT, y = CW_USEDEFAULT, width = CW_USEDEFAULT, height = CW_USEDEFAULT;
  HWND parent = nullptr;
  HBRUSH background = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
};

class Window {
 public:
  Window() = default;
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;
  virtual ~Window();

  HWND hwnd() const { return hwnd_; }

 protected:
  // Registers the class on first use and creates the window. False on failure.
  bool Create(const WindowArgs& args);
  virtual LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
  // Called once the window is gone; the object may be reused or destroyed.
  virtual void OnDestroyed() {}

 private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  HWND hwnd_ = nullptr;
};

// A window's text, whatever its length.
std::string WindowText(HWND window);

// What a dialog does with WM_NEXTDLGCTL, for the windows of ours that host
// panels without being dialogs: the dialog manager sends it to move the focus,
// as for a label's access key (to the label, then on to the control after it).
// lParam nonzero: to the window wParam; otherwise to the next tab stop, or the
// previous one when wParam is nonzero.
void MoveDialogFocus(HWND dialog, WPARAM wParam, LPARAM lParam);

// Lets the messages waiting in this thread's queue run, up to a hundred, the
// keyboard ones through `dialog`'s dialog manager: the yields of a long step.
// A quit message is put back for the main loop.
void PassMessages(HWND dialog);

// Shows the error and ends the process: nothing may unwind through user32, and
// a half-working tuning tool is worse than a closed one.
[[noreturn]] void FailFast(const char* what);

}  // namespace tw::ui
