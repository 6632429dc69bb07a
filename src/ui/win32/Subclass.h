#pragma once
// Subclassing through comctl32's chain (SetWindowSubclass): the system keeps
// every subclasser of a window in one list, so each may come and go in any
// order without unhooking the others, as replacing GWLP_WNDPROC does when two
// subclassers undo their work out of turn.
//
//   LRESULT OnButton(HWND w, UINT m, WPARAM wp, LPARAM lp, State* state) {
//     ...
//     return CallNextSubclass(w, m, wp, lp);
//   }
//   AddSubclass<&OnButton>(button, state);
#include <windows.h>
#include <commctrl.h>

#include <exception>

#include "ui/win32/Window.h"

namespace tw::ui {
namespace detail {

template <typename Handler>
struct SubclassTraits;
template <typename Data>
struct SubclassTraits<LRESULT (*)(HWND, UINT, WPARAM, LPARAM, Data*)> {
  using DataType = Data;
};

template <auto Handler>
using SubclassDataType = typename SubclassTraits<decltype(Handler)>::DataType;

template <auto Handler>
LRESULT CALLBACK SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR /*id*/,
                              DWORD_PTR data) {
  // The window is going: leave the chain first, as comctl32 asks of every
  // subclasser; the handler still sees the message and frees what it holds.
  if (message == WM_NCDESTROY) RemoveWindowSubclass(window, &SubclassProc<Handler>, 0);
  try {
    return Handler(window, message, wParam, lParam, reinterpret_cast<SubclassDataType<Handler>*>(data));
  } catch (const std::exception& error) {
    FailFast(error.what());
  } catch (...) {
    FailFast("unknown error");
  }
}

}  // namespace detail

// Puts `Handler` in front of the window's procedure, handing it `data` with
// every message. Adding the same handler again only replaces its data.
// False when the window cannot be subclassed (none, or another thread's).
template <auto Handler>
bool AddSubclass(HWND window, detail::SubclassDataType<Handler>* data) {
  return SetWindowSubclass(window, &detail::SubclassProc<Handler>, 0, reinterpret_cast<DWORD_PTR>(data)) != FALSE;
}

// Takes `Handler` out of the chain; the others stay as they are.
template <auto Handler>
bool RemoveSubclass(HWND window) {
  return RemoveWindowSubclass(window, &detail::SubclassProc<Handler>, 0) != FALSE;
}

// The data `Handler` was added with, or null while it is not in the window's chain.
template <auto Handler>
detail::SubclassDataType<Handler>* SubclassData(HWND window) {
  DWORD_PTR data = 0;
  if (window == nullptr || !GetWindowSubclass(window, &detail::SubclassProc<Handler>, 0, &data)) return nullptr;
  return reinterpret_cast<detail::SubclassDataType<Handler>*>(data);
}

// What a handler calls for the messages it leaves to the rest of the chain.
inline LRESULT CallNextSubclass(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefSubclassProc(window, message, wParam, lParam);
}

}  // namespace tw::ui
