#pragma once
// Tray1: the notification-area icon of the main window. Owns the small window
// the shell reports to, the icon picture and the click-pause timer.
#include <windows.h>

#include <functional>

#include "ui/TrayIcon.h"
#include "ui/win32/Gdi.h"
#include "ui/win32/Window.h"

namespace tw::ui {

// Shell_NotifyIconA itself.
class Win32NotifyIcon final : public INotifyIcon {
 public:
  bool Shell_NotifyIconA(std::uint32_t message, const NotifyIconData& data) override;
};

class Tray final : public Window {
 public:
  // `shell` is the real one in the program; tests may pass a recorder.
  explicit Tray(INotifyIcon& shell) : icon_(shell) {}
  ~Tray() override;

  bool Create();

  void Show(bool UpDateData) { icon_.Show(UpDateData); }
  void showBalloonoolTip(bool UpDateData) { icon_.showBalloonoolTip(UpDateData); }
  bool IsVisible() const { return icon_.IsVisible(); }
  bool EnsureInShell() { return icon_.EnsureInShell(); }
  TrayIcon& Icon() { return icon_; }

  // TrayImage: an icon is used as it is; a bitmap becomes a 32 x 32 icon. The
  // tray keeps (and later frees) what it converts; a given icon stays the caller's.
  void SetTrayImage(HICON icon);
  void SetTrayImage(HBITMAP bitmap);
  HICON TrayImage() const { return picture_; }

  std::function<void()> LeftClick;
  std::function<void()> RightClick;
  std::function<void(int& Button)> MouseClick;

 protected:
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  TrayIcon icon_;
  HICON picture_ = nullptr;
  UniqueIcon converted_;
  UINT taskbarCreated_ = 0;
};

// A 32 x 32 icon made from a bitmap (black as transparent mask); null on failure.
HICON IconFromBitmap(HBITMAP bitmap);

}  // namespace tw::ui
