// The few comctl32 functions the program calls, bound on first use instead of
// when the program loads. Loading comctl32 registers its window classes and
// sets up theming, a visible share of start-up on a slow system, and nothing
// the first paint shows needs it: the window is on screen before it loads.
//
// The build defines _COMCTL32_, so the headers declare these as the program's
// own rather than imported, and comctl32's import library is not linked.
#include <windows.h>

#include <commctrl.h>

namespace {

HMODULE Library() {
  // By its bare name, so that the version the manifest asks for is the one
  // loaded. Two threads may both look it up: they find the same module.
  static HMODULE library;
  if (library == nullptr) library = LoadLibraryA("comctl32.dll");
  return library;
}

template <typename Function>
Function Bound(Function, const char* name) {
  const HMODULE library = Library();
  if (library == nullptr) return nullptr;
  return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(library, name)));
}

}  // namespace

// Each forwards to comctl32's own function, or answers `failed` without it.
#define TW_FORWARD(Result, failed, name, parameters, arguments)   \
  extern "C" Result WINAPI name parameters {                     \
    static decltype(&name) bound;                                \
    if (bound == nullptr) bound = Bound(&name, #name);           \
    return bound != nullptr ? bound arguments : Result(failed);  \
  }

TW_FORWARD(BOOL, FALSE, InitCommonControlsEx, (const INITCOMMONCONTROLSEX* classes), (classes))
TW_FORWARD(BOOL, FALSE, SetWindowSubclass, (HWND window, SUBCLASSPROC procedure, UINT_PTR id, DWORD_PTR data),
           (window, procedure, id, data))
TW_FORWARD(BOOL, FALSE, GetWindowSubclass, (HWND window, SUBCLASSPROC procedure, UINT_PTR id, DWORD_PTR* data),
           (window, procedure, id, data))
TW_FORWARD(BOOL, FALSE, RemoveWindowSubclass, (HWND window, SUBCLASSPROC procedure, UINT_PTR id),
           (window, procedure, id))
TW_FORWARD(LRESULT, 0, DefSubclassProc, (HWND window, UINT message, WPARAM wParam, LPARAM lParam),
           (window, message, wParam, lParam))
TW_FORWARD(HIMAGELIST, nullptr, ImageList_Create, (int width, int height, UINT flags, int initial, int grow),
           (width, height, flags, initial, grow))
TW_FORWARD(int, -1, ImageList_AddMasked, (HIMAGELIST list, HBITMAP image, COLORREF mask), (list, image, mask))
TW_FORWARD(HICON, nullptr, ImageList_GetIcon, (HIMAGELIST list, int index, UINT flags), (list, index, flags))
TW_FORWARD(BOOL, FALSE, ImageList_Destroy, (HIMAGELIST list), (list))
