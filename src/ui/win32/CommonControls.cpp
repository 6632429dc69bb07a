// The few comctl32 functions the program calls, bound on first use instead of
// when the program loads. Loading comctl32 registers its window classes and
// sets up theming, a visible share of start-up on a slow system, and nothing
// the first paint shows needs it: the window is on screen before it loads.
// Binding by hand also lets the program load where a function is missing:
// Windows 95 ships comctl32 4.00, without InitCommonControlsEx.
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

template <typename Function>
Function Bound(const char* name) {
  return reinterpret_cast<Function>(reinterpret_cast<void*>(CommonControlsFunction(name)));
}

// DLLVERSIONINFO, declared here to keep the shell's headers out.
struct VersionInfo {
  DWORD size, major, minor, build, platform;
};

constexpr UINT_PTR kLeaveTimer = 0x7457;  // one per window, private to TrackMouseLeave

void CALLBACK WatchCursor(HWND window, UINT, UINT_PTR, DWORD) {
  POINT cursor;
  GetCursorPos(&cursor);
  RECT bounds;
  GetWindowRect(window, &bounds);
  if (PtInRect(&bounds, cursor) && WindowFromPoint(cursor) == window) return;
  KillTimer(window, kLeaveTimer);
  PostMessageA(window, WM_MOUSELEAVE, 0, 0);
}

}  // namespace

FARPROC CommonControlsFunction(const char* name) {
  const HMODULE library = Library();
  return library != nullptr ? GetProcAddress(library, name) : nullptr;
}

CommonControlsVersion LoadedCommonControlsVersion() {
  using GetVersionFn = HRESULT(CALLBACK*)(VersionInfo*);
  static const CommonControlsVersion version = [] {
    CommonControlsVersion found;  // 4.00
    VersionInfo info{sizeof info, 0, 0, 0, 0};
    if (auto get = Bound<GetVersionFn>("DllGetVersion"); get != nullptr && SUCCEEDED(get(&info))) {
      found = {static_cast<int>(info.major), static_cast<int>(info.minor)};
    }
    return found;
  }();
  return version;
}

const CommonControlsFeatures& CommonControls() {
  static const CommonControlsFeatures features = FeaturesOf(LoadedCommonControlsVersion());
  return features;
}

void RegisterControlClasses() {
  static bool registered = false;
  if (registered) return;
  const DWORD standard = CommonControls().standardClasses ? ICC_STANDARD_CLASSES : 0;
  INITCOMMONCONTROLSEX classes{sizeof classes, ICC_WIN95_CLASSES | standard};
  InitCommonControlsEx(&classes);
  registered = true;
}

void SetUpDownRange(HWND upDown, int minimum, int maximum) {
  if (CommonControls().upDownRange32) {
    SendMessageA(upDown, UDM_SETRANGE32, static_cast<WPARAM>(minimum), maximum);
  } else {
    const UpDownRange16 range = ClampToUpDown16(minimum, maximum);
    SendMessageA(upDown, UDM_SETRANGE, 0, MAKELPARAM(range.maximum, range.minimum));
  }
}

void SetUpDownPosition(HWND upDown, int value) {
  if (CommonControls().upDownPos32) {
    SendMessageA(upDown, UDM_SETPOS32, 0, value);
  } else {
    const UpDownRange16 position = ClampToUpDown16(value, value);
    SendMessageA(upDown, UDM_SETPOS, 0, MAKELPARAM(position.minimum, 0));
  }
}

void TrackMouseLeave(HWND window) {
  using TrackFn = BOOL(WINAPI*)(TRACKMOUSEEVENT*);
  static const TrackFn track = [] {
    auto user = reinterpret_cast<TrackFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("user32.dll"), "TrackMouseEvent")));
    return user != nullptr ? user : Bound<TrackFn>("_TrackMouseEvent");
  }();
  TRACKMOUSEEVENT request{sizeof request, TME_LEAVE, window, 0};
  if (track == nullptr || !track(&request)) SetTimer(window, kLeaveTimer, 100, &WatchCursor);
}

HWND RootWindow(HWND window) {
  while (window != nullptr && (GetWindowLongA(window, GWL_STYLE) & WS_CHILD) != 0) {
    HWND parent = GetParent(window);
    if (parent == nullptr) break;
    window = parent;
  }
  return window;
}

}  // namespace tw::ui

extern "C" BOOL WINAPI InitCommonControlsEx(const INITCOMMONCONTROLSEX* classes) {
  using ExFn = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
  static const ExFn registerSome = tw::ui::Bound<ExFn>("InitCommonControlsEx");
  if (registerSome != nullptr) return registerSome(classes);
  // Version 4.00 registers all of its classes at once, as it loads.
  using AllFn = void(WINAPI*)();
  static const AllFn registerAll = tw::ui::Bound<AllFn>("InitCommonControls");
  if (registerAll == nullptr) return FALSE;
  registerAll();
  return TRUE;
}

#define TW_FORWARD(Result, failed, name, parameters, arguments)          \
  extern "C" Result WINAPI name parameters {                             \
    static const auto bound = tw::ui::Bound<decltype(&name)>(#name);     \
    return bound != nullptr ? bound arguments : Result(failed);          \
  }

TW_FORWARD(HIMAGELIST, nullptr, ImageList_Create, (int width, int height, UINT flags, int initial, int grow),
           (width, height, flags, initial, grow))
TW_FORWARD(int, -1, ImageList_AddMasked, (HIMAGELIST list, HBITMAP image, COLORREF mask), (list, image, mask))
TW_FORWARD(HICON, nullptr, ImageList_GetIcon, (HIMAGELIST list, int index, UINT flags), (list, index, flags))
TW_FORWARD(BOOL, FALSE, ImageList_Destroy, (HIMAGELIST list), (list))
