#pragma once
// Subclassing through a chain of our own: every subclasser of a window sits in
// one list behind a single swap of its window procedure, so each may come and
// go in any order without unhooking the others, as two plain swaps of
// GWLP_WNDPROC do when they are undone out of turn. comctl32 has such a chain
// only from version 4.72 on (not on Windows 95 or NT 4.0); this one works on
// every Windows, with or without it.
//
//   LRESULT OnButton(HWND w, UINT m, WPARAM wp, LPARAM lp, State* state) {
//     ...
//     return CallNextSubclass(w, m, wp, lp);
//   }
//   AddSubclass<&OnButton>(button, state);
#include <windows.h>


#include "ui/win32/Window.h"

namespace tw::ui {
namespace detail {

using ChainProc = LRESULT (*)(HWND, UINT, WPARAM, LPARAM, void*);

bool AddToChain(HWND window, ChainProc procedure, void* data);
bool RemoveFromChain(HWND window, ChainProc procedure);
bool FindInChain(HWND window, ChainProc procedure, void** data);

template <typename Handler>
struct SubclassTraits;
template <typename Data>
struct SubclassTraits<LRESULT (*)(HWND, UINT, WPARAM, LPARAM, Data*)> {
  using DataType = Data;
};

template <auto Handler>
using SubclassDataType = typename SubclassTraits<decltype(Handler)>::DataType;

template <auto Handler>
LRESULT SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, void* data) {
  // The window is going: leave the chain first; the handler still sees the
  // message and frees what it holds.
  if (message == WM_NCDESTROY) RemoveFromChain(window, &SubclassProc<Handler>);
  return Handler(window, message, wParam, lParam, static_cast<SubclassDataType<Handler>*>(data));
}

}  // namespace detail

// Puts `Handler` in front of the window's procedure, handing it `data` with
// every message. Adding the same handler again only replaces its data.
// False when the window cannot be subclassed (none, or another process's).
template <auto Handler>
bool AddSubclass(HWND window, detail::SubclassDataType<Handler>* data) {
  return detail::AddToChain(window, &detail::SubclassProc<Handler>, data);
}

// Takes `Handler` out of the chain; the others stay as they are.
template <auto Handler>
bool RemoveSubclass(HWND window) {
  return detail::RemoveFromChain(window, &detail::SubclassProc<Handler>);
}

// The data `Handler` was added with, or null while it is not in the window's chain.
template <auto Handler>
detail::SubclassDataType<Handler>* SubclassData(HWND window) {
  void* data = nullptr;
  if (!detail::FindInChain(window, &detail::SubclassProc<Handler>, &data)) return nullptr;
  return static_cast<detail::SubclassDataType<Handler>*>(data);
}

// What a handler calls for the messages it leaves to the rest of the chain.
LRESULT CallNextSubclass(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace tw::ui
