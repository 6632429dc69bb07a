#pragma once
// Our small skin engine: reads the skin file (one section per object name, with
// colours, font and border) and gives a window the look of a named object.
// Without a skin file, or for an object the file does not define, nothing
// changes: every window keeps the plain system look and works the same.
//
// A skinned window keeps its look until it is destroyed, even if the engine
// goes first or loads another file: each window holds what it paints with.
#include <windows.h>

#include <string>
#include <string_view>

#include "ui/Dpi.h"

namespace tw::ui {

class SkinFile;

class SkinEngine {
 public:
  // The skin's points, border widths and the marks it draws grow with `dpi`
  // from their size at 96, as the layouts they dress do.
  explicit SkinEngine(int dpi = kDesignDpi);
  SkinEngine(const SkinEngine&) = delete;
  SkinEngine& operator=(const SkinEngine&) = delete;
  ~SkinEngine();

  // Loads the skin file (a UTF-8 path); false (and no skin) when it is missing or unreadable.
  bool LoadSkinFile(const std::string& path);
  // The same from text already in memory.
  bool LoadSkinText(std::string_view text);
  bool HasSkin() const;

  // Gives `window` the look of `objectName`; false when there is no such object
  // (or no skin, or no window), and then the window is left exactly as it was.
  // The window keeps its behaviour, position and size: push buttons are drawn
  // by us, group boxes painted by us, check boxes and option buttons drawn by
  // us where they let their parent draw them (common controls 6), and
  // everything else is coloured through the WM_CTLCOLOR* answers of its parent.
  bool ApplySkin(HWND window, std::string_view objectName);

 private:
  struct Impl;
  Impl* impl_;
};

}  // namespace tw::ui
