#include "support/wine/TestPanelHost.h"

#include "support/wine/Program.h"

namespace tw::test {
namespace {

constexpr const char* kClassName = "TidewaveTestPanelHost";

// As the main window answers the dialog manager.
LRESULT CALLBACK HostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NEXTDLGCTL) {
    ui::MoveDialogFocus(window, wParam, lParam);
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

void RegisterHostClass() {
  WNDCLASSEXA windowClass{};
  windowClass.cbSize = sizeof windowClass;
  HINSTANCE instance = GetModuleHandleA(nullptr);
  if (GetClassInfoExA(instance, kClassName, &windowClass)) return;
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = HostProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = kClassName;
  RegisterClassExA(&windowClass);
}

}  // namespace

TestPanelHost::TestPanelHost(int width, int height) : window_(CreateFrame(width, height)) {}

TestPanelHost::TestPanelHost(HWND sharedFrame) : window_(sharedFrame), ownsWindow_(false) {
  for (HWND child : Children(window_)) {
    if (GetParent(child) == window_) DestroyWindow(child);
  }
  PumpMessages();
}

TestPanelHost::~TestPanelHost() {
  if (window_ != nullptr && ownsWindow_) DestroyWindow(window_);
}

HWND TestPanelHost::CreateFrame(int width, int height) {
  RegisterHostClass();
  RECT frame{0, 0, width, height};
  // A popup without a caption: Wine leaves such windows to itself rather than
  // to a window manager, and there is none under Xvfb to confirm that a
  // captioned window went away; destroying one would wait two seconds for it.
  constexpr DWORD kStyle = WS_POPUP | WS_BORDER | WS_CLIPCHILDREN;
  AdjustWindowRectEx(&frame, kStyle, FALSE, WS_EX_CONTROLPARENT);
  HWND window = CreateWindowExA(WS_EX_CONTROLPARENT, kClassName, "Test panel host", kStyle, 0, 0,
                                frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
  ShowWindow(window, SW_SHOWNOACTIVATE);
  return window;
}

void TestPanelHost::applyAllControls(ui::Panel& panel) {
  calls_.push_back("applyAllControls " + std::string(panel.layout().name));
  ui::SkinPanelControls(skin_, panel);
}

void TestPanelHost::BringMovieToFront() { calls_.push_back("BringMovieToFront"); }

void TestPanelHost::ShowHome() { calls_.push_back("ShowHome"); }

bool TestPanelHost::Show(ui::Panel& panel) {
  if (!panel.Load(*this)) return false;
  ShowWindow(panel.hwnd(), SW_SHOW);
  UpdateWindow(panel.hwnd());
  PumpMessages();
  return true;
}

void Click(HWND control) {
  SendMessageA(control, BM_CLICK, 0, 0);
  PumpMessages();
}

void PumpMessages() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

}  // namespace tw::test
