// A panel built from a table with every kind of extra the factory knows, read
// back from its real controls, and the typed calls and timers a panel gets.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <utility>
#include <vector>

#include "support/RecordingMessageBox.h"
#include "support/wine/Program.h"
#include "support/wine/TestPanelHost.h"
#include "ui/win32/Panel.h"

namespace tw::test {
namespace {

enum : int { IDC_frame = 1500, IDC_lblHost, IDC_txtHost, IDC_lblFree, IDC_txtTime, IDC_updnTime, IDC_txtRWIN,
             IDC_lstBackUps, IDC_sldSpeed, IDC_cmbNDI };

constexpr ui::ListColumn kColumns[] = {{"File Name", 2100}, {"Creating Date", 1800}, {"Creating Time", 1800}};
constexpr std::string_view kNdiItems[] = {"0", "2", "4", "8", "16", "32", "64"};

using ui::ControlKind;
constexpr ui::ControlSpec kControls[] = {
    {IDC_frame, ControlKind::Frame, "Settings", 75, 75, 6300, 3600},
    {IDC_lblHost, ControlKind::SkinLabel, "Ping &Host", 90, 240, 1000, 255, IDC_frame},
    {IDC_txtHost, ControlKind::TextBox, "", 1100, 225, 1700, 315, IDC_frame},
    {IDC_lblFree, ControlKind::Label, "12 MB free", 3000, 240, 1500, 255, IDC_frame},
    // Before its buddy: found by id all the same.
    {.id = IDC_updnTime, .kind = ControlKind::UpDown, .width = 255, .height = 315,
     .container = IDC_frame, .extras = ui::UpDownOf(IDC_txtTime, 100, 65535, 100)},
    {IDC_txtTime, ControlKind::TextBox, "", 90, 600, 1200, 315, IDC_frame, -1, ui::kNumberOnly},
    {IDC_txtRWIN, ControlKind::TextBox, "", 1500, 600, 1200, 315, IDC_frame, -1, ui::kReadOnly},
    {IDC_lstBackUps, ControlKind::ListView, "", 90, 1000, 6000, 1500, IDC_frame, -1, ui::ColumnsOf(kColumns)},
    {IDC_sldSpeed, ControlKind::Slider, "", 90, 2600, 3000, 450, IDC_frame, -1, ui::SliderOf(300, 1000, 300, 5, 1)},
    {IDC_cmbNDI, ControlKind::ComboBox, "", 3300, 2600, 1300, 315, IDC_frame, -1,
     {.value = 4, .items = kNdiItems}},
};
constexpr ui::PanelSpec kToolkitPanel{"frmToolkit", "Toolkit", 440, 250, kControls};

class ToolkitPanel final : public ui::Panel {
 public:
  explicit ToolkitPanel(ui::IMessageBox& messages) : ui::Panel(kToolkitPanel, messages) {}
  using ui::Panel::Timers;
  std::vector<std::pair<int, int>> notified, scrolled;  // (id, code)

