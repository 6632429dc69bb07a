#pragma once
// The files the program writes itself (its backups), through the few kernel32
// calls it needs, with the system's status codes. Win32FileSystem forwards to
// the system; tests use an in-memory file system that answers the same way.
// Paths and names are UTF-8, full Windows paths ("C:\Tidewave\Backups") of
// any length: the NT platform reaches them through the wide functions, the 9x
// family in its code page.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/ErrorCodes.h"

namespace tw {

struct FileEntry {
  std::string name;  // the entry's name within its folder, no path
  bool isDirectory = false;
};

class IFileSystem {
 public:
  virtual ~IFileSystem() = default;

  // CreateDirectory: kErrorAlreadyExists when the folder (or a file of that
  // name) is there already, kErrorPathNotFound when its parent is missing.
  virtual long CreateFolder(std::string_view path) = 0;
  // FindFirstFile / FindNextFile / FindClose over a pattern such as
  // "C:\Tidewave\Backups\*.BCK": every matching entry, "." and ".." left out.
  // kErrorFileNotFound when nothing matches, kErrorPathNotFound when the folder is missing.
  virtual long FindFiles(std::string_view pattern, std::vector<FileEntry>& entries) = 0;
  // CreateFile (CREATE_ALWAYS), WriteFile of every byte, FlushFileBuffers,
  // CloseHandle. A failure part-way (a full disk) may leave a partial file.
  virtual long WriteNewFile(std::string_view path, std::string_view contents) = 0;
  // MoveFile: renames within a volume in one step; fails with
  // kErrorAlreadyExists when `to` exists, so nothing is ever overwritten.
  virtual long RenameFile(std::string_view from, std::string_view to) = 0;
  // DeleteFile.
  virtual long RemoveFile(std::string_view path) = 0;
  // CreateFile (OPEN_EXISTING, shared for reading), ReadFile up to
  // `maxBytes` or the end, CloseHandle: the file's first bytes into
  // `contents`. A file of any size costs no more memory than asked for.
  virtual long ReadFileStart(std::string_view path, std::size_t maxBytes, std::string& contents) = 0;

  // One change to the network values at a time, in every process of the
  // program: each change backs up into these files, then writes, and two
  // interleaved would each keep part of their values and leave a backup of a
  // state half-written. A system-wide named mutex: waits up to `waitMs` for
  // another holder, then fails with kErrorTimeout. A holder that died lets
  // the next in, as its backup is on disk. Taken again by its holder it nests.
  virtual long LockChanges(std::uint32_t waitMs) = 0;
  virtual void UnlockChanges() = 0;
};

// How long a change waits for another to end: far longer than any change
// takes, short enough that a window waiting on its thread is not given up.
inline constexpr std::uint32_t kChangeWaitMs = 20000;

// Holds the change lock for its scope, when it got it.
class ChangeLock {
 public:
  explicit ChangeLock(IFileSystem& files, std::uint32_t waitMs = kChangeWaitMs)
      : files_(files), status_(files.LockChanges(waitMs)) {}
  ChangeLock(const ChangeLock&) = delete;
  ChangeLock& operator=(const ChangeLock&) = delete;
  ~ChangeLock() {
    if (status_ == kErrorSuccess) files_.UnlockChanges();
  }
  long status() const { return status_; }
  explicit operator bool() const { return status_ == kErrorSuccess; }

 private:
  IFileSystem& files_;
  long status_;
};

}  // namespace tw
