#include "ui/win32/OptionGroupKeys.h"

#include <vector>

#include "ui/OptionGroup.h"
#include "ui/win32/CommonControls.h"
#include "ui/win32/Subclass.h"

namespace tw::ui {
namespace {

bool IsOptionButton(HWND window) {
  char className[16] = "";
  GetClassNameA(window, className, sizeof className);
  const LONG type = GetWindowLongA(window, GWL_STYLE) & BS_TYPEMASK;
  return lstrcmpiA(className, "Button") == 0 && (type == BS_AUTORADIOBUTTON || type == BS_RADIOBUTTON);
}

bool Reachable(HWND window) { return IsWindowVisible(window) && IsWindowEnabled(window); }

// The option buttons of `button`'s group that the keyboard can reach, `button` included.
std::vector<HWND> GroupOf(HWND button) {
  HWND first = button;
  while (!(GetWindowLongA(first, GWL_STYLE) & WS_GROUP)) {
    HWND previous = GetWindow(first, GW_HWNDPREV);
    if (previous == nullptr) break;
    first = previous;
  }
  std::vector<HWND> group;
  for (HWND window = first; window != nullptr; window = GetWindow(window, GW_HWNDNEXT)) {
    if (window != first && (GetWindowLongA(window, GWL_STYLE) & WS_GROUP)) break;
    if (window == button || (IsOptionButton(window) && Reachable(window))) group.push_back(window);
  }
  return group;
}

void MoveInGroup(HWND button, Arrow arrow) {
  const std::vector<HWND> group = GroupOf(button);
  std::vector<PixelRect> rects;
  std::size_t current = 0;
  for (HWND window : group) {
    if (window == button) current = rects.size();
    RECT r{};
    GetWindowRect(window, &r);
    rects.push_back({r.left, r.top, r.right - r.left, r.bottom - r.top});
  }
  HWND target = group[NextOption(rects, current, arrow)];
  // The keyboard is in use: show where the focus is, as the dialog manager would.
  SendMessageA(ui::RootWindow(button), WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
  if (target == button) return;
  SetFocus(target);
  if (SendMessageA(target, BM_GETCHECK, 0, 0) != BST_CHECKED) SendMessageA(target, BM_CLICK, 0, 0);
}

bool ArrowOf(WPARAM key, Arrow& arrow) {
  switch (key) {
    case VK_UP: arrow = Arrow::Up; return true;
    case VK_DOWN: arrow = Arrow::Down; return true;
    case VK_LEFT: arrow = Arrow::Left; return true;
    case VK_RIGHT: arrow = Arrow::Right; return true;
  }
  return false;
}

LRESULT GroupArrows(HWND button, UINT message, WPARAM wParam, LPARAM lParam, void* /*unused*/) {
  Arrow arrow{};
  switch (message) {
    case WM_GETDLGCODE: {
      // Take the arrows from the dialog manager, which would walk the group in creation order.
      const LRESULT code = CallNextSubclass(button, message, wParam, lParam);
      const auto* key = reinterpret_cast<const MSG*>(lParam);
      if (key != nullptr && key->message == WM_KEYDOWN && ArrowOf(key->wParam, arrow)) return code | DLGC_WANTARROWS;
      return code;
    }
    case WM_KEYDOWN:
      if (ArrowOf(wParam, arrow)) {
        MoveInGroup(button, arrow);
        return 0;
      }
      break;
  }
  return CallNextSubclass(button, message, wParam, lParam);
}

}  // namespace

void UseGroupArrows(HWND optionButton) { AddSubclass<&GroupArrows>(optionButton, nullptr); }

}  // namespace tw::ui
