#include "platform/ErrorText.h"

#include <algorithm>

namespace tw {
namespace {

const char* Cause(long status) {
  switch (status) {
    case 1: return "the function is not supported on this system";
    case 2: return "the file or registry key was not found";
    case 3: return "the folder was not found";
    case 4: return "too many files are open";
    case 5: return "access is denied";
    case 6: return "the handle is not valid";
    case 8:
    case 14: return "there is not enough memory";
    case 15:
    case 21: return "the drive is not ready";
    case 19: return "the disk is write-protected";
    case 23:
    case 1392: return "the file or folder is damaged";
    case 29: return "the disk could not be written to";
    case 30: return "the disk could not be read";
    case 31: return "a device attached to the system is not working";
    case 32: return "another program is using the file";
    case 33: return "another program has locked a part of the file";
    case 39:
    case 112: return "the disk is full";
    case 53:
    case 67: return "the network path was not found";
    case 64: return "the network name is no longer available";
    case 80:
    case 183: return "a file or folder of that name already exists";
    case 82: return "the folder or file cannot be created";
    case 87: return "a parameter is not valid";
    case 123: return "a file, folder or registry key name is not valid";
    case 145: return "the folder is not empty";
    case 161: return "the path is not valid";
    case 206: return "a file or folder name is too long";
    // The registry answers "more data" for a key name past its limit.
    case 234: return "a name is longer than Windows accepts";
    case 267: return "the folder name is not valid";
    case 1009:
    case 1015: return "the registry is damaged";
    case 1010: return "the registry key is not valid";
    case 1011: return "the registry key could not be opened";
    case 1012: return "the registry key could not be read";
    case 1013: return "the registry key could not be written";
    case 1016: return "the registry could not be read from or written to the disk";
    case 1018: return "the registry key has been deleted";
    case 1117: return "a device could not be read from or written to";
    case 1450:
    case 1453: return "the system is short of resources";
    default: return nullptr;
  }
}

SystemErrorDescriber systemDescriber = nullptr;

}  // namespace

void SetSystemErrorDescriber(SystemErrorDescriber describe) { systemDescriber = describe; }

std::string ErrorText(long status) {
  std::string text = "Windows error " + std::to_string(status);
  if (const char* cause = Cause(status)) return text + ": " + cause;
  if (systemDescriber != nullptr) {
    if (const std::string words = systemDescriber(status); !words.empty()) return text + ": " + words;
  }
  return text;
}

void CountStatus(StatusCounts& counts, long status) {
  auto at = std::lower_bound(counts.begin(), counts.end(), status,
                             [](const std::pair<long, int>& count, long key) { return count.first < key; });
  if (at == counts.end() || at->first != status) at = counts.insert(at, {status, 0});
  ++at->second;
}

bool HasStatus(const StatusCounts& counts, long status) {
  return std::any_of(counts.begin(), counts.end(), [status](const auto& count) { return count.first == status; });
}

}  // namespace tw
