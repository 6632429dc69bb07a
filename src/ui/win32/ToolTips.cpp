#include "ui/win32/ToolTips.h"

#include "ui/win32/CommonControls.h"

namespace tw::ui {

HWND CreateToolTips(HWND owner) {
  INITCOMMONCONTROLSEX classes{sizeof classes, ICC_BAR_CLASSES};
  InitCommonControlsEx(&classes);
  return CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                         CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr,
                         GetModuleHandleA(nullptr), nullptr);
}

TOOLINFOA ToolOf(HWND owner, HWND control, char* text) {
  TOOLINFOA tool{};
  // The largest size the version knows: a larger one is refused (6.0's only
  // without the manifest, the second by versions before 4.70).
  tool.cbSize = CommonControls().toolInfoSize == ToolInfoSize::WithParameter ? TTTOOLINFOA_V2_SIZE
                                                                              : TTTOOLINFOA_V1_SIZE;
  tool.uFlags = TTF_SUBCLASS | TTF_IDISHWND;
  tool.hwnd = owner;
  tool.uId = reinterpret_cast<UINT_PTR>(control);
  tool.lpszText = text;
  return tool;
}

}  // namespace tw::ui
