// The program's own message window with real controls: its modal boxes
// answered by clicks made from inside their own message loop, the timed
// notice on a timer the test moves by hand, and the balloon's shape and shadow.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <vector>

#include "support/FakeTimer.h"
#include "support/wine/TestPanelHost.h"
#include "ui/win32/BalloonWindow.h"
#include "ui/win32/Window.h"
#include "ui/win32/msgFrm.h"

namespace tw::test {
namespace {

using ui::msgFrm;

// Runs queued steps from inside whatever message loop is pumping: a modal
// box's loop takes them up as it waits, as it would a user's clicks.
class Driver {
 public:
  Driver() {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = &Driver::Proc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "MsgFrmTestDriver";
    RegisterClassA(&windowClass);
    window_ = CreateWindowA("MsgFrmTestDriver", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  }
  ~Driver() { DestroyWindow(window_); }
  void Then(std::function<void()> step) {
    steps_.push_back(std::move(step));
    PostMessageA(window_, WM_APP, 0, 0);
  }

 private:
  static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<Driver*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (message == WM_APP && self != nullptr && !self->steps_.empty()) {
      auto step = std::move(self->steps_.front());
      self->steps_.erase(self->steps_.begin());
      step();
      return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
  }
  HWND window_;
  std::vector<std::function<void()>> steps_;
};

bool Shown(HWND window) { return window != nullptr && IsWindowVisible(window) != FALSE; }

class MsgFrmTest : public ::testing::Test {
 protected:
  void TearDown() override {
    frm_.Unload();
    PumpMessages();
  }
  HWND Button(int index) { return frm_.Control(ui::IDC_cmd1_0 + index); }
  // The visible buttons' captions, left to right.
  std::vector<std::string> Buttons() {
    std::vector<std::pair<LONG, std::string>> shown;
    for (int i = 0; i < 3; ++i) {
      if (!Shown(Button(i))) continue;
      RECT rect{};
      GetWindowRect(Button(i), &rect);
      shown.emplace_back(rect.left, ui::WindowText(Button(i)));
    }
    std::sort(shown.begin(), shown.end());
    std::vector<std::string> captions;
    for (auto& [left, caption] : shown) captions.push_back(caption);
    return captions;
  }
  // Presses the visible button with this caption.
  void Press(const std::string& caption) {
    for (int i = 0; i < 3; ++i) {
      if (Shown(Button(i)) && ui::WindowText(Button(i)) == caption) {
        SendMessageA(Button(i), BM_CLICK, 0, 0);
        return;
      }
    }
    ADD_FAILURE() << "no button " << caption;
    ShowWindow(frm_.hwnd(), SW_HIDE);  // end the box all the same
  }
  int Box(std::uint32_t flags, const char* check = "", const char* b1 = "", const char* b2 = "",
          const char* b3 = "") {
    return frm_.msg_Box("Are you sure?", flags, "Title", false, check, b1, b2, b3, 0, 200, 200, 0);
  }

