#include "ui/win32/ControlFactory.h"

#include <commctrl.h>

#include <algorithm>
#include <string>

#include "ui/win32/CommonControls.h"
#include "ui/win32/Gdi.h"
#include "ui/win32/Histogram.h"
#include "ui/win32/OptionGroupKeys.h"
#include "ui/win32/Window.h"

namespace tw::ui {
namespace {

struct WindowKind {
  const char* className;
  DWORD style;
  DWORD exStyle;
};

WindowKind KindOf(const ControlSpec& control) {
  const ControlExtras& extras = control.extras;
  switch (control.kind) {
    case ControlKind::Frame: return {"BUTTON", BS_GROUPBOX, 0};
    case ControlKind::Button: return {"BUTTON", BS_PUSHBUTTON | WS_TABSTOP, 0};
    case ControlKind::OptionButton: return {"BUTTON", BS_AUTORADIOBUTTON, 0};
    case ControlKind::CheckBox: return {"BUTTON", BS_AUTOCHECKBOX | WS_TABSTOP, 0};
    case ControlKind::Label:
    case ControlKind::SkinLabel: {
      // A caption with an "&" was written for prefix drawing: its access key
      // takes the focus to the control that follows. A label without one
      // shows its text as it is, so data with an "&" in it stays whole.
      const bool accessKey = control.caption.find('&') != std::string_view::npos;
      return {"STATIC", (extras.alignRight ? SS_RIGHT : SS_LEFT) | (accessKey ? 0u : SS_NOPREFIX), 0};
    }
    case ControlKind::TextBox:
      return {"EDIT",
              ES_AUTOHSCROLL | WS_TABSTOP | (extras.readOnly ? ES_READONLY : 0u) |
                  (extras.numberOnly ? ES_NUMBER : 0u),
              WS_EX_CLIENTEDGE};
    case ControlKind::ComboBox: return {"COMBOBOX", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 0};
    case ControlKind::ListView:
      return {WC_LISTVIEWA, LVS_REPORT | LVS_SHOWSELALWAYS | WS_TABSTOP, WS_EX_CLIENTEDGE};
    case ControlKind::Slider: return {TRACKBAR_CLASSA, TBS_HORZ | TBS_NOTICKS | WS_TABSTOP, 0};
    // The buddy holds the number as the user reads and stores it: no thousands separator.
    case ControlKind::UpDown:
      return {UPDOWN_CLASSA, UDS_ARROWKEYS | UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_NOTHOUSANDS, 0};
    case ControlKind::Histogram: return {kHistogramClass, 0, WS_EX_CLIENTEDGE};
  }
  return {"STATIC", 0, 0};
}

// A drop-down list's window is as tall as its list when dropped; the table
// gives the height of the closed box, which would leave no room for the list.
constexpr int kDroppedListPixels = 160;

void Configure(HWND window, const ControlSpec& control, int dpi) {
  const ControlExtras& extras = control.extras;
  switch (control.kind) {
    case ControlKind::ComboBox:
      for (std::string_view item : extras.items) {
        const std::string text(item);
        SendMessageA(window, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
      }
      if (!extras.items.empty()) SendMessageA(window, CB_SETCURSEL, static_cast<WPARAM>(extras.value), 0);
      break;
    case ControlKind::ListView: {
      if (CommonControls().extendedListViewStyles) {
        SendMessageA(window, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
      }
      int index = 0;
      for (const ListColumn& column : extras.columns) {
        std::string caption(column.caption);
        LVCOLUMNA header{};
        header.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
        header.pszText = caption.data();
        header.cx = TwipsToPixels(column.width, dpi);
        header.iSubItem = index;
        SendMessageA(window, LVM_INSERTCOLUMNA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&header));
        ++index;
      }
      break;
    }
    case ControlKind::Slider:
      // A slider whose range the panel sets when it loads keeps the control's own until then.
      if (extras.maximum > extras.minimum) {
        SendMessageA(window, TBM_SETRANGEMIN, FALSE, extras.minimum);
        SendMessageA(window, TBM_SETRANGEMAX, FALSE, extras.maximum);
      }
      if (extras.pageStep > 0) SendMessageA(window, TBM_SETPAGESIZE, 0, extras.pageStep);
      if (extras.lineStep > 0) SendMessageA(window, TBM_SETLINESIZE, 0, extras.lineStep);
      SendMessageA(window, TBM_SETPOS, TRUE, extras.value);
      break;
    default: break;
  }
}

// After every control exists, so a buddy may come before or after its up-down.
void BindUpDown(HWND panel, HWND upDown, const ControlSpec& control) {
  const ControlExtras& extras = control.extras;
  if (extras.buddy != 0) {
    if (HWND buddy = GetDlgItem(panel, extras.buddy)) {
      SendMessageA(upDown, UDM_SETBUDDY, reinterpret_cast<WPARAM>(buddy), 0);
    }
  }
  if (extras.maximum > extras.minimum) SetUpDownRange(upDown, extras.minimum, extras.maximum);
  // Also writes the value into the buddy.
  SetUpDownPosition(upDown, extras.value);
}

}  // namespace

bool CreateControls(HWND panel, std::span<const ControlSpec> table, HFONT font, int dpi) {
  RECT client{};
  GetClientRect(panel, &client);
  const PixelOffset offset = CentringOffset(table, client.right, client.bottom, dpi);
  HINSTANCE instance = GetModuleHandleA(nullptr);
  RegisterHistogramClass();
  bool allCreated = true;
  const ControlSpec* previous = nullptr;
  for (const ControlSpec& control : table) {
    const WindowKind kind = KindOf(control);
    DWORD style = WS_CHILD | WS_VISIBLE | kind.style;
    // Each run of option buttons is one group, reached by Tab once and by arrows within.
    if (control.kind == ControlKind::OptionButton &&
        (previous == nullptr || previous->kind != ControlKind::OptionButton ||
         previous->container != control.container)) {
      style |= WS_GROUP | WS_TABSTOP;
    } else if (control.kind != ControlKind::OptionButton) {
      style |= WS_GROUP;
    }
    const PixelRect rect = ControlRect(control, table, dpi);
    const int dropped = control.kind == ControlKind::ComboBox ? ScalePixels(kDroppedListPixels, dpi) : 0;
    const int height = rect.height + dropped;
    const std::string caption(control.caption);
    HWND window = CreateWindowExA(kind.exStyle, kind.className, caption.c_str(), style, rect.left + offset.dx,
                                  rect.top + offset.dy, rect.width, height, panel,
                                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(control.id)), instance, nullptr);
    if (window == nullptr) {
      allCreated = false;
    } else {
      SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
      Configure(window, control, dpi);
      if (control.kind == ControlKind::OptionButton) UseGroupArrows(window);
    }
    previous = &control;
  }
  for (const ControlSpec& control : table) {
    HWND window = GetDlgItem(panel, control.id);
    if (control.kind == ControlKind::UpDown && window != nullptr) BindUpDown(panel, window, control);
  }
  return allCreated;
}

void FitCaptions(HWND panel, std::span<const ControlSpec> table, int dpi) {
  RECT client{};
  GetClientRect(panel, &client);
  const PixelOffset offset = CentringOffset(table, client.right, client.bottom, dpi);
  // The skin draws its box or circle at 13 pixels of 96 DPI, the system at its own size.
  const int mark = std::max<int>(GetSystemMetrics(SM_CXMENUCHECK), ScalePixels(13, dpi)) + ScalePixels(6, dpi);
  WindowDc dc(panel);
  for (const ControlSpec& control : table) {
    const bool check = control.kind == ControlKind::OptionButton || control.kind == ControlKind::CheckBox;
    const bool label = control.kind == ControlKind::Label || control.kind == ControlKind::SkinLabel;
    HWND window = GetDlgItem(panel, control.id);
    if ((!check && !label) || window == nullptr) continue;

    SelectionGuard font(dc.get(), reinterpret_cast<HFONT>(SendMessageA(window, WM_GETFONT, 0, 0)));
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc.get(), &metrics);
    RECT rect{};
    GetWindowRect(window, &rect);
    MapWindowPoints(nullptr, panel, reinterpret_cast<POINT*>(&rect), 2);
    // Labels of more than one line wrap their text; they keep their width, as
    // do labels whose text ends beside what follows them.
    if (label && (rect.bottom - rect.top >= 2 * metrics.tmHeight || control.extras.alignRight)) continue;

    const std::string caption = WindowText(window);
    const bool prefix = !(label && (GetWindowLongA(window, GWL_STYLE) & SS_NOPREFIX));
    RECT text{0, 0, 0, 0};
    DrawTextA(dc.get(), caption.c_str(), -1, &text, DT_CALCRECT | DT_SINGLELINE | (prefix ? 0 : DT_NOPREFIX));
    // The box or circle, the gap the button leaves after it, and the focus rectangle around the text.
    const int needed = text.right + (check ? mark : 1);
    const int limit = RightLimit(control, table, client.right, dpi) + offset.dx;
    const int width = std::min(needed, limit - static_cast<int>(rect.left));
    if (width > rect.right - rect.left) {
      SetWindowPos(window, nullptr, 0, 0, width, rect.bottom - rect.top, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
  }
}

}  // namespace tw::ui
