#pragma once
#include "platform/FileSystem.h"
#include "platform/win32/Handles.h"

namespace tw {

class Win32FileSystem final : public IFileSystem {
 public:
  long CreateFolder(std::string_view path) override;
  long FindFiles(std::string_view pattern, std::vector<FileEntry>& entries) override;
  long WriteNewFile(std::string_view path, std::string_view contents) override;
  long RenameFile(std::string_view from, std::string_view to) override;
  long RemoveFile(std::string_view path) override;
  long ReadFileStart(std::string_view path, std::size_t maxBytes, std::string& contents) override;
  long LockChanges(std::uint32_t waitMs) override;
  void UnlockChanges() override;

 private:
  UniqueHandle changes_;  // the named mutex, opened at the first change and kept
};

}  // namespace tw
