// comctl32 as the program binds it: by name, its version read once, and what
// that version can do used by the controls made from it.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include "ui/win32/CommonControls.h"

namespace tw::test {
namespace {

TEST(CommonControls, ReadsTheLoadedVersionAndSetsUpDownsWithWhatItTakes) {
  const HMODULE library = LoadLibraryA("comctl32.dll");
  ASSERT_NE(nullptr, library);
  EXPECT_EQ(GetProcAddress(library, "InitCommonControlsEx"), ui::CommonControlsFunction("InitCommonControlsEx"));
  EXPECT_EQ(nullptr, ui::CommonControlsFunction("NoSuchFunction"));
  // Wine's comctl32 says 5.81 even where the manifest gives version 6: at
  // least the 32-bit up-down messages, then.
  const ui::CommonControlsVersion version = ui::LoadedCommonControlsVersion();
  EXPECT_LE((ui::CommonControlsVersion{5, 80}), version) << version.major << "." << version.minor;
  EXPECT_TRUE(ui::CommonControls().upDownPos32);

  INITCOMMONCONTROLSEX classes{sizeof classes, ICC_UPDOWN_CLASS};
  ASSERT_TRUE(InitCommonControlsEx(&classes));
  HWND upDown = CreateWindowExA(0, UPDOWN_CLASSA, nullptr, WS_POPUP, 0, 0, 20, 20, nullptr, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
  ASSERT_NE(nullptr, upDown);
  ui::SetUpDownRange(upDown, 100, 65535);
  ui::SetUpDownPosition(upDown, 40000);
  int low = 0, high = 0;
  SendMessageA(upDown, UDM_GETRANGE32, reinterpret_cast<WPARAM>(&low), reinterpret_cast<LPARAM>(&high));
  EXPECT_EQ(100, low);
  EXPECT_EQ(65535, high) << "past 16 bits where the version takes 32";
  EXPECT_EQ(40000, SendMessageA(upDown, UDM_GETPOS32, 0, 0));
  DestroyWindow(upDown);
  FreeLibrary(library);
}

TEST(CommonControls, RootWindowIsTheTopLevelWindowAsGetAncestorFindsIt) {
  HWND top = CreateWindowExA(0, "STATIC", "top", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr,
                             GetModuleHandleA(nullptr), nullptr);
  HWND middle = CreateWindowExA(0, "STATIC", "", WS_CHILD, 0, 0, 20, 20, top, nullptr, nullptr, nullptr);
  HWND inner = CreateWindowExA(0, "BUTTON", "", WS_CHILD, 0, 0, 10, 10, middle, nullptr, nullptr, nullptr);
  // An owned pop-up is a root of its own, though GetParent names its owner.
  HWND owned = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, top, nullptr, nullptr, nullptr);
  for (HWND window : {top, middle, inner, owned}) {
    EXPECT_EQ(GetAncestor(window, GA_ROOT), ui::RootWindow(window));
  }
  EXPECT_EQ(top, ui::RootWindow(inner));
  EXPECT_EQ(nullptr, ui::RootWindow(nullptr));
  DestroyWindow(owned);
  DestroyWindow(top);
}

}  // namespace
}  // namespace tw::test
