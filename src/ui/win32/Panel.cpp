#include "ui/win32/Panel.h"

#include <algorithm>
#include <string>
#include <utility>

#include "ui/win32/CommonControls.h"
#include "ui/win32/ControlFactory.h"
#include "ui/win32/Fonts.h"
#include "ui/win32/SkinEngine.h"
#include "ui/win32/ToolTips.h"

namespace tw::ui {

void Panel::Start(PanelHost& host) {
  if (started_) return;
  host_ = &host;
  started_ = true;
  OnStart();
}

void Panel::Stop() {
  timers_.StopAll();
  started_ = false;
}

HWND Panel::OwnerWindow() const {
  if (hwnd() != nullptr) return RootWindow(hwnd());
  return host_ != nullptr ? RootWindow(host_->HostWindow()) : nullptr;
}

bool Panel::Load(PanelHost& host) {
  if (IsLoaded()) return true;
  Start(host);
  host_ = &host;
  const std::string caption(layout_.caption);
  WindowArgs args;
  args.className = "TidewavePanel";
  args.caption = caption.c_str();
  args.style = WS_CHILD | WS_CLIPSIBLINGS;
  args.exStyle = WS_EX_CONTROLPARENT;
  args.x = 0;
  args.y = 0;
  const int dpi = host.Dpi();
  args.width = ScalePixels(layout_.width, dpi);
  args.height = ScalePixels(layout_.height, dpi);
  args.parent = host.HostWindow();
  if (!Create(args)) return false;
  RegisterControlClasses();
  CreateControls(hwnd(), layout_.controls, BodyFont(dpi), dpi);
  host.Skin().ApplySkin(hwnd(), "controlForm");
  host.applyAllControls(*this);
  FitCaptions(hwnd(), layout_.controls, dpi);
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
  return messages_.Show(reinterpret_cast<std::uintptr_t>(OwnerWindow()), text, flags);
}

bool Panel::QueryLeave() {
  if (!IsLoaded() || !HasUnsavedChanges()) return true;
  const std::string caption(layout_.caption);
  const std::string text = "Save the changes made in " + caption + "?\r\n\r\nYes saves them, No puts back what " +
                           "was saved, Cancel stays in " + caption + ".";
  switch (Message(text, kMbYesNoCancel | kMbIconQuestion)) {
    case kIdYes:
      SaveChanges();
      return !HasUnsavedChanges();
    case kIdNo:
      DiscardChanges();
      return true;
    default: return false;
  }
}

void Panel::SetToolTip(int id, std::string_view text) {
  HWND control = Control(id);
  if (control == nullptr) return;
  if (toolTips_ == nullptr) {
    if (text.empty()) return;
    toolTips_ = CreateToolTips(hwnd());
    if (toolTips_ == nullptr) return;
    // Reasons run to a few lines: wrapped, and up long enough to read them.
    if (CommonControls().toolTipMaxWidth) SendMessageA(toolTips_, TTM_SETMAXTIPWIDTH, 0, ScalePixels(320, Dpi()));
    SendMessageA(toolTips_, TTM_SETDELAYTIME, TTDT_AUTOPOP, 20000);
  }
  std::string copy(text);
  TOOLINFOA tool = ToolOf(hwnd(), control, copy.data());
  const auto known = std::find(tipIds_.begin(), tipIds_.end(), id);
  if (text.empty()) {
    if (known != tipIds_.end()) {
      SendMessageA(toolTips_, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
      tipIds_.erase(known);
    }
    return;
  }
  char className[16] = {};
  GetClassNameA(control, className, sizeof className);
  if (lstrcmpiA(className, "Static") == 0) {
    SetWindowLongA(control, GWL_STYLE, GetWindowLongA(control, GWL_STYLE) | SS_NOTIFY);
  }
  if (known != tipIds_.end()) {
    SendMessageA(toolTips_, TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&tool));
  } else if (SendMessageA(toolTips_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool))) {
    tipIds_.push_back(id);
  }
}

std::string Panel::ToolTip(int id) const {
  if (toolTips_ == nullptr || std::find(tipIds_.begin(), tipIds_.end(), id) == tipIds_.end()) return {};
  // The wide form: the narrow one gives no more than 80 characters back.
  wchar_t text[1024] = {};
  TOOLINFOW tool{};
  tool.cbSize = TTTOOLINFOW_V2_SIZE;
  tool.uFlags = TTF_IDISHWND;
  tool.hwnd = hwnd();
  tool.uId = reinterpret_cast<UINT_PTR>(Control(id));
  tool.lpszText = text;
  SendMessageW(toolTips_, TTM_GETTEXTW, sizeof text / sizeof text[0], reinterpret_cast<LPARAM>(&tool));
  char narrow[2048] = {};
  WideCharToMultiByte(CP_ACP, 0, text, -1, narrow, sizeof narrow, nullptr, nullptr);
  return narrow;
}

