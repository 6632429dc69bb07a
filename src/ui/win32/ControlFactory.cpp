#include "ui/win32/ControlFactory.h"

#include <commctrl.h>

#include <string>

namespace tw::ui {
namespace {

struct WindowKind {
  const char* className;
  DWORD style;
  DWORD exStyle;
};

WindowKind KindOf(ControlKind kind) {
  switch (kind) {
    case ControlKind::Frame: return {"BUTTON", BS_GROUPBOX, 0};
    case ControlKind::Button: return {"BUTTON", BS_PUSHBUTTON | WS_TABSTOP, 0};
    case ControlKind::OptionButton: return {"BUTTON", BS_AUTORADIOBUTTON, 0};
    case ControlKind::CheckBox: return {"BUTTON", BS_AUTOCHECKBOX | WS_TABSTOP, 0};
    case ControlKind::Label:
    case ControlKind::SkinLabel: return {"STATIC", SS_LEFT | SS_NOPREFIX, 0};
    case ControlKind::TextBox: return {"EDIT", ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE};
    case ControlKind::ComboBox: return {"COMBOBOX", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 0};
    case ControlKind::ListView:
      return {WC_LISTVIEWA, LVS_REPORT | LVS_SHOWSELALWAYS | WS_TABSTOP, WS_EX_CLIENTEDGE};
    case ControlKind::Slider: return {TRACKBAR_CLASSA, TBS_HORZ | TBS_AUTOTICKS | WS_TABSTOP, 0};
    case ControlKind::UpDown: return {UPDOWN_CLASSA, UDS_ARROWKEYS | UDS_SETBUDDYINT, 0};
    case ControlKind::Histogram: return {"STATIC", SS_SUNKEN, 0};
  }
  return {"STATIC", 0, 0};
}

}  // namespace

HFONT DialogFont() {
  static HFONT font = [] {
    NONCLIENTMETRICSA metrics{};
    // The XP-sized record: newer systems add a field that XP would refuse.
    metrics.cbSize = offsetof(NONCLIENTMETRICSA, lfMessageFont) + sizeof(LOGFONTA);
    if (SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0)) {
      return CreateFontIndirectA(&metrics.lfMessageFont);
    }
    return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  }();
  return font;
}

bool CreateControls(HWND panel, std::span<const ControlSpec> table, HFONT font) {
  // The panels were designed at 96 DPI for a host whose sizes are fixed in
  // pixels; converting by a larger screen's DPI would push controls out of
  // their panel (Optimize Now below the host at 120 DPI). So 15 twips a pixel.
  const int twipsPerPixel = kTwipsPerPixelAt96Dpi;
  HINSTANCE instance = GetModuleHandleA(nullptr);
  bool allCreated = true;
  const ControlSpec* previous = nullptr;
  for (const ControlSpec& control : table) {
    const WindowKind kind = KindOf(control.kind);
    DWORD style = WS_CHILD | WS_VISIBLE | kind.style;
    // Each run of option buttons is one group, reached by Tab once and by arrows within.
    if (control.kind == ControlKind::OptionButton &&
        (previous == nullptr || previous->kind != ControlKind::OptionButton ||
         previous->container != control.container)) {
      style |= WS_GROUP | WS_TABSTOP;
    } else if (control.kind != ControlKind::OptionButton) {
      style |= WS_GROUP;
    }
    const PixelRect rect = ControlRect(control, table, twipsPerPixel);
    const std::string caption(control.caption);
    HWND window = CreateWindowExA(kind.exStyle, kind.className, caption.c_str(), style, rect.left, rect.top,
                                  rect.width, rect.height, panel,
                                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(control.id)), instance, nullptr);
    if (window == nullptr) {
      allCreated = false;
    } else {
      SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    }
    previous = &control;
  }
  return allCreated;
}

}  // namespace tw::ui
