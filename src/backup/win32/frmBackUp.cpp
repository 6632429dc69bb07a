#include "backup/win32/frmBackUp.h"

#include <commctrl.h>

#include <algorithm>

#include "backup/Backup.h"
#include "backup/BackupCatalog.h"
#include "platform/ErrorText.h"
#include "platform/win32/WidePath.h"
#include "platform/win32/Win32Clock.h"

namespace tw {
namespace {

std::string LocaleText(LCTYPE type) {
  char text[80] = {};
  return GetLocaleInfoA(LOCALE_USER_DEFAULT, type, text, sizeof text) > 0 ? text : "";
}

DateFormat SystemDateFormat() {
  DateFormat format;
  const std::string order = LocaleText(LOCALE_IDATE);
  format.order = order == "1"   ? DateFormat::Order::DayMonthYear
                 : order == "2" ? DateFormat::Order::YearMonthDay
                                : DateFormat::Order::MonthDayYear;
  format.am = LocaleText(LOCALE_S1159);
  format.pm = LocaleText(LOCALE_S2359);
  return format;
}

void SetCell(HWND list, int row, int column, const std::string& text) {
  LVITEMA cell{};
  cell.iSubItem = column;
  cell.pszText = const_cast<char*>(text.c_str());
  SendMessageA(list, LVM_SETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&cell));
}

}  // namespace

frmBackUp::frmBackUp(IRegistry& registry, IFileSystem& files, IClock& clock, const std::string& programFolder,
                     const OsFamilyInfo& os, ui::IMessageBox& messages)
    : ui::Panel(kBackUpPanel, messages),
      registry_(registry),
      files_(files),
      clock_(clock),
      programFolder_(programFolder),
      os_(os) {}

void frmBackUp::OnLoad() {
  // Restore and Delete act on one file.
  SetWindowLongA(List(), GWL_STYLE, GetWindowLongA(List(), GWL_STYLE) | LVS_SINGLESEL);
  format_ = SystemDateFormat();
  EnableButtons(false);
}

void frmBackUp::EnableButtons(bool enabled) {
  EnableWindow(Control(IDC_cmdRestore), enabled);
  EnableWindow(Control(IDC_cmdDelete), enabled);
}

void frmBackUp::intializeList() {
  EnableButtons(false);
  SendMessageA(List(), LVM_DELETEALLITEMS, 0, 0);
  rows_.clear();
  const std::string folder = BackupFolder(programFolder_);
  if (files_.CreateFolder(folder) == kErrorSuccess) return;  // it was missing: no backups yet
  std::vector<FileEntry> entries;
  if (files_.FindFiles(folder + "\\*.BCK", entries) != kErrorSuccess) return;
  std::vector<Row> found;
  for (const FileEntry& entry : entries) {
    if (!entry.isDirectory && IsBackupFileName(entry.name)) found.push_back(ReadRow(folder, entry.name));
  }
  // Newest first, as the command line lists them: the one to undo the last change by is on top.
  std::sort(found.begin(), found.end(), [](const Row& a, const Row& b) {
    return CompareWritten(a.stamp, BackupNumberOf(a.fileName), b.stamp, BackupNumberOf(b.fileName)) > 0;
  });
  SendMessageA(List(), WM_SETREDRAW, FALSE, 0);
  for (Row& row : found) AddBackupToList(std::move(row));
  SendMessageA(List(), WM_SETREDRAW, TRUE, 0);
  InvalidateRect(List(), nullptr, TRUE);
}

frmBackUp::Row frmBackUp::ReadRow(const std::string& folder, const std::string& entryName) {
  // Read whole, as the command line lists it: a damaged file or one from
  // another Windows says so before anyone asks to restore it.
  const BackupListing listing = ListBackup(files_, folder, entryName, os_);
  Row row;
  row.fileName = listing.fileName;  // the base name, then ".BCK"
  row.stamp = listing.stamp;
  row.restoreHere = RestoreHereText(listing);
  return row;
}

