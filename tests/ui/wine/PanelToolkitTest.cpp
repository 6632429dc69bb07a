// A panel built from a table with every kind of extra the factory knows, read
// back from its real controls, and the typed calls and timers a panel gets.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "support/RecordingMessageBox.h"
#include "support/wine/Program.h"
#include "support/wine/TestPanelHost.h"
#include "ui/win32/Panel.h"

namespace tw::test {
namespace {

enum : int {
  IDC_frameSettings = 1500,
  IDC_lblHostName,
  IDC_txtPingHost,
  IDC_lblFreeMemory,
  IDC_txtTimeCheck,
  IDC_updnTimeCheck,
  IDC_txtRWIN,
  IDC_lstBackUpList,
  IDC_sldCPUSpeed,
  IDC_cmbNDI,
};

constexpr ui::ListColumn kColumns[] = {{"File Name", 2100}, {"Creating Date", 1800}, {"Creating Time", 1800}};
constexpr std::string_view kNdiItems[] = {"0", "2", "4", "8", "16", "32", "64"};

using ui::ControlKind;
constexpr ui::ControlSpec kControls[] = {
    {IDC_frameSettings, "frameSettings", ControlKind::Frame, "Settings", 75, 75, 6300, 3600},
    {IDC_lblHostName, "lblHostName", ControlKind::SkinLabel, "Ping &Host", 90, 240, 1000, 255, IDC_frameSettings},
    {IDC_txtPingHost, "txtPingHost", ControlKind::TextBox, "", 1100, 225, 1700, 315, IDC_frameSettings},
    {IDC_lblFreeMemory, "lblFreeMemory", ControlKind::Label, "12 MB free", 3000, 240, 1500, 255, IDC_frameSettings,
     -1, {}},
    // The up-down comes first: it finds its buddy by id all the same.
    {.id = IDC_updnTimeCheck, .name = "updnTimeCheck", .kind = ControlKind::UpDown, .width = 255, .height = 315, .container = IDC_frameSettings,
     .extras = ui::UpDownOf(IDC_txtTimeCheck, 100, 65535, 100)},
    {IDC_txtTimeCheck, "txtTimeCheck", ControlKind::TextBox, "", 90, 600, 1200, 315, IDC_frameSettings, -1,
     ui::kNumberOnly},
    {IDC_txtRWIN, "txtRWIN", ControlKind::TextBox, "", 1500, 600, 1200, 315, IDC_frameSettings, -1, ui::kReadOnly},
    {IDC_lstBackUpList, "lstBackUpList", ControlKind::ListView, "", 90, 1000, 6000, 1500, IDC_frameSettings, -1,
     ui::ColumnsOf(kColumns)},
    {IDC_sldCPUSpeed, "sldCPUSpeed", ControlKind::Slider, "", 90, 2600, 3000, 450, IDC_frameSettings, -1,
     ui::SliderOf(300, 1000, 300, 5, 1)},
    {IDC_cmbNDI, "cmbNDI", ControlKind::ComboBox, "", 3300, 2600, 1300, 315, IDC_frameSettings, -1,
     {.value = 4, .items = kNdiItems}},
};
constexpr ui::PanelSpec kToolkitPanel{"frmToolkit", "Toolkit", 440, 250, kControls};

class ToolkitPanel final : public ui::Panel {
 public:
  explicit ToolkitPanel(ui::IMessageBox& messages) : ui::Panel(kToolkitPanel, messages) {}
  using ui::Panel::Timers;

  std::vector<std::pair<int, UINT>> notifications;  // (id, code)
  std::vector<std::pair<int, int>> scrolls;         // (id, code)

 protected:
  LRESULT OnNotify(int id, const NMHDR& header) override {
    notifications.emplace_back(id, header.code);
    return 0;
  }
  void OnScroll(int id, int code) override { scrolls.emplace_back(id, code); }
};

class PanelToolkit : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(host_.Show(panel_)); }

