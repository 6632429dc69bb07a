#pragma once
// The navigation surface: a child window covering the main window's whole
// client area, drawn by us, made of real child controls (owner-drawn buttons
// and labels with their captions and ids, reachable by Tab, arrows, Enter and
// Space). Every press sends one command of the dispatcher's vocabulary;
// the surface keeps its own home and about views.
#include <windows.h>

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "app/CommandDispatch.h"
#include "app/win32/NavigationViews.h"
#include "ui/Dpi.h"
#include "ui/win32/Window.h"

namespace tw {

class NavigationSurface final : public ui::Window {
 public:
  // Pixels at 96 DPI; at the surface's DPI they grow by dpi / 96.
  static constexpr int kWidth = nav::kSurfaceWidth;
  static constexpr int kHeight = nav::kSurfaceHeight;
  // The content area at ContentOrigin(): the panel host goes there.
  static constexpr int kContentWidth = nav::kContentWidth;
  static constexpr int kContentHeight = nav::kContentHeight;

  using CommandSink = std::function<void(NavigationCommand command)>;

  // Laid out and drawn at `dpi`.
  explicit NavigationSurface(CommandSink sink, int dpi = ui::kDesignDpi);
  ~NavigationSurface() override;

  // Creates the surface at (0, 0), kWidth x kHeight, as a child of the main window.
  // Until CreateControls makes its controls, the surface draws them itself
  // as they will look, so the window can be shown whole before they exist.
  bool Create(HWND mainWindow);
  void CreateControls();
  // The window buttons' tips, which say in words what their glyphs show:
  // not needed to take input, so they come after start-up.
  void AddToolTips();

  // The program's version, shown in the about view and the status bar.
  void SetVersion(std::string_view version);
  // Back to the home view, no panel open.
  void ShowHome();

  // Where the panel host goes, in the main window's client coordinates: the
  // top-left of a content area of kContentWidth x kContentHeight pixels (at
  // 96 DPI) in which no navigation control lies.
  POINT ContentOrigin() const;

  // The home view's line about the last change; empty hides it.
  void SetLastChange(std::string_view text);

  using View = nav::View;
  View CurrentView() const { return view_; }
  // The item whose panel the surface last opened, or 0 while none is open.
  int ActiveItem() const { return activeItem_; }
  // Puts the keyboard on the item of the open panel, or on Home.
  void TakeFocus();
  // Escape: closes the open panel or the about view, as their Close Panel and
  // Done buttons do. False when neither is open.
  bool Cancel();

 protected:
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  using Kind = nav::ControlKind;
  struct Control {
    int id;
    Kind kind;
    HWND window;
  };

  std::string CaptionOf(const nav::NavigationControl& item) const;
  void PaintControls(HDC dc) const;
  // A rectangle of the layout (pixels at 96 DPI) on the screen: its edges scaled.
  RECT OnScreen(const RECT& designed) const;
  const Control* FindControl(int id) const;
  void Press(int id);
  // A home card: its group's first item opens its panel, or for a group of
  // shortcuts into Windows the keyboard goes to that item.
  void PressCard(int index);
  void Send(NavigationCommand command);
  void ShowView(View view, int activeItem);
  void MoveFocus(HWND from, bool backwards);

  void DrawControl(const DRAWITEMSTRUCT& item);

  // The surface's buttons are subclassed through the shared chain; this hands
  // their messages to OnControlMessage.
  static LRESULT ControlProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, NavigationSurface* self);
  LRESULT OnControlMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  CommandSink sink_;
  const int dpi_;
  View view_ = View::Home;
  int activeItem_ = 0;
  int hotItem_ = 0;
  std::string version_;
  std::string lastChange_;
  const std::vector<nav::NavigationControl> layout_ = nav::ControlLayout();
  std::vector<Control> controls_;
  HWND lastFocus_ = nullptr;
  HWND toolTips_ = nullptr;

  nav::Look look_;
};

}  // namespace tw
