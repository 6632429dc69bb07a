// The few comctl32 functions the program calls, bound on first use instead of
// when the program loads. Loading comctl32 registers its window classes and
// sets up theming, a visible share of start-up on a slow system, and nothing
// the first paint shows needs it: the window is on screen before it loads.
//
// The build defines _COMCTL32_, so the headers declare these as the program's
// own rather than imported, and comctl32's import library is not linked.
#include "ui/win32/CommonControls.h"

#include <commctrl.h>

namespace tw::ui {
namespace {

HMODULE Library() {
  // By its bare name, so that the version the manifest asks for is the one
  // loaded. Two threads may both load it: they get the same module.
  static HMODULE library;
  if (library == nullptr) library = LoadLibraryA("comctl32.dll");
  return library;
}

}  // namespace

FARPROC CommonControlsFunction(const char* name, WORD ordinal) {
  const HMODULE library = Library();
  if (library == nullptr) return nullptr;
  FARPROC function = GetProcAddress(library, name);
  if (function == nullptr && ordinal != 0) function = GetProcAddress(library, MAKEINTRESOURCEA(ordinal));
  return function;
}

}  // namespace tw::ui

namespace {

template <typename Function>
Function Bound(Function, const char* name, WORD ordinal) {
  return reinterpret_cast<Function>(reinterpret_cast<void*>(tw::ui::CommonControlsFunction(name, ordinal)));
}

}  // namespace

// Each forwards to comctl32's own function, or answers `failed` without it.
// Two threads may both bind one: they find the same address.
#define TW_FORWARD(Result, failed, name, ordinal, parameters, arguments) \
  extern "C" Result WINAPI name parameters {                            \
    static decltype(&name) bound;                                       \
    if (bound == nullptr) bound = Bound(&name, #name, ordinal);         \
    return bound != nullptr ? bound arguments : Result(failed);         \
  }

TW_FORWARD(BOOL, FALSE, InitCommonControlsEx, 0, (const INITCOMMONCONTROLSEX* classes), (classes))
TW_FORWARD(BOOL, FALSE, SetWindowSubclass, 410,
           (HWND window, SUBCLASSPROC procedure, UINT_PTR id, DWORD_PTR data),
           (window, procedure, id, data))
TW_FORWARD(BOOL, FALSE, GetWindowSubclass, 411,
           (HWND window, SUBCLASSPROC procedure, UINT_PTR id, DWORD_PTR* data),
           (window, procedure, id, data))
TW_FORWARD(BOOL, FALSE, RemoveWindowSubclass, 412, (HWND window, SUBCLASSPROC procedure, UINT_PTR id),
           (window, procedure, id))
TW_FORWARD(LRESULT, 0, DefSubclassProc, 413, (HWND window, UINT message, WPARAM wParam, LPARAM lParam),
           (window, message, wParam, lParam))
TW_FORWARD(HIMAGELIST, nullptr, ImageList_Create, 0,
           (int width, int height, UINT flags, int initial, int grow),
           (width, height, flags, initial, grow))
TW_FORWARD(int, -1, ImageList_AddMasked, 0, (HIMAGELIST list, HBITMAP image, COLORREF mask), (list, image, mask))
TW_FORWARD(HICON, nullptr, ImageList_GetIcon, 0, (HIMAGELIST list, int index, UINT flags), (list, index, flags))
TW_FORWARD(BOOL, FALSE, ImageList_Destroy, 0, (HIMAGELIST list), (list))
