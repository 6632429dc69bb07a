#include "platform/win32/Win32FileSystem.h"

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "platform/win32/Handles.h"
#include "platform/win32/WidePath.h"

namespace tw {
namespace {

long LastErrorOr(long fallback) {
  const DWORD error = GetLastError();
  return error != ERROR_SUCCESS ? static_cast<long>(error) : fallback;
}

}  // namespace

long Win32FileSystem::CreateFolder(std::string_view path) {
  const BOOL made = NtPlatform() ? CreateDirectoryW(SystemPath(path).c_str(), nullptr)
                                 : CreateDirectoryA(Utf8ToAnsi(path).c_str(), nullptr);
  return made ? ERROR_SUCCESS : LastErrorOr(ERROR_ACCESS_DENIED);
}

long Win32FileSystem::FindFiles(std::string_view pattern, std::vector<FileEntry>& entries) {
  entries.clear();
  const auto add = [&entries](std::string name, DWORD attributes) {
    if (name != "." && name != "..") entries.push_back({std::move(name), (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0});
  };
  if (NtPlatform()) {
    WIN32_FIND_DATAW data{};
    UniqueFind find(FindFirstFileW(SystemPath(pattern).c_str(), &data));
    if (!find) return LastErrorOr(ERROR_FILE_NOT_FOUND);
    do {
      add(WideToUtf8(data.cFileName), data.dwFileAttributes);
    } while (FindNextFileW(find.get(), &data));
  } else {
    WIN32_FIND_DATAA data{};
    UniqueFind find(FindFirstFileA(Utf8ToAnsi(pattern).c_str(), &data));
    if (!find) return LastErrorOr(ERROR_FILE_NOT_FOUND);
    do {
      add(AnsiToUtf8(data.cFileName), data.dwFileAttributes);
    } while (FindNextFileA(find.get(), &data));
  }
  const DWORD error = GetLastError();
  return error == ERROR_NO_MORE_FILES ? ERROR_SUCCESS : static_cast<long>(error);
}

long Win32FileSystem::WriteNewFile(std::string_view path, std::string_view contents) {
  UniqueHandle file(NtPlatform() ? CreateFileW(SystemPath(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                               FILE_ATTRIBUTE_NORMAL, nullptr)
                                 : CreateFileA(Utf8ToAnsi(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                               FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return LastErrorOr(ERROR_ACCESS_DENIED);
  std::size_t done = 0;
  while (done < contents.size()) {
    DWORD written = 0;
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(contents.size() - done, 1u << 20));
    if (!WriteFile(file.get(), contents.data() + done, chunk, &written, nullptr)) {
      return LastErrorOr(ERROR_WRITE_FAULT);
    }
    // A short write without an error is how some file systems say they are full.
    if (written == 0) return ERROR_DISK_FULL;
    done += written;
  }
  // The rename that follows must find every byte on the disk, not in a cache.
  if (!FlushFileBuffers(file.get())) return LastErrorOr(ERROR_WRITE_FAULT);
  file.Reset();
  return ERROR_SUCCESS;
}

long Win32FileSystem::RenameFile(std::string_view from, std::string_view to) {
  const BOOL moved = NtPlatform() ? MoveFileW(SystemPath(from).c_str(), SystemPath(to).c_str())
                                  : MoveFileA(Utf8ToAnsi(from).c_str(), Utf8ToAnsi(to).c_str());
  return moved ? ERROR_SUCCESS : LastErrorOr(ERROR_ACCESS_DENIED);
}

long Win32FileSystem::RemoveFile(std::string_view path) {
  const BOOL removed = NtPlatform() ? DeleteFileW(SystemPath(path).c_str()) : DeleteFileA(Utf8ToAnsi(path).c_str());
  return removed ? ERROR_SUCCESS : LastErrorOr(ERROR_FILE_NOT_FOUND);
}

long Win32FileSystem::ReadFileStart(std::string_view path, std::size_t maxBytes, std::string& contents) {
  contents.clear();
  // Shared for writing too: a file another program holds open is still read.
  UniqueHandle file(NtPlatform() ? CreateFileW(SystemPath(path).c_str(), GENERIC_READ,
                                               FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                               FILE_ATTRIBUTE_NORMAL, nullptr)
                                 : CreateFileA(Utf8ToAnsi(path).c_str(), GENERIC_READ,
                                               FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                               FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return LastErrorOr(ERROR_FILE_NOT_FOUND);
  char buffer[16384];
  while (contents.size() < maxBytes) {
    DWORD got = 0;
    const auto wanted = static_cast<DWORD>(std::min<std::size_t>(sizeof buffer, maxBytes - contents.size()));
    if (!::ReadFile(file.get(), buffer, wanted, &got, nullptr)) {
      contents.clear();
      return LastErrorOr(ERROR_READ_FAULT);
    }
    if (got == 0) break;
    contents.append(buffer, got);
  }
  return ERROR_SUCCESS;
}

long Win32FileSystem::LockChanges(std::uint32_t waitMs) {
  if (!changes_) {
    constexpr char kName[] = "MarlpitTidewaveChanges";
    if (NtPlatform()) {
      // In the global namespace, so every session's programs meet at one
      // lock (NT 4.0 has no such namespace and takes the plain name), and
      // open to every account, so one that cannot open another's lock is not
      // kept out of changes its rights allow.
      SECURITY_DESCRIPTOR open{};
      InitializeSecurityDescriptor(&open, SECURITY_DESCRIPTOR_REVISION);
      SetSecurityDescriptorDacl(&open, TRUE, nullptr, FALSE);
      SECURITY_ATTRIBUTES anyone{sizeof anyone, &open, FALSE};
      changes_.Reset(CreateMutexA(&anyone, FALSE, (std::string("Global\\") + kName).c_str()));
      if (!changes_) changes_.Reset(CreateMutexA(&anyone, FALSE, kName));
    } else {
      changes_.Reset(CreateMutexA(nullptr, FALSE, kName));
    }
    if (!changes_) return LastErrorOr(ERROR_INVALID_HANDLE);
  }
  switch (WaitForSingleObject(changes_.get(), waitMs)) {
    case WAIT_OBJECT_0:
    case WAIT_ABANDONED:
      return ERROR_SUCCESS;
    case WAIT_TIMEOUT:
      return WAIT_TIMEOUT;
    default:
      return LastErrorOr(ERROR_INVALID_HANDLE);
  }
}

void Win32FileSystem::UnlockChanges() { ReleaseMutex(changes_.get()); }

}  // namespace tw
