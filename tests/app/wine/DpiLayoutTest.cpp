// Every view of the real main window, skinned as the user sees it, laid out at
// 120 DPI against the same view at 96 in this process: the DPI is handed to
// the window, the prefix stays at 96.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "memory/SystemStatus.h"
#include "platform/win32/WidePath.h"
#include "support/wine/MainWindowFixture.h"
#include "support/wine/Program.h"
#include "support/wine/WindowPicture.h"
#include "tuning/NormalMode.h"

namespace tw::test {
namespace {

struct Placed {
  std::string group;  // the windows of one parent: "surface" (with the host beside them), or a panel
  RECT rect;          // in the main window's client area
};
using View = std::map<std::string, Placed>;  // by group and control id

// How much of a label's or a check box's caption does not show, across and down.
int Clipped(HWND control, int dpi) {
  const std::string text = WindowText(control), kind = ClassName(control);
  const LONG style = GetWindowLongA(control, GWL_STYLE);
  const bool label = kind == "Static" && (style & SS_TYPEMASK) <= SS_RIGHT;
  const bool mark = kind == "Button" && ((style & BS_TYPEMASK) == BS_AUTOCHECKBOX ||
                                         (style & BS_TYPEMASK) == BS_AUTORADIOBUTTON);
  if (text.empty() || (!label && !mark)) return 0;
  RECT client{};
  GetClientRect(control, &client);
  RECT needed{0, 0, client.right - (mark ? ui::ScalePixels(13 + 5, dpi) : 0), 0};  // the skin's mark and gap
  const int room = needed.right;
  HDC dc = GetDC(control);
  HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(control, WM_GETFONT, 0, 0)));
  DrawTextA(dc, text.c_str(), -1, &needed,
            DT_CALCRECT | DT_EXPANDTABS | (label ? DT_WORDBREAK : DT_SINGLELINE) |
                (label && (style & SS_NOPREFIX) ? DT_NOPREFIX : 0));
  SelectObject(dc, old);
  ReleaseDC(control, dc);
  return std::max<int>(needed.right - room, 0) + std::max<int>(needed.bottom - client.bottom, 0);
}

