#pragma once
// The program keeps paths and file names in UTF-8, so a folder named in any
// language works. On the NT platform they reach the system as UTF-16 through
// the wide functions, with the "\\?\" prefix once a path is too long for the
// plain form; Windows 95 and 98 have no working wide functions and take them
// in the system code page.
#include <windows.h>

#include <string>
#include <string_view>

namespace tw {

bool NtPlatform();

std::wstring Utf8ToWide(std::string_view text);
std::string WideToUtf8(std::wstring_view text);
// Between the system code page and UTF-8 (the 9x side).
std::string AnsiToUtf8(std::string_view text);
std::string Utf8ToAnsi(std::string_view text);

// A full path ("C:\...", "\\server\share\...") for the wide functions: as it
// is while short, with "\\?\" (or "\\?\UNC\") in front once it nears MAX_PATH.
std::wstring SystemPath(std::string_view utf8Path);

// `name` from a library in the system folder, never from one beside the
// program (a copy planted there would run as us); null when either is missing.
// A library once loaded stays for the life of the process.
void* SystemFunctionAddress(const char* library, const char* name);
template <typename Function>
Function SystemFunction(const char* library, const char* name) {
  return reinterpret_cast<Function>(SystemFunctionAddress(library, name));
}

// The folder holding this module, without a trailing "\", in UTF-8, however
// long; empty when Windows cannot say (a path past what the 9x family holds).
std::string ModuleFolder(HMODULE module);

}  // namespace tw
