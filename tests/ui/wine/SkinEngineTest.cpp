// The skin engine on real controls: with and without a skin, what a skin may
// change (the look) and what it must not (place, size, behaviour).
#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "support/wine/Program.h"
#include "ui/win32/SkinEngine.h"

namespace tw::test {
namespace {

using ui::SkinEngine;

enum ControlId : int {
  kPush = 10,
  kDefault,
  kCheck,
  kRadioA,
  kRadioB,
  kGroup,
  kLabel,
  kPlainLabel,
  kEdit,
  kPlainPush,
  kOwnColours,  // a label its panel colours itself
};

// Colours no system look uses, so that a match can only come from the skin.
constexpr const char* kTestSkin =
    "TidewaveSkin 1\n"
    "[controlForm]\nbackground = #102030\ntext = #405060\n"
    "[NoFrame]\nbackground = #203040\nborder = none\n"
    "[Button]\nbackground = #00C000\ntext = #FFFFFF\nhover = #00A000\npressed = #008000\nborder = #004000 1\n"
    "[Label]\nbackground = #A0B0C0\ntext = #010203\nfont = Tahoma, 14, bold\n"
    "[Frame]\ntext = #0B5394\nborder = #C00000 1\n"
    "[CheckBox]\ntext = #112233\n"
    "[RadioBox]\ntext = #332211\n";

std::vector<std::pair<int, int>> commands;  // (id, notification) the panel received

LRESULT CALLBACK PanelProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COMMAND && lParam != 0) commands.emplace_back(LOWORD(wParam), HIWORD(wParam));
  if (message == WM_CTLCOLORSTATIC && GetDlgCtrlID(reinterpret_cast<HWND>(lParam)) == kOwnColours) {
    SetTextColor(reinterpret_cast<HDC>(wParam), RGB(0x09, 0x09, 0x09));
    return reinterpret_cast<LRESULT>(GetStockObject(BLACK_BRUSH));
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

// What a look may not touch, and a few things it may.
struct Snapshot {
  LONG_PTR procedure;
  LONG style, exStyle;
  LRESULT font;
  RECT rect;
  std::string text;
  int id;
  BOOL enabled;

  explicit Snapshot(HWND window)
      : procedure(GetWindowLongPtrA(window, GWLP_WNDPROC)),
        style(GetWindowLongA(window, GWL_STYLE)),
        exStyle(GetWindowLongA(window, GWL_EXSTYLE)),
        font(SendMessageA(window, WM_GETFONT, 0, 0)),
        rect(),
        text(WindowText(window)),
        id(GetDlgCtrlID(window)),
        enabled(IsWindowEnabled(window)) {
    GetWindowRect(window, &rect);
  }
  bool SamePlace(const Snapshot& other) const { return EqualRect(&rect, &other.rect) != FALSE; }
  bool Untouched(const Snapshot& other) const {
    return procedure == other.procedure && style == other.style && exStyle == other.exStyle && font == other.font &&
           SamePlace(other) && text == other.text && id == other.id && enabled == other.enabled;
  }
};

class SkinEngineTest : public ::testing::Test {
 protected:
  void SetUp() override {
    commands.clear();
    WNDCLASSA panelClass{};
    panelClass.lpfnWndProc = PanelProc;
    panelClass.hInstance = GetModuleHandleA(nullptr);
    panelClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    panelClass.lpszClassName = "TidewaveSkinTestPanel";
    RegisterClassA(&panelClass);  // fails harmlessly when already registered
    panel_ = CreateWindowExA(0, "TidewaveSkinTestPanel", "Panel", WS_CHILD | WS_VISIBLE, 10, 10, 440, 250,
                             SharedHost(), nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(nullptr, panel_);
    struct ControlCase {
      int id;
      const char* className;
      const char* caption;
      DWORD style;
      RECT rect;  // left, top, width, height
    };
    const ControlCase cases[] = {
        {kPush, "BUTTON", "Save", BS_PUSHBUTTON | WS_TABSTOP, {10, 10, 90, 26}},
        {kDefault, "BUTTON", "Optimize Now", BS_DEFPUSHBUTTON | WS_TABSTOP, {110, 10, 110, 26}},
        {kCheck, "BUTTON", "Run with Windows", BS_AUTOCHECKBOX | WS_TABSTOP, {10, 50, 150, 20}},
        {kRadioA, "BUTTON", "Automatic", BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP, {10, 80, 100, 20}},
        {kRadioB, "BUTTON", "Manual", BS_AUTORADIOBUTTON, {120, 80, 100, 20}},
        {kGroup, "BUTTON", "Connection", BS_GROUPBOX, {240, 40, 190, 120}},
        {kLabel, "STATIC", "Free memory", SS_LEFT, {10, 110, 150, 22}},
        {kPlainLabel, "STATIC", "Plain", SS_LEFT, {10, 140, 150, 20}},
        {kEdit, "EDIT", "1500", ES_AUTOHSCROLL | WS_TABSTOP, {10, 170, 80, 22}},
        {kPlainPush, "BUTTON", "Plain", BS_PUSHBUTTON | WS_TABSTOP, {110, 170, 90, 26}},
        {kOwnColours, "STATIC", "Warning", SS_LEFT, {10, 200, 150, 20}},
    };
    for (const ControlCase& c : cases) {
      HWND control = CreateWindowExA(0, c.className, c.caption, WS_CHILD | WS_VISIBLE | c.style,
                                     c.rect.left, c.rect.top, c.rect.right, c.rect.bottom, panel_,
                                     reinterpret_cast<HMENU>(static_cast<INT_PTR>(c.id)),
                                     GetModuleHandleA(nullptr), nullptr);
      ASSERT_NE(nullptr, control);
      SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    }
  }
  void TearDown() override {
    // With the panel goes whatever else a test left on the shared host.
    for (HWND child : Children(sharedHost_)) {
      if (GetParent(child) == sharedHost_) DestroyWindow(child);
    }
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
  }

  // One shown window for the suite; each test makes its own panel in it.
  static void SetUpTestSuite() {
    WNDCLASSA hostClass{};
    hostClass.lpfnWndProc = DefWindowProcA;
    hostClass.hInstance = GetModuleHandleA(nullptr);
    hostClass.lpszClassName = "TidewaveSkinTestHost";
    RegisterClassA(&hostClass);  // fails harmlessly when already registered
    sharedHost_ = CreateWindowExA(0, "TidewaveSkinTestHost", "Skin", WS_POPUP | WS_VISIBLE, 20, 20, 500, 300, nullptr,
                                  nullptr, GetModuleHandleA(nullptr), nullptr);
  }
  static void TearDownTestSuite() {
    DestroyWindow(sharedHost_);
    sharedHost_ = nullptr;
  }
  static HWND SharedHost() { return sharedHost_; }

  HWND Control(int id) const { return GetDlgItem(panel_, id); }
  // Skins the panel as the program does: the form, then each control by kind.
  void SkinPanel(SkinEngine& engine) {
    EXPECT_TRUE(engine.ApplySkin(panel_, "controlForm"));
    const std::pair<int, const char*> byKind[] = {
        {kPush, "Button"},   {kDefault, "Button"}, {kCheck, "CheckBox"}, {kRadioA, "RadioBox"},
        {kRadioB, "RadioBox"}, {kGroup, "Frame"},  {kLabel, "Label"},
    };
    for (const auto& [id, object] : byKind) EXPECT_TRUE(engine.ApplySkin(Control(id), object)) << object;
  }
  int Clicks(int id) const {
    int count = 0;
    for (const auto& [from, notification] : commands) count += from == id && notification == BN_CLICKED;
    return count;
  }
  COLORREF PixelAt(HWND window, int x, int y) const {
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    HDC dc = GetDC(window);
    const COLORREF color = GetPixel(dc, x, y);
    ReleaseDC(window, dc);
    return color;
  }

  static inline HWND sharedHost_ = nullptr;
  HWND panel_ = nullptr;
};

std::vector<Snapshot> SnapshotAll(HWND panel) {
  std::vector<Snapshot> all{Snapshot(panel)};
  for (HWND child : Children(panel)) all.emplace_back(child);
  return all;
}

TEST_F(SkinEngineTest, WithoutASkinFileEveryWindowStaysAsItWas) {
  const std::vector<Snapshot> before = SnapshotAll(panel_);
  SkinEngine engine;
  EXPECT_FALSE(engine.LoadSkinFile("C:\\no such folder\\RTidewaveMask.skn"));
  EXPECT_FALSE(engine.HasSkin());
  for (HWND window : std::vector<HWND>{panel_, Control(kPush), Control(kCheck), Control(kGroup), Control(kLabel)}) {
    for (const char* object : {"controlForm", "Button", "CheckBox", "Frame", "Label", "NoFrame"}) {
      EXPECT_FALSE(engine.ApplySkin(window, object));
    }
  }
  // A damaged file is no skin either.
  const std::string damaged = BesideTests("damaged.skn");
  std::ofstream(damaged, std::ios::binary) << "MZ\x90\x00garbage[Button]\nbackground = #00C000\n";
  EXPECT_FALSE(engine.LoadSkinFile(damaged));
  EXPECT_FALSE(engine.ApplySkin(Control(kPush), "Button"));
  DeleteFileA(damaged.c_str());

  const std::vector<Snapshot> after = SnapshotAll(panel_);
  ASSERT_EQ(before.size(), after.size());
  for (std::size_t i = 0; i < before.size(); ++i) EXPECT_TRUE(before[i].Untouched(after[i])) << before[i].text;
  SendMessageA(Control(kPush), BM_CLICK, 0, 0);
  EXPECT_EQ(1, Clicks(kPush));
}

TEST_F(SkinEngineTest, TheShippedSkinLoadsAndAMissingObjectChangesNothing) {
  SkinEngine engine;
  ASSERT_TRUE(engine.LoadSkinFile(BesideTests("RTidewaveMask.skn"))) << "the build copies it beside the programs";
  const Snapshot before(Control(kPush));
  EXPECT_FALSE(engine.ApplySkin(Control(kPush), "NoSuchObject"));
  EXPECT_FALSE(engine.ApplySkin(Control(kPush), "button")) << "object names are exact";
  EXPECT_FALSE(engine.ApplySkin(nullptr, "Button"));
  EXPECT_TRUE(before.Untouched(Snapshot(Control(kPush))));
  SkinPanel(engine);

  // Loading a file that is not there leaves no skin behind.
  EXPECT_FALSE(engine.LoadSkinFile(BesideTests("missing.skn")));
  EXPECT_FALSE(engine.ApplySkin(Control(kPlainPush), "Button"));
}

TEST_F(SkinEngineTest, SkinnedControlsKeepTheirPlaceSizeAndBehaviour) {
  const std::vector<Snapshot> before = SnapshotAll(panel_);
  const LRESULT defaultCode = SendMessageA(Control(kDefault), WM_GETDLGCODE, 0, 0);
  const LRESULT pushCode = SendMessageA(Control(kPush), WM_GETDLGCODE, 0, 0);
  SkinEngine engine;
  ASSERT_TRUE(engine.LoadSkinText(kTestSkin));
  SkinPanel(engine);
  SkinPanel(engine);  // applying again must not stack a second skin on the first

  const std::vector<Snapshot> after = SnapshotAll(panel_);
  ASSERT_EQ(before.size(), after.size());
  for (std::size_t i = 0; i < before.size(); ++i) {
    EXPECT_TRUE(before[i].SamePlace(after[i])) << before[i].text;
    EXPECT_EQ(before[i].text, after[i].text);
    EXPECT_EQ(before[i].id, after[i].id);
  }
  EXPECT_EQ(defaultCode, SendMessageA(Control(kDefault), WM_GETDLGCODE, 0, 0)) << "still the default button";
  EXPECT_EQ(pushCode, SendMessageA(Control(kPush), WM_GETDLGCODE, 0, 0));

  // Clicks, keys and double clicks do what they did on the plain button beside it.
  for (int id : {kPush, kPlainPush}) {
    SendMessageA(Control(id), BM_CLICK, 0, 0);
    SendMessageA(Control(id), WM_KEYDOWN, VK_SPACE, 0);
    SendMessageA(Control(id), WM_KEYUP, VK_SPACE, 0xC0000000);
    for (UINT message : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP}) {
      SendMessageA(Control(id), message, message == WM_LBUTTONUP ? 0 : MK_LBUTTON, MAKELPARAM(5, 5));
    }
  }
  EXPECT_EQ(Clicks(kPlainPush), Clicks(kPush));
  EXPECT_EQ(4, Clicks(kPush));

  SendMessageA(Control(kCheck), BM_CLICK, 0, 0);
  EXPECT_EQ(BST_CHECKED, SendMessageA(Control(kCheck), BM_GETCHECK, 0, 0));
  SendMessageA(Control(kCheck), BM_CLICK, 0, 0);
  EXPECT_EQ(BST_UNCHECKED, SendMessageA(Control(kCheck), BM_GETCHECK, 0, 0));
  SendMessageA(Control(kRadioA), BM_CLICK, 0, 0);
  SendMessageA(Control(kRadioB), BM_CLICK, 0, 0);
  EXPECT_EQ(BST_UNCHECKED, SendMessageA(Control(kRadioA), BM_GETCHECK, 0, 0));
  EXPECT_EQ(BST_CHECKED, SendMessageA(Control(kRadioB), BM_GETCHECK, 0, 0));

  // The dialog manager moves the default mark with BM_SETSTYLE; it still moves.
  SendMessageA(Control(kDefault), BM_SETSTYLE, BS_PUSHBUTTON, TRUE);
  SendMessageA(Control(kPush), BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
  EXPECT_EQ(defaultCode, SendMessageA(Control(kPush), WM_GETDLGCODE, 0, 0));
  EXPECT_EQ(pushCode, SendMessageA(Control(kDefault), WM_GETDLGCODE, 0, 0));

  for (int id : {kPush, kPlainPush}) {
    EnableWindow(Control(id), FALSE);
    SendMessageA(Control(id), BM_CLICK, 0, 0);
  }
  EXPECT_EQ(Clicks(kPlainPush), Clicks(kPush)) << "disabled, as the plain one is";
  EXPECT_FALSE(IsWindowEnabled(Control(kPush)));
}

TEST_F(SkinEngineTest, TheLookComesFromTheSkin) {
  SkinEngine engine;
  ASSERT_TRUE(engine.LoadSkinText(kTestSkin));
  const LRESULT plainFont = SendMessageA(Control(kPlainLabel), WM_GETFONT, 0, 0);
  SkinPanel(engine);

  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  auto colours = [&](HWND child, UINT message = WM_CTLCOLORSTATIC) {
    SetTextColor(dc, RGB(1, 1, 1));
    SetBkColor(dc, RGB(1, 1, 1));
    const LRESULT brush = SendMessageA(panel_, message, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(child));
    return std::make_tuple(brush != 0, GetTextColor(dc), GetBkColor(dc));
  };
  EXPECT_EQ(std::make_tuple(true, RGB(0x01, 0x02, 0x03), RGB(0xA0, 0xB0, 0xC0)), colours(Control(kLabel)))
      << "a label: its own colours";
  EXPECT_EQ(std::make_tuple(true, RGB(0x40, 0x50, 0x60), RGB(0x10, 0x20, 0x30)), colours(Control(kPlainLabel)))
      << "a plain label on a skinned panel: the panel's";
  EXPECT_EQ(std::make_tuple(true, RGB(0x11, 0x22, 0x33), RGB(0x10, 0x20, 0x30)), colours(Control(kCheck)))
      << "a check box: its text on the panel's background";
  EXPECT_EQ(std::make_tuple(true, RGB(0x33, 0x22, 0x11), RGB(0x10, 0x20, 0x30)), colours(Control(kRadioA)));
  ASSERT_TRUE(engine.ApplySkin(Control(kOwnColours), "Label"));
  EXPECT_EQ(RGB(0x09, 0x09, 0x09), std::get<1>(colours(Control(kOwnColours))))
      << "colours the panel gives a control itself are not overruled";
  EnableWindow(Control(kCheck), FALSE);
  EXPECT_NE(RGB(0x11, 0x22, 0x33), std::get<1>(colours(Control(kCheck)))) << "a disabled one is not drawn as enabled";
  const auto [editBrush, editText, editBack] = colours(Control(kEdit), WM_CTLCOLOREDIT);
  EXPECT_NE(RGB(0x10, 0x20, 0x30), editBack) << "an edit box keeps its own field colour";
  SendMessageA(Control(kEdit), EM_SETREADONLY, TRUE, 0);
  const COLORREF readOnlyBack = std::get<2>(colours(Control(kEdit)));
  EXPECT_TRUE(readOnlyBack != editBack && readOnlyBack != RGB(0x10, 0x20, 0x30))
      << "a read-only one looks neither open to typing nor like the panel";
  SendMessageA(Control(kEdit), EM_SETREADONLY, FALSE, 0);
  DeleteDC(dc);
  ReleaseDC(nullptr, screen);

  const auto font = reinterpret_cast<HFONT>(SendMessageA(Control(kLabel), WM_GETFONT, 0, 0));
  LOGFONTA logFont{};
  ASSERT_TRUE(GetObjectA(font, sizeof logFont, &logFont));
  EXPECT_STREQ("Tahoma", logFont.lfFaceName);
  EXPECT_EQ(FW_BOLD, logFont.lfWeight);
  EXPECT_EQ(plainFont, SendMessageA(Control(kPlainLabel), WM_GETFONT, 0, 0)) << "only skinned controls change font";

  // On screen: the panel's background, and the push button drawn by us.
  EXPECT_EQ(RGB(0x10, 0x20, 0x30), PixelAt(panel_, 300, 220));
  EXPECT_EQ(RGB(0x00, 0xC0, 0x00), PixelAt(Control(kPush), 4, 13));
  EXPECT_EQ(RGB(0x00, 0x40, 0x00), PixelAt(Control(kPush), 45, 0)) << "its border";
  EXPECT_EQ(RGB(0xC0, 0x00, 0x00), PixelAt(Control(kGroup), 0, 100)) << "the frame's border";
}

TEST_F(SkinEngineTest, NoFrameTakesTheBorderAwayAndKeepsTheSize) {
  HWND frame = CreateWindowExA(WS_EX_CLIENTEDGE, "TidewaveSkinTestPanel", "framChildWindow",
                               WS_CHILD | WS_VISIBLE | WS_BORDER, 0, 0, 200, 100, SharedHost(), nullptr,
                               GetModuleHandleA(nullptr), nullptr);
  ASSERT_NE(nullptr, frame);
  const Snapshot before(frame);
  SkinEngine engine;
  ASSERT_TRUE(engine.LoadSkinText(kTestSkin));
  ASSERT_TRUE(engine.ApplySkin(frame, "NoFrame"));
  const Snapshot after(frame);
  EXPECT_TRUE(before.SamePlace(after));
  EXPECT_EQ(0, after.style & WS_BORDER);
  EXPECT_EQ(0, after.exStyle & WS_EX_CLIENTEDGE);
  RECT client{};
  GetClientRect(frame, &client);
  EXPECT_EQ(200, client.right);
  EXPECT_EQ(100, client.bottom);
  EXPECT_EQ(RGB(0x20, 0x30, 0x40), PixelAt(frame, 0, 0));
  DestroyWindow(frame);
}

TEST_F(SkinEngineTest, SkinnedWindowsOutliveTheEngine) {
  {
    SkinEngine engine;
    ASSERT_TRUE(engine.LoadSkinText(kTestSkin));
    SkinPanel(engine);
  }
  // Everything the windows paint with is still theirs.
  EXPECT_EQ(RGB(0x10, 0x20, 0x30), PixelAt(panel_, 300, 220));
  EXPECT_EQ(RGB(0x00, 0xC0, 0x00), PixelAt(Control(kPush), 4, 13));
  SendMessageA(Control(kPush), BM_CLICK, 0, 0);
  EXPECT_EQ(1, Clicks(kPush));
  DestroyWindow(Control(kLabel));
  EXPECT_EQ(RGB(0x10, 0x20, 0x30), PixelAt(panel_, 20, 115)) << "the panel after losing a skinned child";
}

}  // namespace
}  // namespace tw::test
