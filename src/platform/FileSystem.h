#pragma once
// The files the program writes itself (its backups), through the few kernel32
// calls it needs, with the system's status codes. Win32FileSystem forwards to
// the system; tests use an in-memory file system that answers the same way.
// Paths and names are UTF-8, full Windows paths ("C:\Tidewave\Backups") of
// any length: the NT platform reaches them through the wide functions, the 9x
// family in its code page.
#include <cstddef>
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
};

}  // namespace tw