  FakeTimerFactory timers_;
  msgFrm frm_{nullptr, &timers_};
  Driver driver_;
};

TEST_F(MsgFrmTest, MessageBoxesReturnTheValueOfTheButtonClicked) {
  driver_.Then([&] {
    EXPECT_TRUE(Shown(frm_.hwnd()));
    EXPECT_EQ(0, frm_.Layout());
    EXPECT_EQ((std::vector<std::string>{"OK"}), Buttons());
    EXPECT_EQ("Title", ui::WindowText(frm_.Control(ui::IDC_LblTitle)));
    EXPECT_EQ("Are you sure?", ui::WindowText(frm_.Control(ui::IDC_lblmsg)));
    EXPECT_FALSE(Shown(frm_.Control(ui::IDC_P1))) << "no icon asked for";
    EXPECT_FALSE(Shown(frm_.Control(ui::IDC_Check1)));
    RECT group{}, ok{};
    GetWindowRect(frm_.Control(ui::IDC_F1_0), &group);
    GetWindowRect(Button(0), &ok);
    EXPECT_NEAR((group.left + group.right) / 2, (ok.left + ok.right) / 2, 1) << "one button, centred";
    Press("OK");
  });
  EXPECT_EQ(1, Box(0));
  EXPECT_FALSE(frm_.IsLoaded()) << "the end of the dialog unloads the window";

  driver_.Then([&] {
    EXPECT_EQ((std::vector<std::string>{"Yes", "No", "Cancel"}), Buttons());
    EXPECT_TRUE(Shown(frm_.Control(ui::IDC_P1))) << "the question icon";
    Press("No");
  });
  EXPECT_EQ(7, Box(35));
  driver_.Then([&] { Press("Cancel"); });
  EXPECT_EQ(2, Box(35));
  driver_.Then([&] { Press("Yes"); });
  EXPECT_EQ(6, Box(35));

  driver_.Then([&] {
    EXPECT_EQ((std::vector<std::string>{"A", "C"}), Buttons());
    EXPECT_FALSE(Shown(Button(1))) << "the empty caption's button";
    Press("C");
  });
  EXPECT_EQ(3, Box(6, "", "A", "", "C"));
  driver_.Then([&] { Press("A"); });
  EXPECT_EQ(1, Box(6, "", "A", "", "C"));
}

TEST_F(MsgFrmTest, ATickedCheckBoxAddsAHundredAndTheSecondButtonCanBeTheDefault) {
  driver_.Then([&] {
    HWND check = frm_.Control(ui::IDC_Check1);
    EXPECT_TRUE(Shown(check));
    EXPECT_EQ("Don't ask again", ui::WindowText(check));
    RECT box{}, button{};
    GetWindowRect(check, &box);
    GetWindowRect(Button(0), &button);
    EXPECT_LE(box.bottom, button.top) << "the check box sits above the buttons";
    Click(check);
    Press("OK");
  });
  EXPECT_EQ(101, Box(0, "Don't ask again"));

  driver_.Then([&] {
    EXPECT_EQ(Button(1), GetFocus()) << "flags 256: the second button";
    EXPECT_TRUE(SendMessageA(Button(1), WM_GETDLGCODE, 0, 0) & DLGC_DEFPUSHBUTTON);
    Press("No");
  });
  EXPECT_EQ(7, Box(256 | 4));
}

TEST_F(MsgFrmTest, EnterPressesTheDefaultButtonAndEscapeCancels) {
  // Keys go into the queue, where the box's own loop meets them as typed.
  auto key = [](WPARAM code) {
    PostMessageA(GetFocus(), WM_KEYDOWN, code, 0);
    PostMessageA(GetFocus(), WM_KEYUP, code, static_cast<LPARAM>(0xC0000000u));
  };
  driver_.Then([&] { key(VK_RETURN); });
  EXPECT_EQ(7, Box(256 | 3)) << "No, the default";
  driver_.Then([&] { key(VK_ESCAPE); });
  EXPECT_EQ(2, Box(1)) << "Cancel";
  driver_.Then([&] { key(VK_ESCAPE); });
  EXPECT_EQ(1, Box(0)) << "a lone OK";
  driver_.Then([&] {
    SetWindowTextA(frm_.Control(ui::IDC_iTxt), "by key");
    key(VK_RETURN);
  });
  EXPECT_EQ("by key", frm_.input_box("Name?", 0, "Input", "", true, "", 0, 300, 300, 0));
}

TEST_F(MsgFrmTest, TheInputBoxKeepsItsTextMarksTheCheckBoxAndCancelGivesNothing) {
  driver_.Then([&] {
    HWND text = frm_.Control(ui::IDC_iTxt);
    EXPECT_EQ("guess", ui::WindowText(text));
    SetWindowTextA(text, "");
    Click(frm_.Control(ui::IDC_iCmd_1));
    EXPECT_TRUE(Shown(frm_.hwnd())) << "OK with an empty field keeps the box";
    SetWindowTextA(text, "typed");
    Click(frm_.Control(ui::IDC_Check2));
    Click(frm_.Control(ui::IDC_iCmd_1));
  });
  EXPECT_EQ("typed\xAC", frm_.input_box("Your name?", 64, "Input", "guess", true, "Remember", 0, 300, 300, 0));

  driver_.Then([&] {
    EXPECT_FALSE(Shown(frm_.Control(ui::IDC_Check2))) << "no caption, no check box";
    Click(frm_.Control(ui::IDC_iCmd_0));
  });
  EXPECT_EQ("", frm_.input_box("Your name?", 0, "Input", "guess", true, "", 0, 300, 300, 0));
}

TEST_F(MsgFrmTest, TheNoticeReturnsAtOnceAndClosesAfterItsSecondsOrAtItsCloseButton) {
  EXPECT_EQ("", frm_.MsgAuto_box("The Program Still Running Here", 64, "Program notification", 5, true,
                                 RGB(242, 248, 200), 300, 300, 0));
  ASSERT_TRUE(frm_.IsLoaded());
  EXPECT_TRUE(Shown(frm_.hwnd())) << "shown while the caller goes on";
  EXPECT_TRUE(GetWindowLongA(frm_.hwnd(), GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_EQ("The Program Still Running Here", ui::WindowText(frm_.Control(ui::IDC_aMsg)));
  EXPECT_EQ("Program notification", ui::WindowText(frm_.Control(ui::IDC_aTitle)));
  EXPECT_TRUE(Shown(frm_.Control(ui::IDC_aPic)));
  EXPECT_EQ("Close", ui::WindowText(frm_.Control(ui::IDC_command1)));
  ASSERT_EQ(1u, timers_.Count());
  EXPECT_EQ(5000u, timers_.Timer(0).Interval());
  timers_.Advance(4999);
  PumpMessages();
  EXPECT_TRUE(frm_.IsLoaded());
  timers_.Advance(1);
  PumpMessages();
  EXPECT_FALSE(frm_.IsLoaded()) << "closed by its timer after 5 s";

  frm_.MsgAuto_box("Again", 0, "Program notification", 40, false, RGB(242, 248, 200), 300, 300, 0);
  EXPECT_EQ(32000u, timers_.Timer(0).Interval()) << "bound to 32 s";
  Click(frm_.Control(ui::IDC_command1));
  PumpMessages();
  EXPECT_FALSE(frm_.IsLoaded()) << "closed at once by its close button";
  EXPECT_FALSE(timers_.Timer(0).IsRunning());
}

bool InRegion(HWND window, int x, int y) {
  HRGN region = CreateRectRgn(0, 0, 0, 0);
  const bool inside = GetWindowRgn(window, region) != ERROR && PtInRegion(region, x, y);
  DeleteObject(region);
  return inside;
}

TEST_F(MsgFrmTest, TheBalloonHangsFromItsPointAndLosesItsTailWhenItsShadowIsRebuilt) {
  frm_.MsgAuto_box("Shape", 0, "Title", 5, false, RGB(255, 255, 204), 100, 100, 0);
  HWND window = frm_.hwnd();
  RECT rect{};
  GetWindowRect(window, &rect);
  const int w = rect.right - rect.left, h = rect.bottom - rect.top;
  EXPECT_EQ(ui::kMsgWindowWidth, w);
  EXPECT_EQ(100 - 42, rect.left) << "upper left: the box hangs below and right of the point";
  EXPECT_EQ(100, rect.top);
  EXPECT_EQ(ui::TailStyle::TopLeft, frm_.Tail());
  EXPECT_TRUE(InRegion(window, 42, 10)) << "the tail";
  EXPECT_TRUE(InRegion(window, 100, 60)) << "the body";
  EXPECT_TRUE(InRegion(window, w - 7, h / 2)) << "the shadow";
  EXPECT_FALSE(InRegion(window, w - 2, h / 2)) << "beyond the shadow";
  EXPECT_FALSE(InRegion(window, 200, 5)) << "beside the tail";

  frm_.n_RefreshShadow(0);
  EXPECT_FALSE(InRegion(window, 42, 10)) << "no tail after a drag";
  EXPECT_TRUE(InRegion(window, 100, 60));
  EXPECT_TRUE(InRegion(window, w - 7, h / 2));
  frm_.ShowBodyOnly();
  EXPECT_FALSE(InRegion(window, w - 7, h / 2)) << "while dragged, the body alone";
  EXPECT_TRUE(InRegion(window, 100, 60));
}

// A striped picture on screen, captured into a bitmap.
class CapturedBackground {
 public:
  CapturedBackground(int width, int height) : dc_(CreateCompatibleDC(nullptr)) {
    HDC screen = GetDC(nullptr);
    bitmap_ = CreateCompatibleBitmap(screen, width, height);
    previous_ = SelectObject(dc_, bitmap_);
    for (int y = 0; y < height; y += 7) {
      for (int x = 0; x < width; x += 11) {
        HBRUSH brush = CreateSolidBrush(RGB((x * 3) & 255, (y * 5) & 255, ((x + y) * 7) & 255));
        RECT cell{x, y, x + 11, y + 7};
        FillRect(screen, &cell, brush);
        DeleteObject(brush);
      }
    }
    BitBlt(dc_, 0, 0, width, height, screen, 0, 0, SRCCOPY);
    ReleaseDC(nullptr, screen);
    InvalidateRect(nullptr, nullptr, TRUE);
  }
  ~CapturedBackground() {
    SelectObject(dc_, previous_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
  }
  HDC dc() const { return dc_; }

 private:
  HDC dc_;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ previous_ = nullptr;
};

TEST(BalloonShadowOnScreen, TheOneCopyShadowIsThePerPixelShadow) {
  constexpr int kW = 360, kH = 200;
  CapturedBackground behind(kW + 40, kH + 40);
  for (int lift : {0, 40}) {
    ui::BalloonSurface perPixel, fast;
    ASSERT_TRUE(perPixel.Resize(kW, kH));
    ASSERT_TRUE(fast.Resize(kW, kH));
    ui::ShadeBandPerPixel(behind.dc(), {20, 20}, perPixel, lift);
    ASSERT_TRUE(ui::ShadeBandFast(behind.dc(), {20, 20}, fast, lift));
    GdiFlush();
    const std::vector<std::uint32_t> a(perPixel.pixels(), perPixel.pixels() + kW * kH);
    const std::vector<std::uint32_t> b(fast.pixels(), fast.pixels() + kW * kH);
    EXPECT_EQ(a, b) << "lift " << lift;
    // Not all black: the band took the stripes.
    EXPECT_NE(0u, a[(kH - 23) * kW + kW / 2]);
  }
}

TEST(IconStrip, GreenShowsTheBackgroundAndEveryMessageIconHasPixelsOfItsOwn) {
  ui::UniqueBitmap strip = ui::LoadIconStrip();
  ASSERT_TRUE(strip) << "the strip is among the resources";
  BITMAP info{};
  GetObjectA(strip.get(), sizeof info, &info);
  EXPECT_EQ(192, info.bmWidth);
  EXPECT_EQ(16, info.bmHeight);
  HDC dc = CreateCompatibleDC(nullptr);
  for (int cell = 1; cell <= 12; ++cell) {
    ui::UniqueBitmap drawn = ui::DrawStripCell(strip.get(), cell, 16, RGB(1, 2, 3));
    ASSERT_TRUE(drawn);
    HGDIOBJ previous = SelectObject(dc, drawn.get());
    int background = 0;
    for (int y = 0; y < 16; ++y) {
      for (int x = 0; x < 16; ++x) background += GetPixel(dc, x, y) == RGB(1, 2, 3);
      for (int x = 0; x < 16; ++x) EXPECT_NE(RGB(0, 255, 0), GetPixel(dc, x, y)) << "cell " << cell;
    }
    SelectObject(dc, previous);
    const bool empty = cell == 8 || cell == 12;
    EXPECT_EQ(empty, background == 256) << "cell " << cell;
    EXPECT_GT(background, 0) << "cell " << cell << " has a transparent edge";
  }
  DeleteDC(dc);
}

}  // namespace
}  // namespace tw::test
