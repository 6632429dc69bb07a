#pragma once
// What the skin engine and its drawing share: one skin object's look made
// ready for GDI, and what the engine keeps for each window it skins.
// SkinEngine.cpp subclasses the windows and answers their messages;
// SkinDrawing.cpp paints the controls the skin draws itself.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <memory>
#include <optional>

#include "platform/win32/Handles.h"
#include "ui/Dpi.h"
#include "ui/SkinFile.h"
#include "ui/win32/Gdi.h"

namespace tw::ui::skin {

inline constexpr int kButtonCornerRadius = 4;

inline COLORREF ToColorRef(const SkinColor& color) { return RGB(color.red, color.green, color.blue); }

// One object of the skin turned into what GDI paints with, at one DPI.
struct SkinLook {
  SkinLook(const SkinObject& from, int dpi) : object(from), dpi(dpi) {
    if (object.background) background.Reset(CreateSolidBrush(ToColorRef(*object.background)));
    // Border widths are pixels at 96 DPI; a border is never thinner than the one pixel it was.
    if (object.border && object.border->width > 0) {
      object.border->width = std::max(1, ScalePixels(object.border->width, dpi));
    }
    if (object.font) {
      LOGFONTA logFont{};
      // Points as pixels at 96 DPI (10 points: the panels' 13-pixel Tahoma),
      // grown as the panels' own font is.
      logFont.lfHeight = -ScaleFontPixels(MulDiv(object.font->points, kDesignDpi, 72), dpi);
      logFont.lfWeight = object.font->bold ? FW_BOLD : FW_NORMAL;
      logFont.lfItalic = object.font->italic ? TRUE : FALSE;
      logFont.lfCharSet = DEFAULT_CHARSET;
      logFont.lfQuality = DEFAULT_QUALITY;
      lstrcpynA(logFont.lfFaceName, object.font->face.c_str(), LF_FACESIZE);
      font.Reset(CreateFontIndirectA(&logFont));
    }
  }
  COLORREF Color(const std::optional<SkinColor>& color, COLORREF fallback) const {
    return color ? ToColorRef(*color) : fallback;
  }
  // A length the skin's drawing was made with at 96 DPI.
  int Px(int pixels) const { return ScalePixels(pixels, dpi); }

  SkinObject object;
  int dpi;
  UniqueBrush background;
  UniqueFont font;
};

// How a window takes its look, by what kind of window it is.
enum class Role {
  Container,   // panels, the host frame, any window of ours: background and border
  PushButton,  // drawn by us (owner-draw), state and hover included
  GroupBox,    // painted by us: border colour and caption
  CheckMark,   // check boxes and option buttons: colours and font; drawn by us where
               // the control asks its parent (common controls 6), at a fixed size
  Colored,     // check boxes, option buttons, labels and other controls: colours and font
};

// Everything the engine keeps for one subclassed window, handed to its
// subclass and freed with the window.
struct SkinnedWindow {
  std::shared_ptr<const SkinLook> look;  // null while the window only answers for its children
  Role role = Role::Container;
  bool isDefault = false;  // a push button that was BS_DEFPUSHBUTTON
  bool notifies = false;   // a push button that had BS_NOTIFY
  bool hot = false;
  LONG captionRight = 0;  // a group box's: where its caption's background ended when last painted
};

// The state of a window the engine skins; null for any other window.
SkinnedWindow* StateOf(HWND window);

// A border of the skin drawn inside `rect`, as many pixels wide as it says.
void FrameInside(HDC dc, RECT rect, const SkinBorder& border);
bool HasVisibleBorder(const SkinLook& look);

// An owner-drawn push button, whole.
void DrawPushButton(const DRAWITEMSTRUCT& item, const SkinnedWindow& state);
// A check box or option button that asked its parent before it paints.
void DrawCheckMark(const NMCUSTOMDRAW& draw, const SkinnedWindow& state);
// A group box: its border and caption in the skin's colours.
void PaintGroupBox(HWND window, SkinnedWindow& state);

}  // namespace tw::ui::skin