void frmBackUp::AddBackupToList(Row row) {
  // The name as the system shows it. File names come in UTF-8: the NT
  // platform keeps them in Unicode, so the list takes them whole; the 9x
  // family's are in its code page, which its list takes.
  const auto insert = [this](auto item, auto name, UINT message) {
    item.mask = LVIF_TEXT | LVIF_PARAM;
    item.iItem = static_cast<int>(rows_.size());
    item.pszText = name.data();
    item.lParam = static_cast<LPARAM>(rows_.size());
    return static_cast<int>(SendMessageA(List(), message, 0, reinterpret_cast<LPARAM>(&item)));
  };
  const int index = NtPlatform() ? insert(LVITEMW{}, Utf8ToWide(row.fileName), LVM_INSERTITEMW)
                                 : insert(LVITEMA{}, Utf8ToAnsi(row.fileName), LVM_INSERTITEMA);
  if (index < 0) return;
  if (row.stamp) {
    const SYSTEMTIME taken = ToSystemTime(row.stamp->taken);
    char text[80] = {};
    if (GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &taken, nullptr, text, sizeof text) > 0) {
      SetCell(List(), index, 1, text);
    }
    if (GetTimeFormatA(LOCALE_USER_DEFAULT, 0, &taken, nullptr, text, sizeof text) > 0) SetCell(List(), index, 2, text);
  }
  SetCell(List(), index, 3, row.restoreHere);
  rows_.push_back(std::move(row));
}

