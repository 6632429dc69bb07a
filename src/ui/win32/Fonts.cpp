#include "ui/win32/Fonts.h"

#include <vector>

namespace tw::ui {
namespace {

HFONT SharedFont(int dpi, bool bold) {
  // A handful at most: the screen's DPI, and whatever a test lays out at.
  struct Made {
    int dpi;
    bool bold;
    UniqueFont font;
  };
  static std::vector<Made> fonts;
  for (const Made& made : fonts) {
    if (made.dpi == dpi && made.bold == bold) return made.font.get();
  }
  fonts.push_back({dpi, bold, MakeFont(ScaleFontPixels(kBodyFontPixels, dpi), bold)});
  return fonts.back().font.get();
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
