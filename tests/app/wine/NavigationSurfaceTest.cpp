// The navigation surface in a window of this process, driven the way a user
// and a screen reader meet it: by captions, control ids, clicks and keys.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "app/NavigationItems.h"
#include "app/win32/NavigationSurface.h"
#include "support/wine/Program.h"

namespace tw {
// A failure names the command.
inline void PrintTo(NavigationCommand command, std::ostream* out) { *out << CommandName(command); }
}  // namespace tw

namespace tw::test {
namespace {

constexpr const char* kHostClass = "TidewaveSurfaceTestHost";

BOOL CALLBACK AddToolTips(HWND window, LPARAM list) {
  if (ClassName(window) == TOOLTIPS_CLASSA) reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
  return TRUE;
}

class NavigationSurfaceTest : public ::testing::Test {
 protected:
  // One shown main window for the suite; each test makes its own surface in it.
  static void SetUpTestSuite() {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = kHostClass;
    RegisterClassA(&windowClass);  // fails harmlessly when already registered
    sharedHost_ = CreateWindowExA(WS_EX_CONTROLPARENT, kHostClass, "Tidewave", WS_POPUP | WS_VISIBLE, 40, 40,
                                  NavigationSurface::kWidth, NavigationSurface::kHeight, nullptr, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
  }
  static void TearDownTestSuite() {
    DestroyWindow(sharedHost_);
    sharedHost_ = nullptr;
  }

  void SetUp() override {
    host_ = sharedHost_;
    ASSERT_NE(nullptr, host_);
    surface_ = std::make_unique<NavigationSurface>(
        [this](NavigationCommand command) { sent_.push_back(command); });
    ASSERT_TRUE(surface_->Create(host_));
    surface_->CreateControls();
    surface_->AddToolTips();
    UpdateWindow(host_);
  }
  void TearDown() override {
    surface_.reset();
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
  }

  HWND Item(int id) const { return GetDlgItem(surface_->hwnd(), id); }
  // What one action sent, and forget it.
  std::vector<NavigationCommand> Take() { return std::exchange(sent_, {}); }
  std::vector<NavigationCommand> Click(int id) {
    SendMessageA(Item(id), BM_CLICK, 0, 0);
    return Take();
  }
  void Key(HWND window, WPARAM key) {
    SendMessageA(window, WM_KEYDOWN, key, 0);
    SendMessageA(window, WM_KEYUP, key, 0xC0000000);
  }
  // A key as the program's message loop hands it on: through IsDialogMessage.
  void LoopKey(WPARAM key) {
    MSG message{GetFocus(), WM_KEYDOWN, key, 0, 0, {}};
    if (!IsDialogMessageA(host_, &message)) DispatchMessageA(&message);
    message.message = WM_KEYUP;
    message.lParam = 0xC0000000;
    if (!IsDialogMessageA(host_, &message)) DispatchMessageA(&message);
  }
  // A letter typed with Alt held, as the loop hands it on.
  void LoopAltLetter(char letter) {
    MSG message{GetFocus(), WM_SYSCHAR, static_cast<WPARAM>(letter), 0x20000000, 0, {}};
    if (!IsDialogMessageA(host_, &message)) DispatchMessageA(&message);
  }
  static bool Visible(HWND window) { return (GetWindowLongA(window, GWL_STYLE) & WS_VISIBLE) != 0; }

  static inline HWND sharedHost_ = nullptr;
  HWND host_ = nullptr;
  std::unique_ptr<NavigationSurface> surface_;
  std::vector<NavigationCommand> sent_;
};

using Commands = std::vector<NavigationCommand>;
using C = NavigationCommand;

TEST_F(NavigationSurfaceTest, EveryItemIsARealControlWithItsCaptionAndId) {
  RECT surface{};
  GetWindowRect(surface_->hwnd(), &surface);
  MapWindowPoints(nullptr, host_, reinterpret_cast<POINT*>(&surface), 2);
  EXPECT_TRUE(surface.left == 0 && surface.top == 0 && surface.right == 724 && surface.bottom == 540)
      << "the surface covers the whole client area";
  EXPECT_TRUE(GetWindowLongA(surface_->hwnd(), GWL_EXSTYLE) & WS_EX_CONTROLPARENT);

  auto check = [&](int id, std::string_view caption, bool tabStop) {
    HWND window = Item(id);
    ASSERT_NE(nullptr, window) << caption;
    EXPECT_EQ(std::string(caption), WindowText(window));
    EXPECT_EQ(tabStop, (GetWindowLongA(window, GWL_STYLE) & WS_TABSTOP) != 0) << caption;
  };
  for (const NavigationItem& item : NavigationChrome()) {
    check(item.id, item.caption, item.id != IDC_FS_titleStrip);
    EXPECT_EQ("Button", ClassName(Item(item.id))) << item.caption;
  }
  for (const NavigationGroup& group : NavigationGroups()) {
    check(group.id, group.caption, group.command.has_value());
    for (const NavigationItem& item : group.items) check(item.id, item.caption, true);
  }
  RECT strip{};
  GetWindowRect(Item(IDC_FS_titleStrip), &strip);
  MapWindowPoints(nullptr, host_, reinterpret_cast<POINT*>(&strip), 2);
  EXPECT_EQ(0, strip.top) << "the title strip runs along the top";
}

TEST_F(NavigationSurfaceTest, PressingEachItemSendsItsCommandOnce) {
  for (const NavigationGroup& group : NavigationGroups()) {
    if (group.command) {
      EXPECT_EQ(Commands{*group.command}, Click(group.id)) << group.caption;
    }
    for (const NavigationItem& item : group.items) {
      EXPECT_EQ(Commands{item.command}, Click(item.id)) << item.caption;
    }
  }
  for (const NavigationItem& item : NavigationChrome()) {
    // Back and Close Panel belong to an open panel, Done to the about view.
    if (item.id == IDC_FS_hidePanelButton || item.id == IDC_FS_closePanelButton) Click(IDC_FS_firstMenuItem);
    if (item.id == IDC_FS_closeAboutButton) Click(IDC_FS_aboutButton);
    ASSERT_TRUE(IsWindowVisible(Item(item.id))) << item.caption;
    EXPECT_EQ(Commands{item.command}, Click(item.id)) << item.caption;
  }
}

TEST_F(NavigationSurfaceTest, TheTitleStripDragsOnThePressAndADoubleClickRunsNothingTwice) {
  HWND title = Item(IDC_FS_titleStrip);
  SendMessageA(title, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(60, 20));
  EXPECT_EQ(Commands{C::Drag}, Take()) << "at once, while the button is still down";
  SendMessageA(title, WM_LBUTTONUP, 0, MAKELPARAM(60, 20));
  EXPECT_EQ(Commands{}, Take());
  SendMessageA(surface_->hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(450, 20));
  EXPECT_EQ(Commands{C::Drag}, Take()) << "the rest of the title band drags too";
  SendMessageA(surface_->hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(450, 300));
  EXPECT_EQ(Commands{}, Take()) << "but not the page";

  HWND help = Item(IDC_FS_helpButton);
  for (UINT message : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP}) {
    SendMessageA(help, message, message == WM_LBUTTONUP ? 0 : MK_LBUTTON, MAKELPARAM(5, 5));
  }
  EXPECT_EQ(Commands{C::Help}, Take());
}

TEST_F(NavigationSurfaceTest, TheKeyboardReachesAndPressesItems) {
  HWND wizard = Item(IDC_FS_firstMenuItem);
  SetFocus(wizard);
  ASSERT_EQ(wizard, GetFocus());
  Key(wizard, VK_SPACE);
  EXPECT_EQ(Commands{C::WizardMode}, Take());

  Key(wizard, VK_DOWN);
  EXPECT_EQ(Item(IDC_FS_firstMenuItem + 1), GetFocus()) << "Down moves to the next item";
  Key(GetFocus(), VK_UP);
  EXPECT_EQ(wizard, GetFocus());
  Key(wizard, VK_UP);
  EXPECT_EQ(Item(IDC_FS_homeButton), GetFocus());

  // Through the message loop's dialog handling, as the program runs it.
  SetFocus(wizard);
  LoopKey(VK_RETURN);
  EXPECT_EQ(Commands{C::WizardMode}, Take()) << "Enter presses the focused item";
  LoopKey(VK_TAB);
  EXPECT_EQ(Item(IDC_FS_firstMenuItem + 1), GetFocus()) << "Tab walks the items in order";
  LoopKey(VK_DOWN);
  EXPECT_EQ(Item(IDC_FS_firstMenuItem + 2), GetFocus());
  LoopKey(VK_SPACE);
  EXPECT_EQ(Commands{C::BackupManager}, Take());

  // Focus given to the surface itself lands on an item.
  SetFocus(surface_->hwnd());
  EXPECT_EQ(Item(IDC_FS_firstMenuItem + 2), GetFocus());
  LoopKey(VK_TAB);
  EXPECT_EQ(Item(IDC_FS_firstMenuItem + 3), GetFocus()) << "a heading that does nothing is no stop";
}

TEST_F(NavigationSurfaceTest, AltAndAnAccessKeyPressTheItem) {
  SetFocus(Item(IDC_FS_homeButton));
  for (const auto& [letter, sent] : {std::pair{'w', Commands{C::WizardMode}}, {'g', Commands{C::SystemSettings}},
                                     {'a', Commands{C::About}}, {'c', Commands{}}}) {
    LoopAltLetter(letter);
    EXPECT_EQ(sent, Take()) << "Alt+" << letter << ", and none ends the program";
  }
}

TEST_F(NavigationSurfaceTest, TheWindowButtonsSayInATipWhatTheyDo) {
  std::vector<HWND> tips;
  EnumThreadWindows(GetCurrentThreadId(), AddToolTips, reinterpret_cast<LPARAM>(&tips));
  ASSERT_EQ(1u, tips.size()) << "one, gone with the surfaces of earlier tests";
  for (const auto& [id, text] : {std::pair{int{IDC_FS_minimizeButton}, "Minimize"},
                                 {int{IDC_FS_trayButton}, "Hide to tray"}, {int{IDC_FS_closeButton}, "Close"}}) {
    char buffer[80] = {};
    TOOLINFOA tool{};
    tool.cbSize = TTTOOLINFOA_V2_SIZE;
    tool.hwnd = surface_->hwnd();
    tool.uId = reinterpret_cast<UINT_PTR>(Item(id));
    tool.lpszText = buffer;
    SendMessageA(tips[0], TTM_GETTEXTA, sizeof buffer, reinterpret_cast<LPARAM>(&tool));
    EXPECT_STREQ(text, buffer);
  }
}

TEST_F(NavigationSurfaceTest, AboutAndHomeViews) {
  surface_->SetVersion("2.0.0.15");
  EXPECT_EQ("Version 2.0.0.15", WindowText(Item(IDC_FS_versionLabel)));
  EXPECT_EQ(NavigationSurface::View::Home, surface_->CurrentView());
  EXPECT_FALSE(Visible(Item(IDC_FS_closeAboutButton)));
  EXPECT_FALSE(Visible(Item(IDC_FS_hidePanelButton)));

  EXPECT_EQ(Commands{C::About}, Click(IDC_FS_aboutButton));
  EXPECT_EQ(NavigationSurface::View::About, surface_->CurrentView());
  EXPECT_TRUE(Visible(Item(IDC_FS_closeAboutButton)));
  UpdateWindow(host_);
  EXPECT_EQ(Commands{C::CloseAbout}, Click(IDC_FS_closeAboutButton));
  EXPECT_EQ(NavigationSurface::View::Home, surface_->CurrentView());
  EXPECT_FALSE(Visible(Item(IDC_FS_closeAboutButton)));

  // An item that opens a panel marks it; Back and Close Panel appear with it.
  EXPECT_EQ(Commands{C::RamConfiguration}, Click(IDC_FS_firstMenuItem + 4));
  EXPECT_EQ(IDC_FS_firstMenuItem + 4, surface_->ActiveItem());
  EXPECT_TRUE(Visible(Item(IDC_FS_hidePanelButton)));
  EXPECT_TRUE(Visible(Item(IDC_FS_closePanelButton)));
  EXPECT_EQ(Commands{C::ModemSettings}, Click(IDC_FS_firstMenuItem + 8));
  EXPECT_EQ(IDC_FS_firstMenuItem + 4, surface_->ActiveItem()) << "an applet opens beside the panel";

  surface_->ShowHome();
  EXPECT_EQ(0, surface_->ActiveItem());
  EXPECT_EQ(NavigationSurface::View::Home, surface_->CurrentView());
  EXPECT_FALSE(Visible(Item(IDC_FS_hidePanelButton)));
  EXPECT_TRUE(sent_.empty()) << "going home sends nothing";

  // From the about view, too, ShowHome comes home; so does every command
  // that covers the panels.
  Click(IDC_FS_aboutButton);
  surface_->ShowHome();
  EXPECT_EQ(NavigationSurface::View::Home, surface_->CurrentView());
  EXPECT_FALSE(Visible(Item(IDC_FS_closeAboutButton)));
  for (int id : {int{IDC_FS_homeButton}, int{IDC_FS_hidePanelButton}, int{IDC_FS_closePanelButton},
                 IDC_FS_firstGroupHeading + 3}) {
    Click(IDC_FS_firstMenuItem);
    ASSERT_EQ(IDC_FS_firstMenuItem, surface_->ActiveItem());
    Click(id);
    EXPECT_EQ(0, surface_->ActiveItem()) << WindowText(Item(id));
  }
}

TEST_F(NavigationSurfaceTest, FocusOnAButtonThatGoesAwayComesBackToTheMenu) {
  Click(IDC_FS_firstMenuItem + 3);
  SetFocus(Item(IDC_FS_closePanelButton));
  Key(GetFocus(), VK_RETURN);
  EXPECT_EQ(Commands{C::ClosePanel}, Take());
  EXPECT_EQ(Item(IDC_FS_firstMenuItem + 3), GetFocus()) << "back on the item whose panel was open";
}

TEST_F(NavigationSurfaceTest, NoControlLiesInTheContentArea) {
  const POINT origin = surface_->ContentOrigin();
  const RECT content{origin.x, origin.y, origin.x + NavigationSurface::kContentWidth,
                     origin.y + NavigationSurface::kContentHeight};
  ASSERT_GE(NavigationSurface::kContentWidth, 440);
  ASSERT_GE(NavigationSurface::kContentHeight, 255);
  EXPECT_TRUE(content.left >= 0 && content.top >= 0 && content.right <= NavigationSurface::kWidth &&
              content.bottom <= NavigationSurface::kHeight);
  // In every view, hidden controls included: the host covers whatever lies
  // there. Only the home view's cards lie there, and they go while a panel is open.
  Click(IDC_FS_firstMenuItem);
  for (HWND child : Children(surface_->hwnd())) {
    RECT rect{}, overlap{};
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, surface_->hwnd(), reinterpret_cast<POINT*>(&rect), 2);
    // Below the title band the window's one-pixel edge stays whole.
    if (rect.top >= nav::kTitleHeight) {
      EXPECT_TRUE(rect.left >= 1 && rect.right <= NavigationSurface::kWidth - 1 &&
                  rect.bottom <= NavigationSurface::kHeight - 1)
          << WindowText(child);
    }
    const int id = GetDlgCtrlID(child);
    if (id >= IDC_FS_firstHomeCard && id < IDC_FS_firstHomeCard + 4) {
      EXPECT_FALSE(Visible(child)) << WindowText(child);
    } else {
      EXPECT_FALSE(IntersectRect(&overlap, &rect, &content)) << WindowText(child);
    }
  }
  Click(IDC_FS_aboutButton);
  for (int id = IDC_FS_firstHomeCard; id < IDC_FS_firstHomeCard + 4; ++id) EXPECT_FALSE(Visible(Item(id)));
}

// The contrast ratio of two colours, as the web's accessibility guidelines define it.
double Contrast(COLORREF a, COLORREF b) {
  const auto luminance = [](COLORREF c) {
    const auto linear = [](int channel) {
      const double v = channel / 255.0;
      return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(GetRValue(c)) + 0.7152 * linear(GetGValue(c)) + 0.0722 * linear(GetBValue(c));
  };
  const double la = luminance(a), lb = luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

TEST_F(NavigationSurfaceTest, SecondaryTextStandsOutFourAndAHalfToOne) {
  using namespace nav::palette;
  // Hints on white, the version in the status bar, group headings (also under the mouse), the line over a headline.
  const std::pair<COLORREF, COLORREF> pairs[] = {{kMuted, kWhite},       {kMuted, kSide},      {kHeading, kSide},
                                                  {kAccentText, kSide}, {kAccentText, kHero}, {kBody, kTile}};
  for (const auto& [text, back] : pairs) EXPECT_GE(Contrast(text, back), 4.5) << std::hex << text << " on " << back;
}

// What `window` shows, pixel by pixel, read through its top-level window:
// what its children drew too, and nothing of other windows over it.
std::vector<std::uint32_t> PixelsOf(HWND window) {
  HWND top = GetAncestor(window, GA_ROOT);
  RECT rect{};
  GetWindowRect(window, &rect);
  MapWindowPoints(nullptr, top, reinterpret_cast<POINT*>(&rect), 2);
  const int width = rect.right - rect.left, height = rect.bottom - rect.top;
  BITMAPINFO info{};
  info.bmiHeader = {sizeof info.bmiHeader, width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HBITMAP copy = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HDC source = GetDC(top);
  HDC memory = CreateCompatibleDC(source);
  HGDIOBJ old = SelectObject(memory, copy);
  BitBlt(memory, 0, 0, width, height, source, rect.left, rect.top, SRCCOPY);
  GdiFlush();
  const auto* first = static_cast<const std::uint32_t*>(bits);
  std::vector<std::uint32_t> pixels(first, first + width * height);
  SelectObject(memory, old);
  DeleteDC(memory);
  ReleaseDC(top, source);
  DeleteObject(copy);
  return pixels;
}

TEST_F(NavigationSurfaceTest, BeforeItsControlsExistItDrawsThemAsTheyDrawThemselves) {
  // What the program shows first: the surface alone, with the version and
  // the last change, painted before its controls are made.
  surface_.reset();
  NavigationSurface alone([](NavigationCommand) {});
  ASSERT_TRUE(alone.Create(host_));
  alone.SetVersion("1.0 (test)");
  alone.SetLastChange("Last change: a preset applied. 6 of 16 values changed.");
  EXPECT_EQ(nullptr, GetDlgItem(alone.hwnd(), IDC_FS_homeButton));
  RedrawWindow(host_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  const std::vector<std::uint32_t> drawn = PixelsOf(alone.hwnd());
  ASSERT_EQ(std::size_t{NavigationSurface::kWidth} * NavigationSurface::kHeight, drawn.size());
  EXPECT_EQ(0x0B5394u, drawn[4 * NavigationSurface::kWidth + 450] & 0xFFFFFFu) << "the title band, read back";

  // Made now, the controls leave the screen as it was until they paint
  // themselves, and then they paint the same pixels.
  alone.CreateControls();
  EXPECT_EQ(drawn, PixelsOf(alone.hwnd())) << "making the controls changed the screen";
  ASSERT_NE(nullptr, GetDlgItem(alone.hwnd(), IDC_FS_homeButton));
  EXPECT_EQ("Version 1.0 (test)", WindowText(GetDlgItem(alone.hwnd(), IDC_FS_versionLabel)));
  EXPECT_TRUE(Visible(GetDlgItem(alone.hwnd(), IDC_FS_lastChangeLabel)));
  EXPECT_FALSE(Visible(GetDlgItem(alone.hwnd(), IDC_FS_closePanelButton)));
  RedrawWindow(host_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  const std::vector<std::uint32_t> painted = PixelsOf(alone.hwnd());
  ASSERT_EQ(drawn.size(), painted.size());
  std::size_t differing = 0;
  for (std::size_t i = 0; i < drawn.size(); ++i) differing += drawn[i] != painted[i];
  EXPECT_EQ(0u, differing) << "pixels the controls draw differently from the surface";
}

TEST_F(NavigationSurfaceTest, PaintsEachViewWholeAndInParts) {
  // Read back from the screen what the off-screen drawing put there, after
  // spoiling a small square round each point and repainting just that square,
  // as uncovering part of the window does.
  auto pixel = [&](int x, int y) {
    const RECT around{x - 5, y - 5, x + 5, y + 5};
    HDC dc = GetDC(surface_->hwnd());
    FillRect(dc, &around, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    RedrawWindow(surface_->hwnd(), &around, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    const COLORREF color = GetPixel(dc, x, y);
    ReleaseDC(surface_->hwnd(), dc);
    return color;
  };
  const POINT origin = surface_->ContentOrigin();
  for (int id : {IDC_FS_aboutButton, IDC_FS_closeAboutButton, IDC_FS_firstMenuItem}) {
    Click(id);
    RedrawWindow(host_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    EXPECT_EQ(RGB(0x0B, 0x53, 0x94), pixel(450, 4)) << "the title band";
    EXPECT_EQ(RGB(0xFF, 0xFF, 0xFF), pixel(origin.x - 6, origin.y + 100)) << "the card";
    EXPECT_EQ(RGB(0xF3, 0xF6, 0xFA), pixel(4, 300)) << "the side bar";
  }
  EXPECT_EQ(RGB(0xFF, 0xFF, 0xFF), pixel(origin.x + 100, origin.y + 100)) << "an open panel's empty card";
}

}  // namespace
}  // namespace tw::test
