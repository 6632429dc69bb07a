#pragma once
// A fresh, empty folder under the temporary folder for one test, deleted with
// everything in it afterwards: the stand-in for the program folder.
#include <string>
#include <vector>

namespace tw::test {

class ScratchFolder {
 public:
  ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  ~ScratchFolder();

  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

// Deletes a folder and everything below it.
void DeleteFolderTree(const std::string& path);
// A whole file's bytes; empty when it cannot be read.
std::string ReadWholeFile(const std::string& path);
// The names of the entries of a folder matching `pattern` ("*.BCK"), sorted.
std::vector<std::string> FolderEntries(const std::string& folder, const char* pattern = "*");

}  // namespace tw::test
