#include "ui/win32/Fonts.h"

#include <map>
#include <utility>

namespace tw::ui {
namespace {

HFONT SharedFont(int dpi, bool bold) {
  // A handful at most: the screen's DPI, and whatever a test lays out at.
  static std::map<std::pair<int, bool>, UniqueFont> fonts;
  UniqueFont& font = fonts[{dpi, bold}];
  if (!font) font = MakeFont(ScaleFontPixels(kBodyFontPixels, dpi), bold);
  return font.get();
}

}  // namespace

UniqueFont MakeFont(int pixels, bool bold) {
  LOGFONTA font{};
  font.lfHeight = -pixels;
  font.lfWeight = bold ? FW_BOLD : FW_NORMAL;
  font.lfCharSet = DEFAULT_CHARSET;
  font.lfQuality = DEFAULT_QUALITY;
  lstrcpynA(font.lfFaceName, "Tahoma", LF_FACESIZE);
  return UniqueFont(CreateFontIndirectA(&font));
}

HFONT BodyFont(int dpi) { return SharedFont(dpi, false); }

HFONT BoldFont(int dpi) { return SharedFont(dpi, true); }

int ScreenDpi() {
  static const int dpi = [] {
    WindowDc screen(nullptr);
    return UsableDpi(screen.get() != nullptr ? GetDeviceCaps(screen.get(), LOGPIXELSY) : kDesignDpi);
  }();
  return dpi;
}

}  // namespace tw::ui
