#include "app/win32/NavigationDrawing.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "core/Numbers.h"

#include "ui/win32/Fonts.h"

namespace tw::nav {
namespace {

using ui::SelectionGuard;
using ui::UniqueBrush;
using ui::UniquePen;

HICON LoadProgramIcon(int size) {
  return static_cast<HICON>(
      LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(1), IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
}

}  // namespace

void Look::Load(int dpi) {
  // Heights in pixels, not points: the layout is in pixels too.
  brand = ui::MakeFont(16, true);
  title = ui::MakeFont(23, true);
  body = ui::MakeFont(ui::kBodyFontPixels, false);
  bold = ui::MakeFont(ui::kBodyFontPixels, true);
  small = ui::MakeFont(12, false);
  heading = ui::MakeFont(11, true);
  smallIcon.Reset(LoadProgramIcon(ui::ScalePixels(24, dpi)));
  largeIcon.Reset(LoadProgramIcon(ui::ScalePixels(48, dpi)));
}

void Fill(HDC dc, const RECT& rect, COLORREF color) {
  UniqueBrush brush(CreateSolidBrush(color));
  FillRect(dc, &rect, brush.get());
}

void RoundBox(HDC dc, const RECT& rect, COLORREF fill, COLORREF border, int radius) {
  UniqueBrush brush(CreateSolidBrush(fill));
  UniquePen pen(CreatePen(PS_SOLID, 1, border == CLR_INVALID ? fill : border));
  SelectionGuard brushGuard(dc, brush.get());
  SelectionGuard penGuard(dc, pen.get());
  RoundRect(dc, rect.left, rect.top, rect.right, rect.bottom, radius * 2, radius * 2);
}

void FocusRing(HDC dc, RECT rect, COLORREF color, int radius) {
  InflateRect(&rect, -2, -2);
  UniquePen pen(CreatePen(PS_SOLID, 1, color));
  SelectionGuard penGuard(dc, pen.get());
  SelectionGuard brushGuard(dc, GetStockObject(NULL_BRUSH));
  RoundRect(dc, rect.left, rect.top, rect.right, rect.bottom, radius * 2, radius * 2);
}

void Lines(HDC dc, COLORREF color, int width, std::initializer_list<POINT> points) {
  UniquePen pen(CreatePen(PS_SOLID, width, color));
  SelectionGuard penGuard(dc, pen.get());
  Polyline(dc, points.begin(), static_cast<int>(points.size()));
}

void Text(HDC dc, std::string_view text, RECT rect, HFONT font, COLORREF color, UINT format) {
  SelectionGuard fontGuard(dc, font);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, color);
  DrawTextA(dc, text.data(), static_cast<int>(text.size()), &rect, format | DT_NOPREFIX);
}

void Caption(HDC dc, std::string_view caption, RECT rect, HFONT font, COLORREF color, UINT format,
             bool showAccessKey) {
  SelectionGuard fontGuard(dc, font);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, color);
  const UINT prefix = showAccessKey ? 0 : DT_HIDEPREFIX;
  DrawTextA(dc, caption.data(), static_cast<int>(caption.size()), &rect, format | prefix);
}

int CaptionWidth(HDC dc, std::string_view caption, HFONT font) {
  SelectionGuard fontGuard(dc, font);
  RECT rect{};
  DrawTextA(dc, caption.data(), static_cast<int>(caption.size()), &rect, DT_SINGLELINE | DT_CALCRECT);
  return rect.right - rect.left;
}

std::string Upper(std::string_view text) {
  std::string upper(text);
  for (char& c : upper) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return upper;
}

void Wave(HDC dc, int left, int right, int baseline, int amplitude, int wavelength, double phase, COLORREF color,
          int width) {
  std::vector<POINT> points;
  for (int x = left; x <= right; x += 4) {
    const double angle = phase + 2.0 * 3.14159265358979 * (x - left) / wavelength;
    points.push_back({x, baseline + static_cast<int>(RoundHalfAway(amplitude * std::sin(angle)))});
  }
  UniquePen pen(CreatePen(PS_SOLID, width, color));
  SelectionGuard penGuard(dc, pen.get());
  Polyline(dc, points.data(), static_cast<int>(points.size()));
}

