#pragma once
// frmBackUp, "Backup": the list of backup files with the date and time stored
// in each, and how its columns sort. Control IDs, the layout in twips, and the
// compare rules, which work on the cells' texts as the list shows them.
#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "backup/Restore.h"
#include "ui/ControlLayout.h"
#include "ui/Panels.h"

namespace tw {

enum BackUpControl : int {
  IDC_frameBackUp = 1300,
  IDC_lstBackUpList,
  IDC_cmdRestore,
  IDC_cmdDelete,
};

// The columns fit beside a vertical scroll bar, so a long list scrolls one way
// only. The last says whether a restore here would take the file, before the
// user asks for one.
inline constexpr ui::ListColumn kBackUpColumns[] = {
    {"File Name", 1200}, {"Creating Date", 1500}, {"Creating Time", 1500}, {"Restore here", 1800}};

inline constexpr ui::ControlSpec kBackUpControls[] = {
    {IDC_frameBackUp, ui::ControlKind::Frame, "Backup", 0, 0, 6525, 3660},
    {IDC_lstBackUpList, ui::ControlKind::ListView, {}, 105, 240, 6315, 2880, IDC_frameBackUp, -1,
     ui::ColumnsOf(kBackUpColumns)},
    {IDC_cmdRestore, ui::ControlKind::Button, "&Restore", 1515, 3180, 1440, 405, IDC_frameBackUp},
    {IDC_cmdDelete, ui::ControlKind::Button, "&Delete", 3900, 3180, 1440, 405, IDC_frameBackUp},
};

inline constexpr ui::PanelSpec kBackUpPanel = ui::PanelLayout(ui::PanelId::frmBackUp, kBackUpControls);

// How the texts of the sorted column are compared: as text, as 32-bit whole
// numbers, as real numbers, or as dates (a date, a time or both).
enum class SortType : int { Text = 0, Whole = 1, Real = 2, Date = 3 };

// What a system-formatted date or time looks like: the order of day, month
// and year in a short date, and the words that mark the morning and the
// afternoon in a 12-hour time ("AM", "PM"; empty for a 24-hour clock).
struct DateFormat {
  enum class Order { MonthDayYear, DayMonthYear, YearMonthDay } order = Order::MonthDayYear;
  std::string am = "AM";
  std::string pm = "PM";
};

// A date, a time or both as the system writes them ("2/1/2024", "3:51:09 PM",
// "2/1/2024 3:51:09 PM"), as days since 30 December 1899 and the fraction of
// the day; nothing when the text is no date or time.
std::optional<double> ParseDateText(std::string_view text, const DateFormat& format);

// A cell's text converted once for sorting. A text that cannot be converted
// counts lower than every text that can.
struct SortKey {
  bool converted = false;
  std::string text;   // SortType::Text
  double number = 0;  // the other types
};

// Cells are compared on at most their first 31 characters, as much as the
// list hands back into a buffer of 32.
inline constexpr std::size_t kComparedCharacters = 31;

SortKey MakeSortKey(std::string_view cell, SortType type, const DateFormat& format);
// The key of a backup's "Creating Date" cell (`timeOfDay` false) or its
// "Creating Time" cell, straight from the stamp the cell was written from,
// without reading the text back: the time cell's key is the one its text
// converts to; the date cell's is that of the date and the time together, so
// backups of one day sort by their time. No stamp (an empty cell) cannot be
// converted.
SortKey StampKey(const std::optional<BackupStamp>& stamp, bool timeOfDay);
// The question before a backup is deleted: the program's own question, the
// file it is about, and, when that file would undo the last change, that the
// change cannot be undone without it.
std::string DeleteQuestion(std::string_view fileName, bool undoesLastChange);

// -1, 0 or 1; `sortOrder` 1 reverses (descending), 0 keeps (ascending).
int CompareSortKeys(const SortKey& a, const SortKey& b, int sortOrder);
// CompareBackupItems on two cells' texts.
int CompareCells(std::string_view a, std::string_view b, SortType type, int sortOrder, const DateFormat& format);

// The header tags: "ASC" after a click that sorted a column ascending,
// "DESC" after one that sorted it descending, empty otherwise.
struct HeaderTags {
  std::array<std::string, std::size(kBackUpColumns)> tags;
  // A click on `column` (0-based): its new sort order (0 ascending, 1
  // descending), with the tags updated. The first click on a column sorts
  // ascending; each further click on the same column reverses.
  int Click(int column);
};

}  // namespace tw