 protected:
  LRESULT OnNotify(int id, const NMHDR& header) override {
    notified.emplace_back(id, static_cast<int>(header.code));
    return 0;
  }
  void OnScroll(int id, int code) override { scrolled.emplace_back(id, code); }
};

bool Has(const std::vector<std::pair<int, int>>& calls, int id, int code) {
  return std::find(calls.begin(), calls.end(), std::make_pair(id, code)) != calls.end();
}

class PanelToolkit : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(host_.Show(panel_)); }
  HWND Control(int id) { return panel_.Control(id); }
  LONG Style(int id) { return GetWindowLongA(Control(id), GWL_STYLE); }
  LRESULT Send(int id, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    return SendMessageA(Control(id), message, wParam, lParam);
  }
  RECT RectInPanel(int id) {
    RECT rect{};
    GetWindowRect(Control(id), &rect);
    MapWindowPoints(nullptr, panel_.hwnd(), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
  }
  // As the message loop hands a key over: to the dialog manager first.
  void Key(int id, UINT message, WPARAM key, LPARAM flags = 0) {
    SetFocus(Control(id));
    MSG msg{Control(id), message, key, flags, 0, {}};
    if (!IsDialogMessageA(host_.HostWindow(), &msg)) DispatchMessageA(&msg);
    PumpMessages();
  }

  RecordingMessageBox messages_;
  TestPanelHost host_{kToolkitPanel.width, kToolkitPanel.height};
  ToolkitPanel panel_{messages_};
};

TEST_F(PanelToolkit, EveryExtraIsBuiltIntoItsControl) {
  // Up-down: its buddy, range and value, sitting inside the right of the box's rectangle.
  EXPECT_EQ(Control(IDC_txtTime), reinterpret_cast<HWND>(Send(IDC_updnTime, UDM_GETBUDDY)));
  int low = 0, high = 0;
  Send(IDC_updnTime, UDM_GETRANGE32, reinterpret_cast<WPARAM>(&low), reinterpret_cast<LPARAM>(&high));
  EXPECT_EQ(std::make_pair(100, 65535), std::make_pair(low, high));
  EXPECT_EQ("100", WindowText(Control(IDC_txtTime)));
  const LONG upDownStyles = UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_NOTHOUSANDS;
  EXPECT_EQ(upDownStyles, Style(IDC_updnTime) & upDownStyles);
  const RECT box = RectInPanel(IDC_txtTime), arrows = RectInPanel(IDC_updnTime);
  const ui::PixelRect designed = ui::ControlRect(kControls[5], kControls);
  const ui::PixelOffset centred = ui::CentringOffset(kControls, kToolkitPanel.width, kToolkitPanel.height);
  EXPECT_NEAR(designed.left + centred.dx + designed.width, arrows.right, 2) << "borders may overlap a pixel or two";
  EXPECT_NEAR(box.right, arrows.left, 2);

  // Text boxes: digits only, read-only, or plain.
  EXPECT_EQ(ES_NUMBER, Style(IDC_txtTime) & (ES_NUMBER | ES_READONLY));
  EXPECT_EQ(ES_READONLY, Style(IDC_txtRWIN) & (ES_NUMBER | ES_READONLY));
  EXPECT_EQ(0, Style(IDC_txtHost) & (ES_NUMBER | ES_READONLY));
  Send(IDC_txtTime, WM_CHAR, 'x');
  EXPECT_EQ("100", WindowText(Control(IDC_txtTime)));

  // List view: report view, the three columns with their widths from twips.
  EXPECT_EQ(LVS_REPORT, Style(IDC_lstBackUps) & LVS_TYPEMASK);
  EXPECT_EQ(3, SendMessageA(reinterpret_cast<HWND>(Send(IDC_lstBackUps, LVM_GETHEADER)), HDM_GETITEMCOUNT, 0, 0));
  for (int i = 0; i < 3; ++i) {
    char text[64] = "sentinel";
    LVCOLUMNA column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.pszText = text;
    column.cchTextMax = sizeof text;
    ASSERT_TRUE(Send(IDC_lstBackUps, LVM_GETCOLUMNA, i, reinterpret_cast<LPARAM>(&column)));
    EXPECT_EQ(kColumns[i].caption, text);
    EXPECT_EQ(kColumns[i].width / 15, column.cx);
  }

  // Slider: range, position and both steps.
  EXPECT_EQ((std::vector<LRESULT>{300, 1000, 300, 5, 1}),
            (std::vector<LRESULT>{Send(IDC_sldSpeed, TBM_GETRANGEMIN), Send(IDC_sldSpeed, TBM_GETRANGEMAX),
                                  Send(IDC_sldSpeed, TBM_GETPOS), Send(IDC_sldSpeed, TBM_GETPAGESIZE),
                                  Send(IDC_sldSpeed, TBM_GETLINESIZE)}));

  // Drop-down list: the items in order, the chosen one selected, and room to drop them.
  ASSERT_EQ(7, Send(IDC_cmbNDI, CB_GETCOUNT));
  for (int i = 0; i < 7; ++i) {
    char item[16] = "";
    Send(IDC_cmbNDI, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(item));
    EXPECT_EQ(kNdiItems[i], item);
  }
  EXPECT_EQ("16", WindowText(Control(IDC_cmbNDI)));
  Send(IDC_cmbNDI, CB_SHOWDROPDOWN, TRUE);
  COMBOBOXINFO info{};
  info.cbSize = sizeof info;
  ASSERT_TRUE(GetComboBoxInfo(Control(IDC_cmbNDI), &info));
  RECT dropped{};
  GetWindowRect(info.hwndList, &dropped);
  EXPECT_GE(dropped.bottom - dropped.top, 5 * Send(IDC_cmbNDI, CB_GETITEMHEIGHT));
  Send(IDC_cmbNDI, CB_SHOWDROPDOWN, FALSE);

  // Labels: an access key keeps prefix drawing; a label without one shows its text as it is.
  EXPECT_FALSE(Style(IDC_lblHost) & SS_NOPREFIX);
  EXPECT_TRUE(Style(IDC_lblFree) & SS_NOPREFIX);
}

TEST_F(PanelToolkit, ControlsReportThroughTypedCallsByTheirIds) {
  Key(IDC_sldSpeed, WM_KEYDOWN, VK_RIGHT);
  Key(IDC_sldSpeed, WM_KEYDOWN, VK_NEXT);
  EXPECT_EQ(306, Send(IDC_sldSpeed, TBM_GETPOS)) << "a line of 1, then a page of 5";
  EXPECT_TRUE(Has(panel_.scrolled, IDC_sldSpeed, TB_LINEDOWN));
  EXPECT_TRUE(Has(panel_.scrolled, IDC_sldSpeed, TB_PAGEDOWN));

  // The up-down steps its buddy from the buddy's own arrow keys.
  Key(IDC_txtTime, WM_KEYDOWN, VK_UP);
  EXPECT_EQ("101", WindowText(Control(IDC_txtTime)));
  EXPECT_TRUE(Has(panel_.notified, IDC_updnTime, UDN_DELTAPOS));
  EXPECT_TRUE(Has(panel_.scrolled, IDC_updnTime, SB_THUMBPOSITION));

  // Alt+H: the label's access key takes the focus on to the box after it.
  Key(IDC_sldSpeed, WM_SYSCHAR, 'h', 1 << 29);
  EXPECT_EQ(Control(IDC_txtHost), GetFocus());
}

// Passes messages until `done` holds, for 5 s at most.
template <typename Done>
bool PumpUntil(Done done) {
  for (int i = 0; i < 500 && !done(); ++i) {
    Sleep(10);
    PumpMessages();
  }
  return done();
}

TEST_F(PanelToolkit, TimersTickWithoutThePanelsWindowsUntilThePanelStops) {
  int ticks = 0;
  std::unique_ptr<ui::ITimer> timer = panel_.Timers().MakeTimer([&] { ++ticks; });
  panel_.Unload();
  timer->Start(100);
  ASSERT_TRUE(PumpUntil([&] { return ticks >= 2; })) << "no window, and still the timer ticks";
  EXPECT_FALSE(panel_.IsLoaded());

  timer->Stop();
  const int stoppedAt = ticks;
  Sleep(250);
  PumpMessages();
  EXPECT_EQ(stoppedAt, ticks) << "a stopped timer does not tick";

  timer->Start(100);
  ASSERT_TRUE(host_.Show(panel_));
  panel_.Unload();
  EXPECT_TRUE(timer->IsRunning()) << "the windows going leaves the timers";
  panel_.Stop();
  EXPECT_FALSE(timer->IsRunning()) << "stopping the panel stops its timers";
}

}  // namespace
}  // namespace tw::test