void DrawGlyph(HDC dc, Glyph glyph, int cx, int cy, COLORREF color) {
  switch (glyph) {
    case Glyph::Minimize:
      Lines(dc, color, 1, {{cx - 5, cy}, {cx + 6, cy}});
      break;
    case Glyph::Tray:
      Lines(dc, color, 1, {{cx, cy - 6}, {cx, cy + 2}});
      Lines(dc, color, 1, {{cx - 4, cy - 2}, {cx, cy + 2}, {cx + 5, cy - 3}});
      Lines(dc, color, 1, {{cx - 6, cy + 5}, {cx + 7, cy + 5}});
      break;
    case Glyph::Close:
      Lines(dc, color, 1, {{cx - 5, cy - 5}, {cx + 6, cy + 6}});
      Lines(dc, color, 1, {{cx + 5, cy - 5}, {cx - 6, cy + 6}});
      break;
    case Glyph::Home:
      Lines(dc, color, 1, {{cx - 7, cy}, {cx, cy - 7}, {cx + 8, cy + 1}});
      Lines(dc, color, 1, {{cx - 5, cy - 2}, {cx - 5, cy + 6}, {cx + 5, cy + 6}, {cx + 5, cy - 3}});
      Lines(dc, color, 1, {{cx - 1, cy + 6}, {cx - 1, cy + 2}, {cx + 2, cy + 2}, {cx + 2, cy + 6}});
      break;
    case Glyph::Power: {
      UniquePen pen(CreatePen(PS_SOLID, 1, color));
      SelectionGuard penGuard(dc, pen.get());
      // An open ring, drawn anticlockwise from its upper left to its upper right.
      Arc(dc, cx - 6, cy - 5, cx + 7, cy + 8, cx - 3, cy - 6, cx + 4, cy - 6);
      Lines(dc, color, 1, {{cx, cy - 7}, {cx, cy + 2}});
      break;
    }
  }
}

void DrawTileEmblem(HDC dc, Emblem emblem, const RECT& box) {
  RoundBox(dc, box, palette::kEmblem, CLR_INVALID, 8);
  const int x = box.left, y = box.top;
  const COLORREF ink = palette::kAccent;
  switch (emblem) {
    case Emblem::Internet:  // rising signal bars
      for (int bar = 0; bar < 4; ++bar) {
        const int height = 5 + bar * 4;
        Fill(dc, Box(x + 9 + bar * 5, y + 27 - height, 3, height), ink);
      }
      break;
    case Emblem::Ram:  // a memory chip
      RoundBox(dc, Box(x + 10, y + 11, 16, 14), palette::kEmblem, ink, 2);
      for (int pin = 0; pin < 4; ++pin) {
        Lines(dc, ink, 1, {{x + 12 + pin * 4, y + 7}, {x + 12 + pin * 4, y + 10}});
        Lines(dc, ink, 1, {{x + 12 + pin * 4, y + 26}, {x + 12 + pin * 4, y + 29}});
      }
      break;
    case Emblem::Pinger:  // a pulse
      Lines(dc, ink, 2, {{x + 7, y + 19}, {x + 13, y + 19}, {x + 16, y + 11}, {x + 20, y + 26}, {x + 23, y + 17},
                         {x + 29, y + 17}});
      break;
    case Emblem::Settings:  // sliders
      for (int row = 0; row < 3; ++row) {
        const int lineY = y + 11 + row * 7;
        Lines(dc, ink, 1, {{x + 8, lineY}, {x + 28, lineY}});
        const int knob = x + 12 + ((row * 7) % 13);
        Fill(dc, Box(knob, lineY - 2, 4, 5), ink);
      }
      break;
  }
}

void DrawProgramEmblem(HDC dc, const Look& look, int x, int y, int size) {
  HICON icon = size <= 24 ? look.smallIcon.get() : look.largeIcon.get();
  if (icon != nullptr) {
    DrawIconEx(dc, x, y, icon, size, size, 0, nullptr, DI_NORMAL);
    return;
  }
  // No icon resource (a test program): the same tile and wave, drawn.
  RoundBox(dc, Box(x, y, size, size), palette::kDeep, CLR_INVALID, size / 5);
  Wave(dc, x + size / 6, x + size - size / 6, y + size / 2, size / 10, size * 2 / 3, 3.14159, palette::kWhite,
       std::max(1, size / 12));
}

}  // namespace tw::nav
