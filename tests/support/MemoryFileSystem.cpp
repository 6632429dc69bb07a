#include "support/MemoryFileSystem.h"

#include <algorithm>
#include <cctype>

namespace tw::test {
namespace {

char Lower(char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); }

// '*' and '?' as FindFirstFileA takes them, without regard to case.
bool Matches(std::string_view pattern, std::string_view name) {
  if (pattern.empty()) return name.empty();
  if (pattern.front() == '*') {
    for (std::size_t skip = 0; skip <= name.size(); ++skip) {
      if (Matches(pattern.substr(1), name.substr(skip))) return true;
    }
    return false;
  }
  if (name.empty()) return false;
  if (pattern.front() != '?' && Lower(pattern.front()) != Lower(name.front())) return false;
  return Matches(pattern.substr(1), name.substr(1));
}

std::string_view Leaf(std::string_view path) {
  const auto slash = path.find_last_of('\\');
  return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

}  // namespace

bool MemoryFileSystem::Less::operator()(const std::string& a, const std::string& b) const {
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                      [](char x, char y) { return Lower(x) < Lower(y); });
}

std::string MemoryFileSystem::Parent(std::string_view path) {
  const auto slash = path.find_last_of('\\');
  return slash == std::string_view::npos ? std::string() : std::string(path.substr(0, slash));
}

bool MemoryFileSystem::Writable(std::string_view path) const {
  for (std::string folder = Parent(path); !folder.empty(); folder = Parent(folder)) {
    if (deniedFolders_.count(folder) != 0) return false;
  }
  return true;
}

long MemoryFileSystem::CreateFolder(std::string_view path) {
  const std::string name(path);
  if (folders_.count(name) != 0 || files_.count(name) != 0) return kErrorAlreadyExists;
  if (!FolderExists(Parent(path))) return kErrorPathNotFound;
  if (!Writable(path)) return kErrorAccessDenied;
  folders_.insert(name);
  return kErrorSuccess;
}

long MemoryFileSystem::FindFiles(std::string_view pattern, std::vector<FileEntry>& entries) {
  entries.clear();
  const std::string folder = Parent(pattern);
  if (!FolderExists(folder)) return kErrorPathNotFound;
  const std::string_view leafPattern = Leaf(pattern);
  for (const std::string& path : folders_) {
    if (Less{}(Parent(path), folder) || Less{}(folder, Parent(path))) continue;
    if (Matches(leafPattern, Leaf(path))) entries.push_back({std::string(Leaf(path)), true});
  }
  for (const auto& [path, contents] : files_) {
    if (Less{}(Parent(path), folder) || Less{}(folder, Parent(path))) continue;
    if (Matches(leafPattern, Leaf(path))) entries.push_back({std::string(Leaf(path)), false});
  }
  return entries.empty() ? emptySearch_ : kErrorSuccess;
}

long MemoryFileSystem::WriteNewFile(std::string_view path, std::string_view contents) {
  const std::string name(path);
  if (changeDepth_ == 0) ++writesOutsideChanges_;
  if (folders_.count(name) != 0) return kErrorAccessDenied;
  if (!FolderExists(Parent(path))) return kErrorPathNotFound;
  if (!Writable(path)) return kErrorAccessDenied;
  std::string& file = files_[name];
  file.clear();
  if (freeSpace_ && contents.size() > *freeSpace_) {
    file.assign(contents.substr(0, *freeSpace_));
    *freeSpace_ = 0;
    return kErrorDiskFull;
  }
  if (freeSpace_) *freeSpace_ -= contents.size();
  file.assign(contents);
  return kErrorSuccess;
}

long MemoryFileSystem::RenameFile(std::string_view from, std::string_view to) {
  const auto source = files_.find(std::string(from));
  if (source == files_.end()) return kErrorFileNotFound;
  if (renameFailure_ != kErrorSuccess) return renameFailure_;
  if (!FolderExists(Parent(to))) return kErrorPathNotFound;
  if (FileExists(to) || FolderExists(to)) return kErrorAlreadyExists;
  if (!Writable(from) || !Writable(to)) return kErrorAccessDenied;
  std::string contents = std::move(source->second);
  files_.erase(source);
  files_[std::string(to)] = std::move(contents);
  return kErrorSuccess;
}

long MemoryFileSystem::RemoveFile(std::string_view path) {
  const auto file = files_.find(std::string(path));
  if (file == files_.end()) return kErrorFileNotFound;
  if (!Writable(path)) return kErrorAccessDenied;
  files_.erase(file);
  return kErrorSuccess;
}

long MemoryFileSystem::ReadFileStart(std::string_view path, std::size_t maxBytes, std::string& contents) {
  contents.clear();
  const auto file = files_.find(std::string(path));
  if (file == files_.end()) return FolderExists(Parent(path)) ? kErrorFileNotFound : kErrorPathNotFound;
  contents = file->second.substr(0, maxBytes);
  return kErrorSuccess;
}

void MemoryFileSystem::AddFolder(std::string_view path) {
  for (std::string folder(path); !folder.empty(); folder = Parent(folder)) folders_.insert(folder);
}

void MemoryFileSystem::AddFile(std::string_view path, std::string_view contents) {
  AddFolder(Parent(path));
  files_[std::string(path)] = std::string(contents);
}

void MemoryFileSystem::DenyWrites(std::string_view folder) { deniedFolders_.insert(std::string(folder)); }

bool MemoryFileSystem::FolderExists(std::string_view path) const {
  // A drive ("C:") is always there.
  return (path.size() == 2 && path[1] == ':') || folders_.count(std::string(path)) != 0;
}

bool MemoryFileSystem::FileExists(std::string_view path) const { return files_.count(std::string(path)) != 0; }

std::string MemoryFileSystem::Contents(std::string_view path) const {
  const auto file = files_.find(std::string(path));
  return file == files_.end() ? std::string() : file->second;
}

std::vector<std::string> MemoryFileSystem::FilesIn(std::string_view folder) const {
  std::vector<std::string> names;
  for (const auto& [path, contents] : files_) {
    if (!Less{}(Parent(path), std::string(folder)) && !Less{}(std::string(folder), Parent(path))) {
      names.emplace_back(Leaf(path));
    }
  }
  return names;
}

long MemoryFileSystem::LockChanges(std::uint32_t) {
  if (heldElsewhere_) return kErrorTimeout;
  ++changeDepth_;
  return kErrorSuccess;
}

void MemoryFileSystem::UnlockChanges() { --changeDepth_; }

}  // namespace tw::test
