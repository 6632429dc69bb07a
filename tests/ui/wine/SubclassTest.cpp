// Two subclassers on one window, taken off out of turn: neither unhooks the other.
#include <gtest/gtest.h>

#include "ui/win32/Subclass.h"

namespace tw::ui {
namespace {

struct Seen {
  int messages = 0;
  bool destroyed = false;
};

template <LRESULT kAnswer>
LRESULT Watch(HWND window, UINT message, WPARAM wParam, LPARAM lParam, Seen* seen) {
  if (message == WM_USER) ++seen->messages;
  if (message == WM_NCDESTROY) seen->destroyed = true;
  if (message == WM_USER && kAnswer != 0) return kAnswer;
  return CallNextSubclass(window, message, wParam, lParam);
}

TEST(Subclass, EitherSubclasserLeavesWithoutUnhookingTheOther) {
  HWND button = CreateWindowExA(0, "BUTTON", "Plain", WS_POPUP, 0, 0, 80, 20, nullptr, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
  ASSERT_NE(nullptr, button);
  const LONG_PTR plain = GetWindowLongPtrA(button, GWLP_WNDPROC);
  Seen first, second;
  ASSERT_TRUE(AddSubclass<&Watch<0>>(button, &first));
  ASSERT_TRUE(AddSubclass<&Watch<42>>(button, &second));
  EXPECT_EQ(&first, SubclassData<&Watch<0>>(button));

  // The first one in leaves first: the later one keeps its place, the button its procedure.
  ASSERT_TRUE(RemoveSubclass<&Watch<0>>(button));
  EXPECT_EQ(nullptr, SubclassData<&Watch<0>>(button));
  EXPECT_EQ(42, SendMessageA(button, WM_USER, 0, 0));
  EXPECT_EQ(0, first.messages);
  EXPECT_EQ("Plain", WindowText(button));
  ASSERT_TRUE(RemoveSubclass<&Watch<42>>(button));
  EXPECT_EQ(plain, GetWindowLongPtrA(button, GWLP_WNDPROC)) << "the last one out restores the class procedure";

  // A subclass still in place sees the window go, and leaves the chain with it.
  ASSERT_TRUE(AddSubclass<&Watch<42>>(button, &second));
  DestroyWindow(button);
  EXPECT_TRUE(second.destroyed);
  EXPECT_FALSE(first.destroyed);
}

}  // namespace
}  // namespace tw::ui