namespace {

// Posted by KeepFocusIn, with the box's id: by then the keyboard has arrived
// where it was going.
constexpr UINT kKeepFocus = WM_APP + 0x20;
constexpr COLORREF kProblemText = RGB(176, 32, 32);
constexpr COLORREF kProblemBackground = RGB(253, 236, 234);

bool HasVisibleStyle(HWND window) { return (GetWindowLongA(window, GWL_STYLE) & WS_VISIBLE) != 0; }

RECT RectInPanel(HWND control, HWND panel) {
  RECT rect{};
  GetWindowRect(control, &rect);
  MapWindowPoints(nullptr, panel, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

}  // namespace

void Panel::ShowProblemAt(int labelId, const ProblemSpot& spot, std::string_view text) {
  HWND label = Control(labelId);
  HWND box = Control(spot.box);
  if (label == nullptr || box == nullptr) return;
  problemLabel_ = labelId;
  if (text.empty() && problem_.box != spot.box) return;
  if (!text.empty() && problem_.box == spot.box && WindowText(label) == text) return;
  // What the label said before, about this box or another, goes first.
  if (problem_.box != 0) {
    const bool shown = HasVisibleStyle(Control(problem_.box));
    for (int id : problem_.covers) {
      if (id != 0) ShowWindow(Control(id), shown ? SW_SHOWNA : SW_HIDE);
    }
    ShowWindow(label, SW_HIDE);
    problem_ = {};
  }
  if (text.empty()) return;

  RECT area{};
  bool first = true;
  for (int id : spot.covers) {
    if (id == 0) continue;
    const RECT covered = RectInPanel(Control(id), hwnd());
    area = first ? covered
                 : RECT{std::min(area.left, covered.left), std::min(area.top, covered.top),
                        std::max(area.right, covered.right), std::max(area.bottom, covered.bottom)};
    first = false;
  }
  const RECT beside = RectInPanel(box, hwnd());
  if (area.top < beside.bottom && area.bottom > beside.top) {
    area.top = beside.top;
    area.bottom = beside.bottom;
  }
  const LONG style = GetWindowLongA(label, GWL_STYLE);
  SetWindowLongA(label, GWL_STYLE, (style & ~SS_TYPEMASK) | SS_CENTER | SS_CENTERIMAGE | SS_NOPREFIX);
  SetWindowTextA(label, std::string(text).c_str());
  SetWindowPos(label, nullptr, area.left, area.top, area.right - area.left, area.bottom - area.top,
               SWP_NOZORDER | SWP_NOACTIVATE);
  for (int id : spot.covers) {
    if (id != 0) ShowWindow(Control(id), SW_HIDE);
  }
  ShowWindow(label, SW_SHOWNA);
  InvalidateRect(label, nullptr, TRUE);
  problem_ = spot;
}

void Panel::SelectBox(int id) {
  HWND box = Control(id);
  if (box == nullptr) return;
  SetFocus(box);
  SendMessageA(box, EM_SETSEL, 0, -1);
}

void Panel::KeepFocusIn(int id) { PostMessageA(hwnd(), kKeepFocus, static_cast<WPARAM>(id), 0); }

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
    case kKeepFocus: {
      HWND box = Control(static_cast<int>(wParam));
      HWND focus = GetFocus();
      if (box != nullptr && focus != box && focus != nullptr && IsChild(hwnd(), focus) && HasVisibleStyle(hwnd()) &&
          HasVisibleStyle(box) && IsWindowEnabled(box)) {
        SelectBox(static_cast<int>(wParam));
      }
      return 0;
    }
    case WM_CTLCOLORSTATIC:
      if (problemLabel_ != 0 && reinterpret_cast<HWND>(lParam) == Control(problemLabel_)) {
        if (!problemBrush_) problemBrush_.Reset(CreateSolidBrush(kProblemBackground));
        SetTextColor(reinterpret_cast<HDC>(wParam), kProblemText);
        SetBkColor(reinterpret_cast<HDC>(wParam), kProblemBackground);
        return reinterpret_cast<LRESULT>(problemBrush_.get());
      }
      break;
    case WM_DESTROY:
      problem_ = {};
      problemBrush_.Reset();
      // A tip window belongs to the top-level window, not to the panel: it goes now.
      if (toolTips_ != nullptr) DestroyWindow(std::exchange(toolTips_, nullptr));
      tipIds_.clear();
      break;
  }
  return Window::OnMessage(message, wParam, lParam);
}

}  // namespace tw::ui
