#include "ui/win32/SystemMessageBox.h"

#include <windows.h>

#include <string>

namespace tw::ui {

static_assert(kMbOk == MB_OK && kMbYesNo == MB_YESNO && kMbButtonsMask == MB_TYPEMASK);
static_assert(kMbIconError == MB_ICONERROR && kMbIconQuestion == MB_ICONQUESTION &&
              kMbIconExclamation == MB_ICONEXCLAMATION && kMbIconInformation == MB_ICONINFORMATION);
static_assert(kIdOk == IDOK && kIdYes == IDYES && kIdNo == IDNO);

int SystemMessageBox::Show(std::uintptr_t owner, std::string_view text, unsigned flags) {
  const std::string copy(text);
  return MessageBoxA(reinterpret_cast<HWND>(owner), copy.c_str(), "Tidewave", flags);
}

}  // namespace tw::ui