  HWND Control(int id) { return panel_.Control(id); }
  LONG Style(int id) { return GetWindowLongA(Control(id), GWL_STYLE); }
  RECT RectInPanel(int id) {
    RECT rect{};
    GetWindowRect(Control(id), &rect);
    MapWindowPoints(nullptr, panel_.hwnd(), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
  }
  // A key as the message loop hands it over: through the dialog manager first.
  void Key(HWND target, UINT message, WPARAM key, LPARAM flags = 0) {
    MSG msg{target, message, key, flags, 0, {}};
    if (!IsDialogMessageA(host_.HostWindow(), &msg)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    PumpMessages();
  }

  RecordingMessageBox messages_;
  TestPanelHost host_{kToolkitPanel.width, kToolkitPanel.height};
  ToolkitPanel panel_{messages_};
};

TEST_F(PanelToolkit, EveryExtraIsBuiltIntoItsControl) {
  // Up-down: range, value shown in its buddy, which it sits at the right edge of.
  HWND upDown = Control(IDC_updnTimeCheck);
  EXPECT_EQ(Control(IDC_txtTimeCheck), reinterpret_cast<HWND>(SendMessageA(upDown, UDM_GETBUDDY, 0, 0)));
  int low = 0, high = 0;
  SendMessageA(upDown, UDM_GETRANGE32, reinterpret_cast<WPARAM>(&low), reinterpret_cast<LPARAM>(&high));
  EXPECT_EQ(100, low);
  EXPECT_EQ(65535, high);
  EXPECT_EQ("100", WindowText(Control(IDC_txtTimeCheck)));
  EXPECT_EQ(UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_NOTHOUSANDS,
            Style(IDC_updnTimeCheck) & (UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_NOTHOUSANDS));
  const RECT box = RectInPanel(IDC_txtTimeCheck), arrows = RectInPanel(IDC_updnTimeCheck);
  const ui::PixelRect designed = ui::ControlRect(kControls[5], kControls);
  const ui::PixelOffset centred = ui::CentringOffset(kControls, kToolkitPanel.width, kToolkitPanel.height);
  // The control places itself: at the right of the box's designed rectangle,
  // the box narrowed to make room, their borders overlapping a pixel or two.
  EXPECT_NEAR(designed.left + centred.dx + designed.width, arrows.right, 2);
  EXPECT_NEAR(box.right, arrows.left, 2);
  EXPECT_EQ(box.top, arrows.top);

  // Edit styles: digits only, and read-only; a plain box is neither.
  EXPECT_TRUE(Style(IDC_txtTimeCheck) & ES_NUMBER);
  EXPECT_FALSE(Style(IDC_txtTimeCheck) & ES_READONLY);
  EXPECT_TRUE(Style(IDC_txtRWIN) & ES_READONLY);
  EXPECT_FALSE(Style(IDC_txtPingHost) & (ES_NUMBER | ES_READONLY));
  SendMessageA(Control(IDC_txtTimeCheck), WM_CHAR, 'x', 0);
  EXPECT_EQ("100", WindowText(Control(IDC_txtTimeCheck)));

  // List view: report view with its three columns, widths from twips.
  HWND list = Control(IDC_lstBackUpList);
  EXPECT_EQ(LVS_REPORT, Style(IDC_lstBackUpList) & LVS_TYPEMASK);
  HWND header = reinterpret_cast<HWND>(SendMessageA(list, LVM_GETHEADER, 0, 0));
  EXPECT_EQ(3, SendMessageA(header, HDM_GETITEMCOUNT, 0, 0));
  for (int i = 0; i < 3; ++i) {
    char text[64] = "sentinel";
    LVCOLUMNA column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.pszText = text;
    column.cchTextMax = sizeof text;
    ASSERT_TRUE(SendMessageA(list, LVM_GETCOLUMNA, i, reinterpret_cast<LPARAM>(&column)));
    EXPECT_EQ(kColumns[i].caption, text);
    EXPECT_EQ(kColumns[i].width / 15, column.cx);
  }

  // Slider: range, position and both steps.
  HWND slider = Control(IDC_sldCPUSpeed);
  EXPECT_EQ(300, SendMessageA(slider, TBM_GETRANGEMIN, 0, 0));
  EXPECT_EQ(1000, SendMessageA(slider, TBM_GETRANGEMAX, 0, 0));
  EXPECT_EQ(300, SendMessageA(slider, TBM_GETPOS, 0, 0));
  EXPECT_EQ(5, SendMessageA(slider, TBM_GETPAGESIZE, 0, 0));
  EXPECT_EQ(1, SendMessageA(slider, TBM_GETLINESIZE, 0, 0));

  // Drop-down list: its items in order, the chosen one selected, room to drop.
  HWND combo = Control(IDC_cmbNDI);
  EXPECT_EQ(CBS_DROPDOWNLIST, Style(IDC_cmbNDI) & 3);
  ASSERT_EQ(7, SendMessageA(combo, CB_GETCOUNT, 0, 0));
  for (int i = 0; i < 7; ++i) {
    char item[16] = "";
    SendMessageA(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(item));
    EXPECT_EQ(kNdiItems[i], item);
  }
  EXPECT_EQ(4, SendMessageA(combo, CB_GETCURSEL, 0, 0));
  EXPECT_EQ("16", WindowText(combo));
  SendMessageA(combo, CB_SHOWDROPDOWN, TRUE, 0);
  COMBOBOXINFO info{};
  info.cbSize = sizeof info;
  ASSERT_TRUE(GetComboBoxInfo(combo, &info));
  RECT dropped{};
  GetWindowRect(info.hwndList, &dropped);
  EXPECT_GE(dropped.bottom - dropped.top, 5 * SendMessageA(combo, CB_GETITEMHEIGHT, 0, 0)) << "several items show";
  SendMessageA(combo, CB_SHOWDROPDOWN, FALSE, 0);

  // Labels: one with an access key keeps prefix drawing; one that shows data does not.
  EXPECT_FALSE(Style(IDC_lblHostName) & SS_NOPREFIX);
  EXPECT_TRUE(Style(IDC_lblFreeMemory) & SS_NOPREFIX) << "no \"&\" in its caption";
}

TEST_F(PanelToolkit, ControlsReportThroughTypedCallsByTheirIds) {
  HWND slider = Control(IDC_sldCPUSpeed);
  SetFocus(slider);
  Key(slider, WM_KEYDOWN, VK_RIGHT);
  Key(slider, WM_KEYDOWN, VK_NEXT);
  EXPECT_EQ(306, SendMessageA(slider, TBM_GETPOS, 0, 0)) << "a line step of 1, then a page of 5";
  ASSERT_GE(panel_.scrolls.size(), 2u);
  EXPECT_EQ(std::make_pair(static_cast<int>(IDC_sldCPUSpeed), static_cast<int>(TB_LINEDOWN)), panel_.scrolls[0]);
  EXPECT_NE(panel_.scrolls.end(), std::find(panel_.scrolls.begin(), panel_.scrolls.end(),
                                            std::make_pair(static_cast<int>(IDC_sldCPUSpeed),
                                                           static_cast<int>(TB_PAGEDOWN))));

  // The up-down steps its buddy from the buddy's arrow keys, and says so twice.
  panel_.scrolls.clear();
  HWND box = Control(IDC_txtTimeCheck);
  SetFocus(box);
  Key(box, WM_KEYDOWN, VK_UP);
  EXPECT_EQ("101", WindowText(box));
  EXPECT_NE(panel_.notifications.end(),
            std::find(panel_.notifications.begin(), panel_.notifications.end(),
                      std::make_pair(static_cast<int>(IDC_updnTimeCheck), static_cast<UINT>(UDN_DELTAPOS))));
  EXPECT_NE(panel_.scrolls.end(), std::find(panel_.scrolls.begin(), panel_.scrolls.end(),
                                            std::make_pair(static_cast<int>(IDC_updnTimeCheck),
                                                           static_cast<int>(SB_THUMBPOSITION))));

  // Alt+H: the label's access key takes the focus on to the box after it.
  SetFocus(slider);
  Key(slider, WM_SYSCHAR, 'h', 1 << 29);
  EXPECT_EQ(Control(IDC_txtPingHost), GetFocus()) << ClassName(GetFocus()) << " " << GetDlgCtrlID(GetFocus());
}

TEST_F(PanelToolkit, TimersTickThroughThePanelWindowAndStopWithIt) {
  int ticks = 0;
  std::unique_ptr<ui::ITimer> timer = panel_.Timers().MakeTimer([&] { ++ticks; });
  const UINT_PTR id = 1;  // the panel's first timer
  timer->Start(65535);
  EXPECT_TRUE(timer->IsRunning());
  PostMessageA(panel_.hwnd(), WM_TIMER, id, 0);
  PumpMessages();
  EXPECT_EQ(1, ticks);

  timer->Stop();
  PostMessageA(panel_.hwnd(), WM_TIMER, id, 0);  // queued before the stop, as the system may leave one
  PumpMessages();
  EXPECT_EQ(1, ticks) << "a stopped timer's late tick is dropped";
  EXPECT_FALSE(KillTimer(panel_.hwnd(), id)) << "the system timer is gone too";

  // Started while the panel is unloaded: armed on the window that loading makes.
  panel_.Unload();
  timer->Start(100);
  ASSERT_TRUE(panel_.Load(host_));
  EXPECT_TRUE(KillTimer(panel_.hwnd(), id)) << "SetTimer was armed";
  timer->Start(65535);
  panel_.Unload();
  EXPECT_FALSE(timer->IsRunning()) << "unloading stops the panel's timers";
}

}  // namespace
}  // namespace tw::test