int frmBackUp::SelectedRow() const {
  return static_cast<int>(SendMessageA(List(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

std::string frmBackUp::GetSubItemText(int row, int column) const {
  char text[kComparedCharacters + 1] = {};
  LVITEMA item{};
  item.iSubItem = column - 1;
  item.pszText = text;
  item.cchTextMax = sizeof text;
  const LRESULT length = SendMessageA(List(), LVM_GETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
  return length > 0 ? std::string(text, static_cast<std::size_t>(length)) : std::string();
}

void frmBackUp::lstBackUpList_ColumnClick(int column) {
  const int order = tags_.Click(column);
  char caption[64] = {};
  LVCOLUMNA header{};
  header.mask = LVCF_TEXT;
  header.pszText = caption;
  header.cchTextMax = sizeof caption;
  SendMessageA(List(), LVM_GETCOLUMNA, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&header));
  const std::string_view text = caption;
  if (text == "File Name") {
    SortBy(1, SortType::Text, order);
  } else if (text == "Creating Date") {
    SortBy(2, SortType::Date, order);
  } else if (text == "Creating Time") {
    SortBy(3, SortType::Date, order);
  } else if (text == "Restore here") {
    SortBy(4, SortType::Text, order);
  } else {
    Message("Error no such header named " + std::string(text), MB_OK);
  }
  if (SelectedRow() >= 0) EnableButtons(true);
}

void frmBackUp::SortBy(int column, SortType type, int order) {
  // Each row's item data leads to its row, whose cells were written from its
  // name and stamp: the keys come from those, with no cell read back.
  keys_.clear();
  keys_.reserve(rows_.size());
  for (const Row& row : rows_) {
    const std::string& text = column == 1 ? row.fileName : row.restoreHere;
    keys_.push_back(column == 1 || column == 4 ? MakeSortKey(text, type, format_) : StampKey(row.stamp, column == 3));
  }
  sortOrder_ = order;
  SendMessageA(List(), LVM_SORTITEMS, reinterpret_cast<WPARAM>(this), reinterpret_cast<LPARAM>(&CompareRows));
}

int CALLBACK frmBackUp::CompareRows(LPARAM item1, LPARAM item2, LPARAM panel) {
  const auto& self = *reinterpret_cast<const frmBackUp*>(panel);
  const auto a = static_cast<std::size_t>(item1), b = static_cast<std::size_t>(item2);
  if (a >= self.keys_.size() || b >= self.keys_.size()) return 0;
  return CompareSortKeys(self.keys_[a], self.keys_[b], self.sortOrder_);
}

void frmBackUp::cmdRestore_Click() {
  if (Message("Do you want to restore this settings?", MB_YESNO | MB_ICONEXCLAMATION) != IDYES) return;
  const int selected = SelectedRow();
  if (selected < 0) return;  // the buttons are enabled only with a row chosen
  LVITEMA item{};
  item.mask = LVIF_PARAM;
  item.iItem = selected;
  SendMessageA(List(), LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
  const std::string& fileName = rows_.at(static_cast<std::size_t>(item.lParam)).fileName;
  // Messages are in the code page; names are kept in UTF-8.
  const std::string shown = Utf8ToAnsi(fileName);

  RestoreOutcome outcome;
  {
    // One change at a time with tidewave-cli and any other Tidewave: the
    // restore and its record, not the messages that wait for the user.
    const ChangeLock lock(files_);
    if (!lock) {
      outcome.stop = RestoreOutcome::Stop::NoBackup;
      outcome.backup = {BackupProblem::ChangeInProgress, lock.status(), {}};
    } else {
      outcome = RestoreBackupFile(registry_, files_, clock_, programFolder_, os_, fileName);
      if (outcome.stop == RestoreOutcome::Stop::None && Restored) Restored(outcome.report);
    }
  }
  switch (outcome.stop) {
    case RestoreOutcome::Stop::None:
      break;
    case RestoreOutcome::Stop::Unreadable:
      Message("The backup file \"" + shown + "\" cannot be read (" + ErrorText(outcome.readStatus) +
                  ").\r\n\r\nNothing has been restored from it.",
              MB_OK | MB_ICONEXCLAMATION);
      return;
    case RestoreOutcome::Stop::Unusable:
      if (const std::string text = RestoreProblemMessage(outcome.plan, shown); !text.empty()) {
        Message(text, MB_OK | (outcome.plan.problem == RestoreProblem::OtherFamily ? MB_ICONSTOP : MB_ICONEXCLAMATION));
      }
      return;
    case RestoreOutcome::Stop::NoBackup:
      // What it would replace could not be backed up: nothing was written.
      Message(BackupFailureMessage(outcome.backup), MB_OK | MB_ICONEXCLAMATION);
      return;
  }
  const RestoreReport& report = outcome.report;
  if (const std::string text = RestoreWrittenMessage(report.written); !text.empty()) {
    Message(text, MB_OK | MB_ICONEXCLAMATION);
  }
  intializeList();  // the new backup joins the list
  host().ShowHome();
}

void frmBackUp::cmdDelete_Click() {
  const int selected = SelectedRow();
  if (selected < 0) return;
  LVITEMA item{};
  item.mask = LVIF_PARAM;
  item.iItem = selected;
  SendMessageA(List(), LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
  const std::string fileName = rows_.at(static_cast<std::size_t>(item.lParam)).fileName;
  const bool undo = UndoesLastChange && UndoesLastChange(fileName);
  if (Message(DeleteQuestion(Utf8ToAnsi(fileName), undo), MB_YESNO | MB_ICONEXCLAMATION) != IDYES) return;
  if (const long status = files_.RemoveFile(BackupFolder(programFolder_) + "\\" + fileName); status != kErrorSuccess) {
    Message("The backup file \"" + Utf8ToAnsi(fileName) + "\" cannot be deleted (" + ErrorText(status) + ").",
            MB_OK | MB_ICONEXCLAMATION);
  } else if (Deleted) {
    Deleted();
  }
  intializeList();
  // No row is chosen now, so both buttons wait for one: they never act on a
  // row the user did not pick.
  SetFocus(List());
}

void frmBackUp::OnCommand(int id, int notification) {
  if (notification != BN_CLICKED) return;
  if (id == IDC_cmdRestore) cmdRestore_Click();
  if (id == IDC_cmdDelete) cmdDelete_Click();
}

LRESULT frmBackUp::OnNotify(int id, const NMHDR& header) {
  if (id != IDC_lstBackUpList) return 0;
  if (header.code == LVN_COLUMNCLICK) {
    lstBackUpList_ColumnClick(reinterpret_cast<const NMLISTVIEW&>(header).iSubItem);
  } else if (header.code == LVN_ITEMCHANGED) {
    // By mouse or keyboard: the buttons follow whether a row is chosen.
    const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
    if ((change.uChanged & LVIF_STATE) != 0) EnableButtons(SelectedRow() >= 0);
  }
  return 0;
}

}  // namespace tw
