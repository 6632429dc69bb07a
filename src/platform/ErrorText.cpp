#include "platform/ErrorText.h"

namespace tw {
namespace {

const char* Cause(long status) {
  switch (status) {
    case 2: return "the file or registry key was not found";
    case 3: return "the folder was not found";
    case 5: return "access is denied";
    case 19: return "the disk is write-protected";
    case 32: return "another program is using the file";
    case 39:
    case 112: return "the disk is full";
    case 123: return "a file, folder or registry key name is not valid";
    case 161: return "the path is not valid";
    case 206: return "a file or folder name is too long";
    // The registry answers "more data" for a key name past its limit.
    case 234: return "a name is longer than Windows accepts";
    case 1009: return "the registry is damaged";
    case 1010: return "the registry key is not valid";
    case 1392: return "the file or folder is damaged";
    default: return nullptr;
  }
}

}  // namespace

std::string ErrorText(long status) {
  std::string text = "Windows error " + std::to_string(status);
  if (const char* cause = Cause(status)) text += std::string(": ") + cause;
  return text;
}

}  // namespace tw