// The pixels of the top `rows` of a window as painted, read from its own
// DC: what reached the screen may lag behind.
std::vector<COLORREF> PaintedRows(HWND window, int rows) {
  RECT client{};
  GetClientRect(window, &client);
  HDC dc = GetDC(window);
  HDC copy = CreateCompatibleDC(dc);
  HBITMAP bitmap = CreateCompatibleBitmap(dc, client.right, rows);
  HGDIOBJ old = SelectObject(copy, bitmap);
  BitBlt(copy, 0, 0, client.right, rows, dc, 0, 0, SRCCOPY);
  SelectObject(copy, old);
  BITMAPINFO info{};
  info.bmiHeader = {sizeof info.bmiHeader, client.right, -rows, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  std::vector<COLORREF> pixels(static_cast<std::size_t>(client.right) * rows);
  GetDIBits(copy, bitmap, 0, rows, pixels.data(), &info, DIB_RGB_COLORS);
  DeleteObject(bitmap);
  DeleteDC(copy);
  ReleaseDC(window, dc);
  return pixels;
}

class DpiLayout : public MainWindowFixture {
 protected:
  // System Status with the RAM target at its widest number, which the layout
  // check then finds clipped or not; and a frame's caption grown shorter,
  // which must look as a whole repaint of the panel draws it.
  void ShowWidestTargetAndAShorterCaption(MainWindow& main, int dpi) {
    using namespace systemstatus;
    ui::Panel& status = main.Panel(PanelId::frmSystemStatus);
    HWND target = status.Control(IDC_sldFreeMomoryReq);
    SendMessageA(target, TBM_SETPOS, TRUE, SendMessageA(target, TBM_GETRANGEMAX, 0, 0));
    SendMessageA(status.hwnd(), WM_HSCROLL, MAKEWPARAM(TB_ENDTRACK, 0), reinterpret_cast<LPARAM>(target));
    const std::string caption = WindowText(status.Control(IDC_lblTargetMemoryNeeded));
    EXPECT_LE(std::string("Target Level Of RAM 1000MB.").size(), caption.size()) << caption << ": four digits";
    // Painted at once, with no timer tick between, whose caption would differ.
    HWND frame = status.Control(IDC_frameCPUUsage);
    const int rows = ui::ScalePixels(16, dpi);  // the caption's row, above the histogram
    SetWindowTextA(frame, "Processor usage (100%).");
    UpdateWindow(frame);
    SetWindowTextA(frame, "Processor usage (7%).");
    UpdateWindow(frame);
    const std::vector<COLORREF> changed = PaintedRows(frame, rows);
    RedrawWindow(status.hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    EXPECT_TRUE(changed == PaintedRows(frame, rows)) << "the longer caption's end stays at " << dpi << " DPI";
    SaveWindowPicture(main.hwnd(), "system-status-" + std::to_string(dpi));
  }
  RECT InMain(HWND window, bool client) {
    RECT rect{};
    client ? GetClientRect(window, &rect) : GetWindowRect(window, &rect);
    MapWindowPoints(client ? window : nullptr, main_->hwnd(), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
  }
  void Expect(const RECT& inner, HWND parent, const std::string& name, int dpi) {
    const RECT outer = InMain(parent, true);
    EXPECT_TRUE(inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
                inner.bottom <= outer.bottom)
        << name << " leaves its parent at " << dpi << " DPI";
  }
  void Add(View& view, HWND parent, const std::string& group, int dpi) {
    for (HWND child = GetWindow(parent, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
      if (!IsWindowVisible(child)) continue;
      const std::string id = std::to_string(GetDlgCtrlID(child));
      const std::string name = std::string(group).append("/").append(id);
      view[name] = {group, InMain(child, false)};
      Expect(InMain(child, false), parent, name, dpi);
      EXPECT_EQ(0, Clipped(child, dpi)) << name << " \"" << WindowText(child) << "\" is clipped at " << dpi << " DPI";
    }
  }

  // The home and about views, every panel and every page of the step-by-step editor.
  std::map<std::string, View> ViewsAt(int dpi) {
    app_->programFolder = ModuleFolder(nullptr);  // where the build put the skin
    MainWindow& main = Start(SW_SHOWNOACTIVATE, dpi);
    std::map<std::string, View> views;
    const auto take = [&](const std::string& name) {
      View& view = views[name];
      Add(view, main.Movie().hwnd(), "surface", dpi);
      HWND host = main.HostWindow();
      if (!IsWindowVisible(host)) return;
      view["surface/host"] = {"surface", InMain(host, false)};
      Expect(InMain(host, false), main.hwnd(), "the host", dpi);
      for (const PanelInfo& info : kPanels) {
        HWND panel = main.Panel(info.id).hwnd();
        if (panel == nullptr || !IsWindowVisible(panel)) continue;
        Expect(InMain(panel, false), host, std::string(info.name), dpi);
        Add(view, panel, std::string(info.name), dpi);
      }
    };
    take("home");
    main.OnNavigationCommand(NavigationCommand::About);
    take("about");
    using enum NavigationCommand;
    for (NavigationCommand command :
         {WizardMode, BackupManager, PingSettings, SystemStatus, RamConfiguration, MainSettings, NormalMode}) {
      main.OnNavigationCommand(command);
      if (command == SystemStatus) ShowWidestTargetAndAShorterCaption(main, dpi);
      take(std::string(CommandName(command)));
    }
    for (int page = 2; page <= kWizardPageCount; ++page) {
      SendMessageA(main.Panel(PanelId::frmNormalMode).Control(IDC_cmdNextPage), BM_CLICK, 0, 0);
      take(std::string("editor page ").append(std::to_string(page)));
    }
    EXPECT_EQ(ui::ScalePixels(MainWindow::kClientWidth, dpi), InMain(main.hwnd(), true).right);
    main_.reset();
    return views;
  }
};

TEST_F(DpiLayout, At120DpiEveryControlStaysInsideItsParentAndNothingNewOverlapsOrClips) {
  const std::map<std::string, View> before = ViewsAt(96), after = ViewsAt(120);
  ASSERT_EQ(before.size(), after.size());
  for (const auto& [name, view] : after) {
    ASSERT_EQ(before.at(name).size(), view.size()) << name << ": the same controls are shown";
    for (auto a = view.begin(), end = view.end(); a != end; ++a) {
      for (auto b = std::next(a); b != end; ++b) {
        RECT overlap{};
        if (a->second.group != b->second.group ||
            IntersectRect(&overlap, &before.at(name).at(a->first).rect, &before.at(name).at(b->first).rect)) {
          continue;
        }
        EXPECT_FALSE(IntersectRect(&overlap, &a->second.rect, &b->second.rect))
            << name << ": " << a->first << " and " << b->first << " overlap at 120 DPI only";
      }
    }
  }
}

// At 144 DPI, the largest the program meets, nothing may leave its parent or clip either.
TEST_F(DpiLayout, At144DpiEveryControlStaysInsideItsParentAndNothingClips) { ViewsAt(144); }

}  // namespace
}  // namespace tw::test
