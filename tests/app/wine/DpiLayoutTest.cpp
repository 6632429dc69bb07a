// Every view of the real main window laid out at 120 DPI against the same view
// at 96, in this process: the DPI is handed to the window, the prefix stays
// at 96. The program's own skin dresses the panels, as it does for the user.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <iterator>
#include <map>
#include <string>

#include "platform/win32/WidePath.h"
#include "support/wine/MainWindowFixture.h"
#include "support/wine/Program.h"
#include "tuning/NormalMode.h"

namespace tw::test {
namespace {

struct Placed {
  std::string group;  // the windows that share a parent: "surface" (with the host), or the panel's name
  RECT rect;          // in the main window's client area
};
using View = std::map<std::string, Placed>;  // by group and control id

RECT InMainWindow(HWND window, HWND main, bool client) {
  RECT rect{};
  if (client) {
    GetClientRect(window, &rect);
    MapWindowPoints(window, main, reinterpret_cast<POINT*>(&rect), 2);
  } else {
    GetWindowRect(window, &rect);
    MapWindowPoints(nullptr, main, reinterpret_cast<POINT*>(&rect), 2);
  }
  return rect;
}

bool Inside(const RECT& inner, const RECT& outer) {
  return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
         inner.bottom <= outer.bottom;
}

// How much of a label's or a check box's caption would not show, in pixels
// across and down; 0 when it all shows. Other controls show no caption of theirs.
int Clipped(HWND control, int dpi) {
  const std::string text = WindowText(control);
  const LONG style = GetWindowLongA(control, GWL_STYLE);
  const std::string kind = ClassName(control);
  const bool label = kind == "Static" && (style & SS_TYPEMASK) <= SS_RIGHT;
  const LONG button = style & BS_TYPEMASK;
  const bool mark = kind == "Button" && (button == BS_AUTOCHECKBOX || button == BS_AUTORADIOBUTTON);
  if (text.empty() || (!label && !mark)) return 0;
  RECT client{};
  GetClientRect(control, &client);
  // The skin's box or circle and the gap after it.
  const int room = client.right - (mark ? ui::ScalePixels(13 + 5, dpi) : 0);
  HDC dc = GetDC(control);
  HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(control, WM_GETFONT, 0, 0)));
  RECT needed{0, 0, room, 0};
  DrawTextA(dc, text.c_str(), -1, &needed,
            DT_CALCRECT | DT_EXPANDTABS | (label ? DT_WORDBREAK : DT_SINGLELINE) |
                (style & SS_NOPREFIX ? DT_NOPREFIX : 0));
  SelectObject(dc, old);
  ReleaseDC(control, dc);
  return std::max<int>(needed.right - room, 0) + std::max<int>(needed.bottom - client.bottom, 0);
}

class DpiLayout : public MainWindowFixture {
 protected:
  void Add(View& view, HWND parent, const std::string& group, int dpi) {
    const RECT room = InMainWindow(parent, main_->hwnd(), true);
    for (HWND child = GetWindow(parent, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
      if (!IsWindowVisible(child)) continue;
      const std::string name = group + "/" + std::to_string(GetDlgCtrlID(child)) + " " + WindowText(child);
      const RECT rect = InMainWindow(child, main_->hwnd(), false);
      EXPECT_TRUE(Inside(rect, room)) << name << " at " << dpi << " DPI";
      EXPECT_EQ(0, Clipped(child, dpi)) << name << " at " << dpi << " DPI";
      view[group + "/" + std::to_string(GetDlgCtrlID(child))] = {group, rect};
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
      view["surface/host"] = {"surface", InMainWindow(host, main.hwnd(), false)};
      EXPECT_TRUE(Inside(view["surface/host"].rect, InMainWindow(main.hwnd(), main.hwnd(), true))) << name;
      for (const PanelInfo& info : kPanels) {
        HWND panel = main.Panel(info.id).hwnd();
        if (panel == nullptr || !IsWindowVisible(panel)) continue;
        EXPECT_TRUE(Inside(InMainWindow(panel, main.hwnd(), false), InMainWindow(host, main.hwnd(), true))) << name;
        Add(view, panel, std::string(info.name), dpi);
      }
    };
    take("home");
    main.OnNavigationCommand("IDC_FS_about", "");
    take("about");
    for (const char* command : {"IDC_FS_wizardMode", "IDC_FS_backupManger", "IDC_FS_pingSetting",
                                "IDC_FS_systemSatus", "IDC_FS_ramConfig", "IDC_FS_settings", "IDC_FS_normalMode"}) {
      main.OnNavigationCommand(command, "");
      take(command);
    }
    for (int page = 1; page < kWizardPageCount; ++page) {
      SendMessageA(main.Panel(PanelId::frmNormalMode).Control(IDC_cmdNextPage), BM_CLICK, 0, 0);
      take("normal mode page " + std::to_string(page + 1));
    }
    RECT client{};
    GetClientRect(main.hwnd(), &client);
    EXPECT_EQ(ui::ScalePixels(MainWindow::kClientWidth, dpi), client.right) << "the window grows with the DPI";
    main_.reset();
    return views;
  }
};

TEST_F(DpiLayout, At120DpiEveryControlStaysInsideItsParentAndNothingNewOverlapsOrClips) {
  const std::map<std::string, View> before = ViewsAt(96), after = ViewsAt(120);
  ASSERT_EQ(before.size(), after.size());
  for (const auto& [name, view] : after) {
    const View& designed = before.at(name);
    ASSERT_EQ(designed.size(), view.size()) << name << ": the same controls are shown";
    for (auto a = view.begin(); a != view.end(); ++a) {
      for (auto b = std::next(a); b != view.end(); ++b) {
        if (a->second.group != b->second.group) continue;
        RECT overlap{};
        const bool apart = !IntersectRect(&overlap, &designed.at(a->first).rect, &designed.at(b->first).rect);
        EXPECT_FALSE(apart && IntersectRect(&overlap, &a->second.rect, &b->second.rect))
            << name << ": " << a->first << " and " << b->first << " overlap at 120 DPI only";
      }
    }
  }
}

}  // namespace
}  // namespace tw::test
