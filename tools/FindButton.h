#pragma once
// Finds a button of another program's window by the caption a user reads.
#include <windows.h>

#include <string>

#include "app/NavigationItems.h"

namespace tw::tools {

struct ButtonSearch {
  const char* caption;
  HWND found;
};

inline BOOL CALLBACK MatchButton(HWND window, LPARAM parameter) {
  auto& search = *reinterpret_cast<ButtonSearch*>(parameter);
  char text[256] = {}, kind[64] = {};
  GetWindowTextA(window, text, sizeof text);
  GetClassNameA(window, kind, sizeof kind);
  const bool matches = std::string(text) == search.caption || CaptionText(text) == search.caption;
  if (!matches || lstrcmpiA(kind, "Button") != 0 || !IsWindowVisible(window)) return TRUE;
  search.found = window;
  return FALSE;
}

// The first shown button among `parent`'s descendants whose caption is
// `caption`, written with its access key's "&" or without it; null if none.
inline HWND FindButton(HWND parent, const char* caption) {
  ButtonSearch search{caption, nullptr};
  EnumChildWindows(parent, MatchButton, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

}  // namespace tw::tools
