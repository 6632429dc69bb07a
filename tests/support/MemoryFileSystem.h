#pragma once
// A file system in memory that answers like Windows: case-insensitive names,
// a parent folder must exist, MoveFileA refuses to overwrite, and the system's
// status codes. It can also fail the way real disks and folders fail.
#include <cstddef>
#include <map>
#include <optional>
#include <set>
#include <string>

#include "platform/FileSystem.h"

namespace tw::test {

class MemoryFileSystem final : public IFileSystem {
 public:
  long CreateFolder(std::string_view path) override;
  long FindFiles(std::string_view pattern, std::vector<FileEntry>& entries) override;
  long WriteNewFile(std::string_view path, std::string_view contents) override;
  long RenameFile(std::string_view from, std::string_view to) override;
  long RemoveFile(std::string_view path) override;
  long ReadFileStart(std::string_view path, std::size_t maxBytes, std::string& contents) override;
  long LockChanges(std::uint32_t waitMs) override;
  void UnlockChanges() override;

  // Another process holds the change lock for as long as any waits.
  void HoldChangesElsewhere(bool held) { heldElsewhere_ = held; }
  // Files written while this process did not hold the change lock.
  int WritesOutsideChanges() const { return writesOutsideChanges_; }

  // Set-up: a folder with every missing parent, and a file (its folder too).
  void AddFolder(std::string_view path);
  void AddFile(std::string_view path, std::string_view contents = {});

  // Nothing can be created, written, renamed or removed in this folder.
  void DenyWrites(std::string_view folder);
  // Only this many more bytes fit on the disk; a write that needs more stores
  // what fits and fails with kErrorDiskFull.
  void LimitFreeSpace(std::size_t bytes) { freeSpace_ = bytes; }
  // Renames fail with this status (a crash between writing and renaming looks
  // the same to the next run: the temporary file is all there is).
  void FailRenames(long status) { renameFailure_ = status; }
  // What a search that matches nothing answers: "file not found" on NT,
  // "no more files" on some Windows 95 and 98 systems.
  void AnswerEmptySearchesWith(long status) { emptySearch_ = status; }

  bool FolderExists(std::string_view path) const;
  bool FileExists(std::string_view path) const;
  std::string Contents(std::string_view path) const;
  // Names of the files directly in `folder`, in sorted order.
  std::vector<std::string> FilesIn(std::string_view folder) const;

 private:
  struct Less {
    bool operator()(const std::string& a, const std::string& b) const;
  };
  static std::string Parent(std::string_view path);
  bool Writable(std::string_view path) const;

  std::set<std::string, Less> folders_;
  std::map<std::string, std::string, Less> files_;
  std::set<std::string, Less> deniedFolders_;
  std::optional<std::size_t> freeSpace_;
  long renameFailure_ = kErrorSuccess;
  long emptySearch_ = kErrorFileNotFound;
  bool heldElsewhere_ = false;
  int changeDepth_ = 0;
  int writesOutsideChanges_ = 0;
};

}  // namespace tw::test
