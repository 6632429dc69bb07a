#include "platform/win32/WidePath.h"

namespace tw {
namespace {

std::wstring ToWide(std::string_view text, UINT codePage) {
  if (text.empty()) return {};
  const int size = MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(size), L'\0');
  MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), wide.data(), size);
  return wide;
}

std::string FromWide(std::wstring_view text, UINT codePage) {
  if (text.empty()) return {};
  const int size =
      WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string narrow(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), narrow.data(), size, nullptr, nullptr);
  return narrow;
}

// CreateDirectory takes 12 characters fewer than MAX_PATH (room for an 8.3
// name inside); past that, only the prefixed form reaches the file system.
constexpr std::size_t kPlainPathLimit = MAX_PATH - 12;

}  // namespace

bool NtPlatform() { return (GetVersion() & 0x80000000u) == 0; }

std::wstring Utf8ToWide(std::string_view text) { return ToWide(text, CP_UTF8); }
std::string WideToUtf8(std::wstring_view text) { return FromWide(text, CP_UTF8); }
std::string AnsiToUtf8(std::string_view text) { return WideToUtf8(ToWide(text, CP_ACP)); }
std::string Utf8ToAnsi(std::string_view text) { return FromWide(Utf8ToWide(text), CP_ACP); }

std::wstring SystemPath(std::string_view utf8Path) {
  std::wstring path = Utf8ToWide(utf8Path);
  if (path.size() < kPlainPathLimit || path.starts_with(L"\\\\?\\")) return path;
  if (path.starts_with(L"\\\\")) return L"\\\\?\\UNC\\" + path.substr(2);
  return L"\\\\?\\" + path;
}

std::string ModuleFolder(HMODULE module) {
  std::string path;
  if (NtPlatform()) {
    // The path may be longer than MAX_PATH; a full buffer means it was cut.
    std::wstring wide(MAX_PATH, L'\0');
    for (;;) {
      const DWORD length = GetModuleFileNameW(module, wide.data(), static_cast<DWORD>(wide.size()));
      if (length == 0) return {};
      if (length < wide.size()) {
        wide.resize(length);
        break;
      }
      if (wide.size() >= 32768) return {};
      wide.resize(wide.size() * 2);
    }
    if (wide.starts_with(L"\\\\?\\UNC\\")) {
      wide.replace(0, 8, L"\\\\");
    } else if (wide.starts_with(L"\\\\?\\")) {
      wide.erase(0, 4);
    }
    path = WideToUtf8(wide);
  } else {
    char ansi[MAX_PATH + 1];
    const DWORD length = GetModuleFileNameA(module, ansi, MAX_PATH + 1);
    if (length == 0 || length > MAX_PATH) return {};
    path = AnsiToUtf8(std::string_view(ansi, length));
  }
  const std::size_t slash = path.find_last_of('\\');
  return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

void* SystemFunctionAddress(const char* library, const char* name) {
  char folder[MAX_PATH];
  const UINT length = GetSystemDirectoryA(folder, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return nullptr;
  HMODULE module = LoadLibraryA((std::string(folder, length) + "\\" + library).c_str());
  return module != nullptr ? reinterpret_cast<void*>(GetProcAddress(module, name)) : nullptr;
}

}  // namespace tw
