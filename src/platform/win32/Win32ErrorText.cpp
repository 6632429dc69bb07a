#include "platform/win32/Win32ErrorText.h"

#include <windows.h>

namespace tw {

std::string DescribeSystemError(long status) {
  char text[512] = {};
  const DWORD length =
      FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, static_cast<DWORD>(status),
                     0, text, sizeof text, nullptr);
  std::string words(text, length);
  // Windows writes a sentence with its full stop and line break; the message
  // puts it after "Windows error N: ", inside a sentence of its own.
  while (!words.empty() && (words.back() == '\r' || words.back() == '\n' || words.back() == ' ' || words.back() == '.')) {
    words.pop_back();
  }
  if (words.size() > 1 && words[0] >= 'A' && words[0] <= 'Z' && words[1] >= 'a' && words[1] <= 'z') {
    words[0] = static_cast<char>(words[0] - 'A' + 'a');
  }
  return words;
}

}  // namespace tw
