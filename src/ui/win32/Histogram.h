#pragma once
// histMemory, histCPU: a histogram of percentages of our own, a real window
// class. Each new sample enters at the right in the newest-sample colour and
// the older ones move left; the zoom sets how many samples fill the width.
// It paints through one off-screen canvas, so nothing flickers, and a hidden
// one does no drawing at all.
#include <windows.h>

namespace tw::ui {

inline constexpr const char* kHistogramClass = "TidewaveHistogram";
inline constexpr int kHistogramMaxLines = 100;

// Messages, so tests and other programs can read it as they read any control.
inline constexpr UINT HGM_ADDSAMPLE = WM_USER + 1;   // wParam: the value (an int)
inline constexpr UINT HGM_GETVALUE = WM_USER + 2;    // the newest sample, 0 before the first
inline constexpr UINT HGM_SETMAXLINES = WM_USER + 3; // wParam: samples shown, 2 to 100
inline constexpr UINT HGM_GETMAXLINES = WM_USER + 4;
inline constexpr UINT HGM_GETCOUNT = WM_USER + 5;    // samples held

bool RegisterHistogramClass();

inline void HistogramAddSample(HWND histogram, int value) {
  SendMessageA(histogram, HGM_ADDSAMPLE, static_cast<WPARAM>(value), 0);
}
inline int HistogramValue(HWND histogram) { return static_cast<int>(SendMessageA(histogram, HGM_GETVALUE, 0, 0)); }
inline void HistogramSetMaxLines(HWND histogram, int lines) {
  SendMessageA(histogram, HGM_SETMAXLINES, static_cast<WPARAM>(lines), 0);
}

}  // namespace tw::ui
