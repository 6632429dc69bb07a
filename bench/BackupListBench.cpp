// The backup manager with 999 backups: filling the list from the folder, then
// sorting by date ascending and descending two ways in the same run. The
// panel's way takes each row's key once from the stamp its cells were written
// from, which its item data leads to; the baseline searches for both rows
// (LVM_FINDITEM by item data) and converts both cells inside every
// comparison. Prints the median of each and the ratio.
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "backup/Backup.h"
#include "backup/win32/frmBackUp.h"
#include "platform/win32/Win32Clock.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32Registry.h"
#include "support/RecordingMessageBox.h"
#include "support/wine/ScratchFolder.h"
#include "ui/win32/SkinEngine.h"

namespace {

using namespace tw;

double Now() {
  LARGE_INTEGER frequency, counter;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&counter);
  return 1000.0 * static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

class BenchHost final : public ui::PanelHost {
 public:
  explicit BenchHost(HWND window) : window_(window) {}
  HWND HostWindow() const override { return window_; }
  ui::SkinEngine& Skin() override { return skin_; }
  void applyAllControls(ui::Panel&) override {}
  void BringMovieToFront() override {}
  void ShowHome() override {}

 private:
  HWND window_;
  ui::SkinEngine skin_;
};

// The search-per-comparison way.
struct Baseline {
  HWND list;
  int column;
  int order;
  DateFormat format;
};

int FindItemByParam(HWND list, LPARAM data) {
  LVFINDINFOA find{};
  find.flags = LVFI_PARAM;
  find.lParam = data;
  return static_cast<int>(SendMessageA(list, LVM_FINDITEMA, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&find)));
}

std::string GetSubItemText(HWND list, int row, int column) {
  char text[32] = {};
  LVITEMA item{};
  item.iSubItem = column - 1;
  item.pszText = text;
  item.cchTextMax = sizeof text;
  const LRESULT length = SendMessageA(list, LVM_GETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
  return length > 0 ? std::string(text, static_cast<std::size_t>(length)) : std::string();
}

int CALLBACK CompareBySearching(LPARAM item1, LPARAM item2, LPARAM sort) {
  const Baseline& b = *reinterpret_cast<const Baseline*>(sort);
  const std::string a1 = GetSubItemText(b.list, FindItemByParam(b.list, item1), b.column);
  const std::string a2 = GetSubItemText(b.list, FindItemByParam(b.list, item2), b.column);
  return CompareCells(a1, a2, SortType::Date, b.order, b.format);
}

bool InDateOrder(frmBackUp& panel, HWND list, int order) {
  const int rows = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
  for (int row = 1; row < rows; ++row) {
    if (CompareCells(panel.GetSubItemText(row - 1, 2), panel.GetSubItemText(row, 2), SortType::Date, order,
                     panel.Format()) > 0) {
      return false;
    }
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 9;
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES};
  InitCommonControlsEx(&controls);

  test::ScratchFolder folder;
  Win32FileSystem files;
  Win32Registry registry;
  const std::string backups = folder.path() + "\\Backups";
  files.CreateFolder(backups);
  std::srand(12345);
  for (int n = 1; n <= 999; ++n) {
    char text[64];
    std::snprintf(text, sizeof text, "#%04d-%02d-%02d#\r\n#%02d:%02d:%02d#\r\n7\r\n", 2000 + std::rand() % 25,
                  1 + std::rand() % 12, 1 + std::rand() % 28, std::rand() % 24, std::rand() % 60, std::rand() % 60);
    files.WriteNewFile(backups + "\\" + BackupFileName(n), text);
  }

  HWND frame = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, kBackUpPanel.width, kBackUpPanel.height, nullptr,
                               nullptr, GetModuleHandleA(nullptr), nullptr);
  BenchHost host(frame);
  test::RecordingMessageBox messages;
  const OsFamilyInfo os = FamilyOf(7);
  const std::string programFolder = folder.path();
  Win32Clock clock;
  frmBackUp panel(registry, files, clock, programFolder, os, messages);
  if (!panel.Load(host)) {
    std::printf("the panel did not load\n");
    return 1;
  }
  HWND list = panel.Control(IDC_lstBackUpList);

  std::vector<double> fill, fast, slow;
  bool sorted = true;
  for (int run = 0; run < runs; ++run) {
    double start = Now();
    panel.intializeList();
    fill.push_back(Now() - start);

    // Two clicks on "Creating Date": ascending, then descending.
    start = Now();
    panel.lstBackUpList_ColumnClick(1);
    panel.lstBackUpList_ColumnClick(1);
    fast.push_back(Now() - start);
    sorted = sorted && InDateOrder(panel, list, 1);

    panel.intializeList();
    start = Now();
    for (const int order : {0, 1}) {
      Baseline baseline{list, 2, order, panel.Format()};
      SendMessageA(list, LVM_SORTITEMS, reinterpret_cast<WPARAM>(&baseline),
                   reinterpret_cast<LPARAM>(&CompareBySearching));
    }
    slow.push_back(Now() - start);
    // Reset the tags so the next run's first click ascends again.
    panel.lstBackUpList_ColumnClick(0);
  }
  const int rows = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
  std::printf("backup list, %d files, median of %d runs\n", rows, runs);
  std::printf("  fill the list (intializeList):                 %8.2f ms\n", Median(fill));
  std::printf("  sort by date both ways, keys beside the rows:  %8.2f ms%s\n", Median(fast),
              sorted ? "" : "  (NOT IN ORDER)");
  std::printf("  sort by date both ways, search per comparison: %8.2f ms\n", Median(slow));
  std::printf("  ratio baseline / keys: %.1f\n", Median(slow) / Median(fast));
  panel.Unload();
  DestroyWindow(frame);
  return sorted ? 0 : 1;
}
