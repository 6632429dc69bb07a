#include "ui/win32/Tray.h"

#include <shellapi.h>
#include <commctrl.h>

#include <cstring>

#include "platform/win32/WidePath.h"
#include "ui/win32/Gdi.h"

namespace tw::ui {
namespace {

constexpr UINT_PTR kClickPauseTimer = 1;

}  // namespace

bool Win32NotifyIcon::Shell_NotifyIconA(std::uint32_t message, const NotifyIconData& data) {
  NOTIFYICONDATAA record{};
  static_assert(sizeof record >= 488, "the record holds the balloon fields");
  record.cbSize = data.size;
  record.hWnd = reinterpret_cast<HWND>(data.window);
  record.uID = data.id;
  record.uFlags = data.flags;
  record.uCallbackMessage = data.callbackMessage;
  record.hIcon = reinterpret_cast<HICON>(data.icon);
  std::memcpy(record.szTip, data.tip.data(), sizeof record.szTip);
  record.dwState = data.state;
  record.dwStateMask = data.stateMask;
  std::memcpy(record.szInfo, data.info.data(), sizeof record.szInfo);
  record.uTimeout = data.timeout;
  std::memcpy(record.szInfoTitle, data.infoTitle.data(), sizeof record.szInfoTitle);
  record.dwInfoFlags = data.infoFlags;
  // The shell's library loads with the icon, after the window is up.
  using NotifyFunction = BOOL(WINAPI*)(DWORD, NOTIFYICONDATAA*);
  static const auto notify = SystemFunction<NotifyFunction>("shell32.dll", "Shell_NotifyIconA");
  return notify != nullptr && notify(message, &record) != FALSE;
}

HICON IconFromBitmap(HBITMAP bitmap) {
  constexpr int kSize = 32;
  BITMAP source{};
  if (bitmap == nullptr || !GetObjectA(bitmap, sizeof source, &source)) return nullptr;
  // The image list takes images of its own size only: scale to it first.
  WindowDc screen(nullptr);
  UniqueDc from(CreateCompatibleDC(screen.get())), to(CreateCompatibleDC(screen.get()));
  UniqueBitmap scaled(CreateCompatibleBitmap(screen.get(), kSize, kSize));
  if (!from || !to || !scaled) return nullptr;
  {
    SelectionGuard original(from.get(), bitmap), target(to.get(), scaled.get());
    SetStretchBltMode(to.get(), COLORONCOLOR);
    StretchBlt(to.get(), 0, 0, kSize, kSize, from.get(), 0, 0, source.bmWidth, source.bmHeight, SRCCOPY);
  }
  HIMAGELIST list = ImageList_Create(kSize, kSize, ILC_COLOR32 | ILC_MASK, 1, 0);
  if (list == nullptr) return nullptr;
  HICON icon = nullptr;
  if (ImageList_AddMasked(list, scaled.get(), RGB(0, 0, 0)) == 0) icon = ImageList_GetIcon(list, 0, ILD_NORMAL);
  ImageList_Destroy(list);
  return icon;
}

Tray::~Tray() {
  if (icon_.IsVisible()) icon_.Show(false);
}

bool Tray::Create() {
  WindowArgs args;
  args.className = "TidewaveTray";
  args.caption = "Tray1";
  args.style = WS_POPUP;
  args.x = args.y = 0;
  args.width = args.height = 36;
  if (!Window::Create(args)) return false;
  icon_.SetWindow(reinterpret_cast<std::uintptr_t>(hwnd()));
  // shell32 before version 5 (its DllGetVersion came with 4.71) takes only the original record.
  struct VersionInfo {
    DWORD size, major, minor, build, platform;
  } version{sizeof version, 0, 0, 0, 0};
  using GetVersionFn = HRESULT(CALLBACK*)(VersionInfo*);
  const auto getVersion = SystemFunction<GetVersionFn>("shell32.dll", "DllGetVersion");
  if (getVersion == nullptr || FAILED(getVersion(&version)) || version.major < 5) icon_.UseOriginalShellRecord();
  // Sent to every top-level window when the shell (and its notification area) starts anew.
  taskbarCreated_ = RegisterWindowMessageA("TaskbarCreated");
  // Running as administrator, newer Windows would filter that broadcast (and the
  // icon's own reports) out as coming from a less trusted process. XP has no
  // such filter, nor the function.
  using AllowMessage = BOOL(WINAPI*)(UINT, DWORD);
  if (const auto allow = reinterpret_cast<AllowMessage>(reinterpret_cast<void*>(
          GetProcAddress(GetModuleHandleA("user32.dll"), "ChangeWindowMessageFilter")))) {
    constexpr DWORD kAllow = 1;  // MSGFLT_ADD
    allow(taskbarCreated_, kAllow);
    allow(kTrayCallbackMessage, kAllow);
  }
  return true;
}

void Tray::SetTrayImage(HICON icon) {
  if (icon != converted_.get()) converted_.Reset();
  picture_ = icon;
  icon_.SetIcon(reinterpret_cast<std::uintptr_t>(icon));
}

void Tray::SetTrayImage(HBITMAP bitmap) {
  converted_.Reset(bitmap != nullptr ? IconFromBitmap(bitmap) : nullptr);
  SetTrayImage(converted_.get());
}

LRESULT Tray::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kTrayCallbackMessage) {
    const TrayIcon::Click click = icon_.OnShellMessage(LOWORD(lParam));
    if (click == TrayIcon::Click::None) return 0;
    int button = click == TrayIcon::Click::MouseClickRight ? 2 : 1;
    switch (click) {
      case TrayIcon::Click::LeftClick: if (LeftClick) LeftClick(); break;
      case TrayIcon::Click::RightClick: if (RightClick) RightClick(); break;
      default: if (MouseClick) MouseClick(button); break;
    }
    if (hwnd() != nullptr) SetTimer(hwnd(), kClickPauseTimer, kClickPauseMilliseconds, nullptr);
    return 0;
  }
  if (message == WM_TIMER && wParam == kClickPauseTimer) {
    KillTimer(hwnd(), kClickPauseTimer);
    icon_.OnClickPauseOver();
    return 0;
  }
  if (message == taskbarCreated_ && taskbarCreated_ != 0) {
    icon_.ShellRestarted();
    return 0;
  }
  return Window::OnMessage(message, wParam, lParam);
}

}  // namespace tw::ui
