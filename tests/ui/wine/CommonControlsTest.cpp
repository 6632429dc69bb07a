// comctl32 as the program binds it: each function by name, and the subclass
// chain also by the ordinal that versions before 6 export it by alone.
#include <gtest/gtest.h>
#include <windows.h>

#include "ui/win32/CommonControls.h"

namespace tw::test {
namespace {

TEST(CommonControls, FindsEachFunctionByNameAndTheSubclassChainByItsOrdinal) {
  const HMODULE library = LoadLibraryA("comctl32.dll");
  ASSERT_NE(nullptr, library);
  EXPECT_EQ(GetProcAddress(library, "InitCommonControlsEx"), ui::CommonControlsFunction("InitCommonControlsEx", 0));
  const struct {
    const char* name;
    WORD ordinal;
  } subclassChain[] = {
      {"SetWindowSubclass", 410}, {"GetWindowSubclass", 411}, {"RemoveWindowSubclass", 412}, {"DefSubclassProc", 413}};
  for (const auto& function : subclassChain) {
    const FARPROC byName = GetProcAddress(library, function.name);
    ASSERT_NE(nullptr, byName) << function.name;
    EXPECT_EQ(byName, ui::CommonControlsFunction(function.name, function.ordinal)) << function.name;
    // As on a comctl32 that does not export the name.
    EXPECT_EQ(byName, ui::CommonControlsFunction("NotExportedByName", function.ordinal)) << function.name;
  }
  EXPECT_EQ(nullptr, ui::CommonControlsFunction("NotExportedByName", 0));
  FreeLibrary(library);
}

}  // namespace
}  // namespace tw::test
