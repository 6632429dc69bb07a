#pragma once
// What the navigation surface is drawn with: its palette, fonts and icons, and
// the few shapes everything on it is made of. All sizes are pixels at 96 DPI:
// the surface draws through ui::ScaledDrawing, which grows the layout, the
// shapes and the fonts together to the screen's DPI.
#include <windows.h>

#include <initializer_list>
#include <string>
#include <string_view>

#include "ui/win32/Gdi.h"

namespace tw::nav {

// The palette of the icon: deep-sea blue, a lighter wave blue, white. Text
// holds a contrast of at least 4.5:1 against what it stands on, secondary
// text (headings, hints, the status bar) included.
namespace palette {
constexpr COLORREF kDeep = RGB(0x0B, 0x53, 0x94);
constexpr COLORREF kAccent = RGB(0x1C, 0x7E, 0xD6);
constexpr COLORREF kAccentText = RGB(0x16, 0x68, 0xB3);  // the accent for small text
constexpr COLORREF kAccentHover = RGB(0x19, 0x71, 0xC2);
constexpr COLORREF kTitleHover = RGB(0x1F, 0x66, 0xA6);
constexpr COLORREF kTitlePressed = RGB(0x08, 0x44, 0x7A);
constexpr COLORREF kCloseHover = RGB(0xC4, 0x2B, 0x1C);
constexpr COLORREF kClosePressed = RGB(0x9E, 0x23, 0x17);
constexpr COLORREF kWhite = RGB(0xFF, 0xFF, 0xFF);
constexpr COLORREF kSide = RGB(0xF3, 0xF6, 0xFA);
constexpr COLORREF kRule = RGB(0xDC, 0xE4, 0xED);
constexpr COLORREF kItemText = RGB(0x23, 0x36, 0x4A);
constexpr COLORREF kItemHover = RGB(0xE4, 0xED, 0xF7);
constexpr COLORREF kItemPressed = RGB(0xD2, 0xE2, 0xF3);
constexpr COLORREF kItemSelected = RGB(0xDA, 0xE9, 0xFA);
constexpr COLORREF kHeading = RGB(0x5B, 0x6D, 0x80);
constexpr COLORREF kHero = RGB(0xEA, 0xF3, 0xFC);
constexpr COLORREF kHeroWave = RGB(0xD5, 0xE7, 0xF8);
constexpr COLORREF kHeadline = RGB(0x0B, 0x2A, 0x4A);
constexpr COLORREF kBody = RGB(0x4A, 0x60, 0x76);
constexpr COLORREF kMuted = RGB(0x5E, 0x70, 0x84);
constexpr COLORREF kCardBorder = RGB(0xD3, 0xDE, 0xEA);
constexpr COLORREF kShadow1 = RGB(0xE2, 0xE9, 0xF1);
constexpr COLORREF kShadow2 = RGB(0xEF, 0xF3, 0xF8);
constexpr COLORREF kTile = RGB(0xF7, 0xFA, 0xFD);
constexpr COLORREF kTileBorder = RGB(0xE1, 0xE9, 0xF2);
constexpr COLORREF kEmblem = RGB(0xDD, 0xEB, 0xFA);
constexpr COLORREF kButtonBorder = RGB(0xB7, 0xC9, 0xDC);
constexpr COLORREF kButtonHover = RGB(0xEF, 0xF5, 0xFC);
constexpr COLORREF kButtonPressed = RGB(0xDF, 0xEB, 0xF8);
constexpr COLORREF kEdge = RGB(0x8F, 0xA6, 0xBE);
constexpr COLORREF kDanger = RGB(0xB3, 0x26, 0x1E);
constexpr COLORREF kDangerHover = RGB(0xFB, 0xEC, 0xEB);
constexpr COLORREF kDangerPressed = RGB(0xF5, 0xD9, 0xD7);
constexpr COLORREF kDangerBorder = RGB(0xE6, 0xC2, 0xBF);
}  // namespace palette

// The surface's fonts and the program's icon at its two sizes, made once per
// surface. The fonts are sized at 96 DPI, as they are drawn through the
// scaled mapping; the icons are loaded at `dpi`, so that they are drawn pixel for pixel.
struct Look {
  ui::UniqueFont brand, title, body, bold, small, heading;
  ui::UniqueIcon smallIcon, largeIcon;
  void Load(int dpi);
};

constexpr RECT Box(int x, int y, int width, int height) { return RECT{x, y, x + width, y + height}; }

void Fill(HDC dc, const RECT& rect, COLORREF color);
// A rounded rectangle; `border` CLR_INVALID for none.
void RoundBox(HDC dc, const RECT& rect, COLORREF fill, COLORREF border, int radius);
void FocusRing(HDC dc, RECT rect, COLORREF color, int radius);
void Lines(HDC dc, COLORREF color, int width, std::initializer_list<POINT> points);
// Text drawn as it stands: an "&" is just an ampersand.
void Text(HDC dc, std::string_view text, RECT rect, HFONT font, COLORREF color, UINT format);
// A control's caption, whose "&" marks its access key: underlined while
// `showAccessKey`, left out otherwise, as the system draws its own buttons.
void Caption(HDC dc, std::string_view caption, RECT rect, HFONT font, COLORREF color, UINT format,
             bool showAccessKey);
// How wide Caption() draws `caption`.
int CaptionWidth(HDC dc, std::string_view caption, HFONT font);
std::string Upper(std::string_view text);
// A gentle wave across [left, right], like the ones on the icon.
void Wave(HDC dc, int left, int right, int baseline, int amplitude, int wavelength, double phase, COLORREF color,
          int width);

// Small line glyphs, drawn about a centre point.
enum class Glyph { Minimize, Tray, Close, Home, Power };
void DrawGlyph(HDC dc, Glyph glyph, int cx, int cy, COLORREF color);

// The home view's four feature tiles.
enum class Emblem { Internet, Ram, Pinger, Settings };
void DrawTileEmblem(HDC dc, Emblem emblem, const RECT& box);

// The program's icon at (x, y), `size` pixels square.
void DrawProgramEmblem(HDC dc, const Look& look, int x, int y, int size);

}  // namespace tw::nav
