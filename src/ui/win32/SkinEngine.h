#pragma once
// Our small skin engine: reads the skin file (one section per object name, with
// colours, font and border) and gives a window the look of a named object.
// Without a skin file, or for an object the file does not define, nothing
// changes: every window keeps the plain system look and works the same.
#include <windows.h>

#include <string>
#include <string_view>

namespace tw::ui {

class SkinEngine {
 public:
  SkinEngine() = default;
  SkinEngine(const SkinEngine&) = delete;
  SkinEngine& operator=(const SkinEngine&) = delete;
  ~SkinEngine();

  // Loads the skin file; false (and no skin) when it is missing or unreadable.
  bool LoadSkinFile(const std::string& path);
  // Gives `window` the look of `objectName`; false when there is no such object.
  bool ApplySkin(HWND window, std::string_view objectName);

 private:
  struct Impl;
  Impl* impl_ = nullptr;
};

}  // namespace tw::ui
