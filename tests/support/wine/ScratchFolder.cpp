#include "support/wine/ScratchFolder.h"

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "platform/win32/Handles.h"
#include "platform/win32/WidePath.h"
#include "platform/win32/Win32FileSystem.h"

namespace tw::test {

ScratchFolder::ScratchFolder() {
  static int count = 0;
  char temp[MAX_PATH];
  const DWORD length = GetTempPathA(MAX_PATH, temp);
  std::string base(temp, length);
  if (!base.empty() && base.back() == '\\') base.pop_back();
  path_ = base + "\\Tidewave-test-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++count);
  DeleteFolderTree(path_);
  CreateDirectoryA(path_.c_str(), nullptr);
}

ScratchFolder::~ScratchFolder() { DeleteFolderTree(path_); }

std::vector<std::string> FolderEntries(const std::string& folder, const char* pattern) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA data{};
  HANDLE find = FindFirstFileA((folder + "\\" + pattern).c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return names;
  do {
    if (std::strcmp(data.cFileName, ".") != 0 && std::strcmp(data.cFileName, "..") != 0) {
      names.push_back(data.cFileName);
    }
  } while (FindNextFileA(find, &data));
  FindClose(find);
  std::sort(names.begin(), names.end());
  return names;
}

void DeleteFolderTree(const std::string& path) {
  if (!NtPlatform()) {
    for (const std::string& name : FolderEntries(path)) {
      const std::string child = path + "\\" + name;
      const DWORD attributes = GetFileAttributesA(child.c_str());
      if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        DeleteFolderTree(child);
      } else {
        SetFileAttributesA(child.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(child.c_str());
      }
    }
    RemoveDirectoryA(path.c_str());
    return;
  }
  // Tests make folders named in any language and deeper than MAX_PATH.
  Win32FileSystem files;
  std::vector<FileEntry> entries;
  files.FindFiles(path + "\\*", entries);
  for (const FileEntry& entry : entries) {
    const std::string child = path + "\\" + entry.name;
    if (entry.isDirectory) {
      DeleteFolderTree(child);
    } else {
      SetFileAttributesW(SystemPath(child).c_str(), FILE_ATTRIBUTE_NORMAL);
      files.RemoveFile(child);
    }
  }
  RemoveDirectoryW(SystemPath(path).c_str());
}

std::string ReadWholeFile(const std::string& path) {
  UniqueHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
  if (!file) return {};
  std::string contents;
  char buffer[4096];
  DWORD read = 0;
  while (ReadFile(file.get(), buffer, sizeof buffer, &read, nullptr) && read > 0) contents.append(buffer, read);
  return contents;
}

}  // namespace tw::test
