// The real file system with folder names no code page holds and paths past
// MAX_PATH: where a user may well install the program.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "backup/Backup.h"
#include "platform/win32/Win32Clock.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32Registry.h"
#include "platform/win32/WidePath.h"
#include "support/wine/ScratchFolder.h"

namespace tw::test {
namespace {

TEST(WidePath, TheProgramFolderIsTheFolderOfTheExecutable) {
  char path[MAX_PATH];
  const std::string full(path, GetModuleFileNameA(nullptr, path, MAX_PATH));
  EXPECT_EQ(full.substr(0, full.find_last_of('\\')), ModuleFolder(nullptr));
  EXPECT_EQ(L"C:\\short", SystemPath("C:\\short"));
  const std::string longPath = "C:\\" + std::string(300, 'x');
  EXPECT_EQ(L"\\\\?\\" + Utf8ToWide(longPath), SystemPath(longPath));
  EXPECT_EQ(L"\\\\?\\UNC\\server\\" + std::wstring(300, L'x'), SystemPath("\\\\server\\" + std::string(300, 'x')));
}

TEST(FileSystemOnWine, ForeignAndOverlongFoldersWork) {
  if (!NtPlatform()) GTEST_SKIP() << "Windows 95 and 98 have no wide file functions";
  ScratchFolder scratch;
  Win32FileSystem files;
  // Greek and Japanese: no single-byte code page holds both.
  const std::string foreign = "\xCE\xA4\xCE\xB1\xCF\x87\xCF\x8D\xCF\x84\xCE\xB7\xCF\x84\xCE\xB1-\xE6\xB3\xA2";
  std::vector<std::string> folders{scratch.path() + "\\" + foreign};
  while (folders.back().size() < 320) folders.push_back(folders.back() + "\\" + std::string(60, 'd'));
  for (const std::string& folder : folders) ASSERT_EQ(kErrorSuccess, files.CreateFolder(folder)) << folder.size();
  const std::string& deepest = folders.back();
  EXPECT_EQ(kErrorAlreadyExists, files.CreateFolder(deepest));

  // The program's own files there: a backup taken by the real writer.
  Win32Registry registry;
  Win32Clock clock;
  const BackupResult backup = WriteBackup(registry, files, clock, deepest, FamilyOf(7));
  ASSERT_EQ(BackupProblem::None, backup.problem) << backup.error;
  EXPECT_EQ(deepest + "\\Backups\\001.BCK", backup.path);

  const std::string note = deepest + "\\" + foreign + ".txt";
  EXPECT_EQ(kErrorSuccess, files.WriteNewFile(note, "abc"));
  std::vector<FileEntry> entries;
  ASSERT_EQ(kErrorSuccess, files.FindFiles(deepest + "\\*.txt", entries));
  ASSERT_EQ(1u, entries.size());
  EXPECT_EQ(foreign + ".txt", entries[0].name) << "names come back in UTF-8";
  EXPECT_EQ(kErrorSuccess, files.RenameFile(note, deepest + "\\renamed.txt"));
  EXPECT_EQ(kErrorSuccess, files.RemoveFile(deepest + "\\renamed.txt"));
  EXPECT_EQ(kErrorFileNotFound, files.RemoveFile(deepest + "\\renamed.txt"));
  DeleteFolderTree(folders.front());
  EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(SystemPath(folders.front()).c_str())) << "all gone";
}

}  // namespace
}  // namespace tw::test
