#include "ui/win32/Panel.h"

#include <string>

#include "ui/win32/ControlFactory.h"
#include "ui/win32/Fonts.h"
#include "ui/win32/SkinEngine.h"

namespace tw::ui {

bool Panel::Load(PanelHost& host) {
  if (IsLoaded()) return true;
  host_ = &host;
  const std::string caption(layout_.caption);
  WindowArgs args;
  args.className = "TidewavePanel";
  args.caption = caption.c_str();
  args.style = WS_CHILD | WS_CLIPSIBLINGS;
  args.exStyle = WS_EX_CONTROLPARENT;
  args.x = 0;
  args.y = 0;
  args.width = layout_.width;
  args.height = layout_.height;
  args.parent = host.HostWindow();
  if (!Create(args)) return false;
  timers_.Attach(hwnd());
  CreateControls(hwnd(), layout_.controls, BodyFont());
  host.Skin().ApplySkin(hwnd(), "controlForm");
  host.applyAllControls(*this);
  FitCaptions(hwnd(), layout_.controls);
  OnLoad();
  return true;
}

void Panel::Unload() {
  if (!IsLoaded()) return;
  OnUnload();
  DestroyWindow(hwnd());
}

void SkinPanelControls(SkinEngine& skin, const Panel& panel) {
  for (const ControlSpec& control : panel.layout().controls) {
    const std::string_view object = SkinObjectFor(control.kind);
    HWND window = panel.Control(control.id);
    if (!object.empty() && window != nullptr) skin.ApplySkin(window, object);
  }
}

int Panel::Message(std::string_view text, unsigned flags) {
  HWND owner = hwnd() != nullptr ? GetAncestor(hwnd(), GA_ROOT) : nullptr;
  return messages_.Show(reinterpret_cast<std::uintptr_t>(owner), text, flags);
}

void Panel::SetControlEnabled(int id, bool enabled) {
  HWND control = Control(id);
  if (control == nullptr || (IsWindowEnabled(control) != FALSE) == enabled) return;
  const bool hadFocus = GetFocus() == control;
  EnableWindow(control, enabled ? TRUE : FALSE);
  if (hadFocus && !enabled) {
    if (HWND next = GetNextDlgTabItem(hwnd(), control, FALSE)) SetFocus(next);
  }
}

LRESULT Panel::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      if (lParam == 0) break;
      OnCommand(LOWORD(wParam), HIWORD(wParam));
      return 0;
    case WM_NOTIFY: {
      const auto& header = *reinterpret_cast<const NMHDR*>(lParam);
      return OnNotify(static_cast<int>(header.idFrom), header);
    }
    case WM_HSCROLL:
    case WM_VSCROLL:
      // From a control; a scroll bar of the panel's own would come without one.
      if (lParam == 0) break;
      OnScroll(GetDlgCtrlID(reinterpret_cast<HWND>(lParam)), LOWORD(wParam));
      return 0;
    case WM_TIMER:
      if (timers_.OnTimer(wParam)) return 0;
      break;
    case WM_DESTROY:
      timers_.Detach();
      break;
  }
  return Window::OnMessage(message, wParam, lParam);
}

}  // namespace tw::ui
