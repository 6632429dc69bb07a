#pragma once
// The navigation surface: a child window covering the main window's whole
// client area, drawn by us, made of real child controls. Every press sends one
// command string of the dispatcher's vocabulary; the surface keeps its own home
// and about views.
#include <windows.h>

#include <functional>
#include <string>
#include <string_view>

#include "ui/win32/Window.h"

namespace tw {

class NavigationSurface final : public ui::Window {
 public:
  static constexpr int kWidth = 724;
  static constexpr int kHeight = 540;

  using CommandSink = std::function<void(std::string_view command, std::string_view argument)>;

  explicit NavigationSurface(CommandSink sink) : sink_(std::move(sink)) {}
  ~NavigationSurface() override;

  // Creates the surface at (0, 0), 724 x 540, as a child of the main window.
  bool Create(HWND mainWindow);

  // The variables the program sets: "_root.version" (shown in the about view)
  // and "_root.home" ("true" returns to the home view). Others are ignored.
  void SetVariable(std::string_view name, std::string_view value);

  // Where the panel host goes, in the main window's client coordinates: the
  // top-left of a content area of at least 440 x 255 pixels in which no
  // navigation control lies.
  POINT ContentOrigin() const;

  enum class View { Home, About };
  View CurrentView() const { return view_; }

 protected:
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void Send(std::string_view command);
  void ShowView(View view);
  void CreateItems();
  void Paint(HDC dc);

  CommandSink sink_;
  View view_ = View::Home;
  std::string version_;
  HFONT titleFont_ = nullptr;
};

}  // namespace tw
