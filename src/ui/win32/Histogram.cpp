#include "ui/win32/Histogram.h"

#include <algorithm>
#include <deque>

#include "ui/win32/Gdi.h"

namespace tw::ui {
namespace {

constexpr COLORREF kBackground = RGB(0, 0, 0);
constexpr COLORREF kGrid = RGB(0, 72, 0);
constexpr COLORREF kOlder = RGB(0, 150, 0);
constexpr COLORREF kNewest = RGB(0, 255, 0);  // newcolor

struct HistogramState {
  std::deque<int> samples;  // oldest first
  int maxLines = 30;
};

HistogramState* StateOf(HWND window) {
  return reinterpret_cast<HistogramState*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

void Paint(HWND window, const HistogramState& state) {
  PaintDc paint(window);
  RECT client{};
  GetClientRect(window, &client);
  MemoryCanvas canvas(paint.get(), client);
  HDC dc = canvas.dc();
  UniqueBrush background(CreateSolidBrush(kBackground));
  FillRect(dc, &client, background.get());
  const int width = client.right, height = client.bottom;
  if (width <= 0 || height <= 0) return;

  // A line at every tenth, so a level reads at a glance.
  UniquePen gridPen(CreatePen(PS_SOLID, 1, kGrid));
  SelectionGuard pen(dc, gridPen.get());
  for (int tenth = 1; tenth < 10; ++tenth) {
    const int y = height - height * tenth / 10;
    MoveToEx(dc, 0, y, nullptr);
    LineTo(dc, width, y);
  }

  UniqueBrush older(CreateSolidBrush(kOlder));
  UniqueBrush newest(CreateSolidBrush(kNewest));
  const int shown = std::min<int>(state.maxLines, static_cast<int>(state.samples.size()));
  for (int k = 0; k < shown; ++k) {
    // k = 0 is the newest, at the right edge; bars share the width evenly.
    const int value = std::clamp(state.samples[state.samples.size() - 1 - k], 0, 100);
    const int right = width - width * k / state.maxLines;
    const int left = width - width * (k + 1) / state.maxLines;
    RECT bar{left, height - (height * value + 50) / 100, std::max(right - 1, left + 1), height};
    FillRect(dc, &bar, k == 0 ? newest.get() : older.get());
  }
}

LRESULT CALLBACK HistogramProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  HistogramState* state = StateOf(window);
  switch (message) {
    case WM_NCCREATE:
      SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(new HistogramState));
      break;
    case WM_NCDESTROY:
      delete state;
      SetWindowLongPtrA(window, GWLP_USERDATA, 0);
      break;
    case WM_ERASEBKGND: return 1;  // the paint covers every pixel
    case WM_PAINT:
      if (state != nullptr) {
        Paint(window, *state);
        return 0;
      }
      break;
    case HGM_ADDSAMPLE:
      if (state == nullptr) return 0;
      state->samples.push_back(static_cast<int>(wParam));
      if (state->samples.size() > kHistogramMaxLines) state->samples.pop_front();
      if (IsWindowVisible(window)) InvalidateRect(window, nullptr, FALSE);
      return 0;
    case HGM_GETVALUE: return state != nullptr && !state->samples.empty() ? state->samples.back() : 0;
    case HGM_GETCOUNT: return state != nullptr ? static_cast<LRESULT>(state->samples.size()) : 0;
    case HGM_GETMAXLINES: return state != nullptr ? state->maxLines : 0;
    case HGM_SETMAXLINES:
      if (state == nullptr) return 0;
      state->maxLines = std::clamp(static_cast<int>(wParam), 2, kHistogramMaxLines);
      if (IsWindowVisible(window)) InvalidateRect(window, nullptr, FALSE);
      return 0;
    default: break;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

bool RegisterHistogramClass() {
  HINSTANCE instance = GetModuleHandleA(nullptr);
  WNDCLASSEXA existing{};
  existing.cbSize = sizeof existing;
  if (GetClassInfoExA(instance, kHistogramClass, &existing)) return true;
  WNDCLASSEXA windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.style = CS_HREDRAW | CS_VREDRAW;
  windowClass.lpfnWndProc = &HistogramProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  windowClass.lpszClassName = kHistogramClass;
  return RegisterClassExA(&windowClass) != 0;
}

}  // namespace tw::ui
