#include "ui/win32/Fonts.h"

namespace tw::ui {

UniqueFont MakeFont(int pixels, bool bold) {
  LOGFONTA font{};
  font.lfHeight = -pixels;
  font.lfWeight = bold ? FW_BOLD : FW_NORMAL;
  font.lfCharSet = DEFAULT_CHARSET;
  font.lfQuality = DEFAULT_QUALITY;
  lstrcpynA(font.lfFaceName, "Tahoma", LF_FACESIZE);
  return UniqueFont(CreateFontIndirectA(&font));
}

HFONT BodyFont() {
  static const UniqueFont font = MakeFont(kBodyFontPixels, false);
  return font.get();
}

HFONT BoldFont() {
  static const UniqueFont font = MakeFont(kBodyFontPixels, true);
  return font.get();
}

}  // namespace tw::ui
