#pragma once
// frmBackUp: the backup files in a list, sorted by any column; "Restore"
// writes the chosen backup back, "Delete" removes its file. Reading and
// checking a backup, and the compare rules, are portable code.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "backup/BackupManager.h"
#include "backup/Restore.h"
#include "platform/Clock.h"
#include "platform/FileSystem.h"
#include "platform/OsVersion.h"
#include "platform/Registry.h"
#include "ui/win32/Panel.h"

namespace tw {

class frmBackUp final : public ui::Panel {
 public:
  // `os` is read at each restore: start-up detects the family after the
  // panels are created.
  frmBackUp(IRegistry& registry, IFileSystem& files, IClock& clock, const std::string& programFolder,
            const OsFamilyInfo& os, ui::IMessageBox& messages);

  // Told after every restore that wrote anything.
  std::function<void(const RestoreReport&)> Restored;
  // Asked before a delete: whether the file undoes the last change.
  std::function<bool(const std::string& fileName)> UndoesLastChange;
  // Told after a backup file is deleted.
  std::function<void()> Deleted;

  // Refills the list from the backup folder, newest first (CompareWritten);
  // creates the folder when it is missing.
  void intializeList();

  void lstBackUpList_ColumnClick(int column);
  void cmdRestore_Click();
  void cmdDelete_Click();

  // The text of one cell as the compare rules see it: at most 31 characters.
  std::string GetSubItemText(int row, int column) const;
  // The header tags, "ASC" / "DESC" / empty, by column.
  const HeaderTags& Tags() const { return tags_; }
  // How the system writes dates and times here, for reading them back.
  const DateFormat& Format() const { return format_; }

 protected:
  void OnLoad() override;
  void OnCommand(int id, int notification) override;
  LRESULT OnNotify(int id, const NMHDR& header) override;

 private:
  struct Row {
    std::string fileName;
    std::optional<BackupStamp> stamp;
    std::string restoreHere;
  };
  // The row of the backup file `entryName` of the backup folder: read whole,
  // its stamp and whether a restore here would take it.
  Row ReadRow(const std::string& folder, const std::string& entryName);
  // One row: the file's name, and the date and time stored in it as the
  // system formats them (both empty for a file that does not start with a
  // date and a time).
  void AddBackupToList(Row row);

  HWND List() const { return Control(IDC_lstBackUpList); }
  int SelectedRow() const;
  void EnableButtons(bool enabled);
  // Sorts by `column` (1-based): each row's key computed once and kept beside
  // the rows, then the list sorts through the rows' item data.
  void SortBy(int column, SortType type, int order);
  static int CALLBACK CompareRows(LPARAM item1, LPARAM item2, LPARAM panel);

  IRegistry& registry_;
  IFileSystem& files_;
  IClock& clock_;
  const std::string& programFolder_;
  const OsFamilyInfo& os_;
  DateFormat format_;
  HeaderTags tags_;
  std::vector<Row> rows_;     // by item data
  std::vector<SortKey> keys_;  // by item data, for the sort under way
  int sortOrder_ = 0;
};

}  // namespace tw
