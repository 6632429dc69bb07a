// Two subclassers on one window, taken off out of turn: neither unhooks the other.
#include <gtest/gtest.h>

#include <vector>

#include "ui/win32/Subclass.h"

namespace tw::ui {
namespace {

struct Seen {
  std::vector<UINT> messages;
  bool destroyed = false;
};

LRESULT Watch(HWND window, UINT message, WPARAM wParam, LPARAM lParam, Seen* seen) {
  if (message == WM_USER + 1) seen->messages.push_back(message);
  if (message == WM_NCDESTROY) seen->destroyed = true;
  return CallNextSubclass(window, message, wParam, lParam);
}

// A second handler that also answers one message itself.
LRESULT Answer(HWND window, UINT message, WPARAM wParam, LPARAM lParam, Seen* seen) {
  if (message == WM_USER + 1) seen->messages.push_back(message);
  if (message == WM_NCDESTROY) seen->destroyed = true;
  if (message == WM_USER + 2) return 42;
  return CallNextSubclass(window, message, wParam, lParam);
}

TEST(Subclass, EitherSubclasserLeavesWithoutUnhookingTheOther) {
  HWND button = CreateWindowExA(0, "BUTTON", "Plain", WS_POPUP, 0, 0, 80, 20, nullptr, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
  ASSERT_NE(nullptr, button);
  const LONG_PTR plain = GetWindowLongPtrA(button, GWLP_WNDPROC);
  Seen first, second;
  ASSERT_TRUE(AddSubclass<&Watch>(button, &first));
  ASSERT_TRUE(AddSubclass<&Answer>(button, &second));
  EXPECT_EQ(&first, SubclassData<&Watch>(button));
  EXPECT_EQ(42, SendMessageA(button, WM_USER + 2, 0, 0));

  // The first one in leaves first: the later one keeps its place in the chain.
  ASSERT_TRUE(RemoveSubclass<&Watch>(button));
  EXPECT_EQ(nullptr, SubclassData<&Watch>(button));
  SendMessageA(button, WM_USER + 1, 0, 0);
  EXPECT_TRUE(first.messages.empty());
  EXPECT_EQ(1u, second.messages.size());
  EXPECT_EQ(42, SendMessageA(button, WM_USER + 2, 0, 0));
  EXPECT_EQ("Plain", WindowText(button)) << "the button's own procedure still answers";

  ASSERT_TRUE(RemoveSubclass<&Answer>(button));
  EXPECT_EQ(plain, GetWindowLongPtrA(button, GWLP_WNDPROC)) << "the last one out restores the class procedure";

  // A subclass still in place sees the window go, and leaves the chain with it.
  ASSERT_TRUE(AddSubclass<&Answer>(button, &second));
  DestroyWindow(button);
  EXPECT_TRUE(second.destroyed);
  EXPECT_FALSE(first.destroyed);
}

}  // namespace
}  // namespace tw::ui
