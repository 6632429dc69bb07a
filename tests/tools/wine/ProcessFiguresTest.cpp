// What the soak reads of a process from outside, read here of this very
// process: windows and GDI objects made and freed show in the counts, and a
// dialog window with its text is found as a message box.
#include <gtest/gtest.h>

#include <windows.h>

#include "tools/ProcessFigures.h"

namespace tw::soak {
namespace {

ProcessFigures Now() { return ReadProcessFigures(GetCurrentProcess(), GetCurrentProcessId()); }

TEST(ProcessFigures, WindowsAndGdiObjectsMadeAndFreedShowInTheCounts) {
  // The thread's first window brings an input-method window of its own along.
  HWND first = CreateWindowExA(0, "Static", "", WS_OVERLAPPED, 0, 0, 5, 5, nullptr, nullptr, nullptr, nullptr);
  const ProcessFigures before = Now();
  ASSERT_GE(before.gdiObjects, 1) << "the GDI handle table could not be read";
  HWND top = CreateWindowExA(0, "Static", "soak", WS_OVERLAPPED, 0, 0, 50, 50, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(nullptr, top);
  HWND child = CreateWindowExA(0, "Static", "", WS_CHILD, 0, 0, 5, 5, top, nullptr, nullptr, nullptr);
  CreateWindowExA(0, "Static", "", WS_CHILD, 0, 0, 5, 5, child, nullptr, nullptr, nullptr);
  HBRUSH brushes[10];
  for (HBRUSH& brush : brushes) brush = CreateSolidBrush(RGB(1, 2, 3));

  const ProcessFigures during = Now();
  EXPECT_EQ(before.windows + 3, during.windows) << "a window, its child and its grandchild";
  EXPECT_EQ(before.gdiObjects + 10, during.gdiObjects);

  for (HBRUSH brush : brushes) DeleteObject(brush);
  DestroyWindow(top);
  const ProcessFigures after = Now();
  EXPECT_EQ(before.windows, after.windows);
  EXPECT_EQ(before.gdiObjects, after.gdiObjects);
  DestroyWindow(first);
}

TEST(ProcessFigures, AVisibleDialogIsAMessageBoxWithItsText) {
  EXPECT_TRUE(MessageBoxesOf(GetCurrentProcessId()).empty());
  HWND box = CreateWindowExA(0, "#32770", "Tidewave", WS_POPUP | WS_VISIBLE, 0, 0, 200, 100, nullptr, nullptr,
                             nullptr, nullptr);
  ASSERT_NE(nullptr, box);
  CreateWindowExA(0, "Static", "Do you want to delete this file?", WS_CHILD | WS_VISIBLE, 0, 0, 180, 20, box,
                  nullptr, nullptr, nullptr);
  const auto boxes = MessageBoxesOf(GetCurrentProcessId());
  ASSERT_EQ(1u, boxes.size());
  EXPECT_EQ(box, boxes[0]);
  EXPECT_EQ("Do you want to delete this file?", MessageBoxText(box));
  ShowWindow(box, SW_HIDE);
  EXPECT_TRUE(MessageBoxesOf(GetCurrentProcessId()).empty()) << "a hidden one is not left open";
  DestroyWindow(box);
}

}  // namespace
}  // namespace tw::soak
