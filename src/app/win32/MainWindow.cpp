#include "app/win32/MainWindow.h"

namespace tw {

bool MainWindow::Create() {
  constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
  RECT frame{0, 0, kClientWidth, kClientHeight};
  AdjustWindowRectEx(&frame, kStyle, FALSE, 0);
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  // Centred on the work area, as a fixed-size utility window opens.
  RECT work{};
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  ui::WindowArgs args;
  args.className = kClassName;
  args.caption = kCaption;
  args.style = kStyle;
  args.x = work.left + ((work.right - work.left) - width) / 2;
  args.y = work.top + ((work.bottom - work.top) - height) / 2;
  args.width = width;
  args.height = height;
  return ui::Window::Create(args);
}

LRESULT MainWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
  }
  return ui::Window::OnMessage(message, wParam, lParam);
}

}  // namespace tw
