#pragma once
// A borderless pop-up shaped as a speech balloon (ui/Balloon.h): body, tail and
// a shadow that darkens what lay behind the window when it was drawn. What it
// paints lives in its own surface, a 32-bit bitmap the size of the window, so
// it is kept while the window is hidden and comes back on every repaint.
#include <windows.h>

#include <cstdint>

#include "ui/Balloon.h"
#include "ui/win32/Gdi.h"
#include "ui/win32/Window.h"

namespace tw::ui {

class BalloonSurface {
 public:
  BalloonSurface() = default;
  BalloonSurface(const BalloonSurface&) = delete;
  BalloonSurface& operator=(const BalloonSurface&) = delete;
  ~BalloonSurface();

  // A new surface of width x height, all black; false when the bitmap cannot be had.
  bool Resize(int width, int height);
  HDC dc() const { return dc_.get(); }
  int width() const { return width_; }
  int height() const { return height_; }
  // Row by row from the top, 0x00RRGGBB. Call GdiFlush after drawing through dc().
  std::uint32_t* pixels() const { return pixels_; }

 private:
  void Free();
  UniqueDc dc_;
  UniqueBitmap bitmap_;
  HGDIOBJ previous_ = nullptr;
  std::uint32_t* pixels_ = nullptr;
  int width_ = 0, height_ = 0;
};

// The shadow band drawn the plain way: one GetPixel from `behind` at
// `origin` + (x, y) and one SetPixel on the surface for every pixel of the band.
void ShadeBandPerPixel(HDC behind, POINT origin, BalloonSurface& surface, int lift);
// The same pixels from one copy of what lies behind into a bitmap, shaded in
// memory straight into the surface's pixels. False, nothing drawn, when the
// copy cannot be made.
bool ShadeBandFast(HDC behind, POINT origin, BalloonSurface& surface, int lift);

class BalloonWindow : public Window {
 public:
  ~BalloonWindow() override;

  // Places the window beside (x, y) (0 for either: the mouse cursor), draws
  // shadow, body and tail (none with `noTail`) and sets them as its region.
  void DrawBalloon(bool noTail, float x, float y, int lift);
  // Moves the window beside the point and returns the tail style for it.
  TailStyle GetPointerStyle(float x, float y);
  // Paints the tail and returns its region (none for TailStyle::None).
  UniqueRegion n_SetPointer(TailStyle style);
  // Paints the body and returns its region; the window keeps it.
  HRGN n_GetMainRect();
  // Paints the shadow band from the screen behind the window; returns its region.
  UniqueRegion n_GetShadowRect(int lift);
  // After a move: shadow and body again, from the screen at the new place, no tail.
  void n_RefreshShadow(int lift);
  // Cuts the window down to its body alone, as it is while being dragged.
  void ShowBodyOnly();

  void SetBackColour(COLORREF colour) { backColour_ = colour; }
  COLORREF BackColour() const { return backColour_; }
  TailStyle Tail() const { return tail_; }
  BalloonSurface& Surface() { return surface_; }

 protected:
  // A hidden tool window (no task-bar button) of the message window's width.
  bool CreateBalloon(const char* className, HWND owner);
  // The client height for the next drawing; the width never changes.
  void SetBalloonHeight(int height);
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  // Gives the region to the system; kept (and freed here) if it refuses it.
  void SetRegion(UniqueRegion region);

  BalloonSurface surface_;
  UniqueRegion body_;
  COLORREF backColour_ = RGB(255, 255, 204);
  TailStyle tail_ = TailStyle::None;
};

// The primary display's size in pixels (HORZRES, VERTRES).
SIZE ScreenSize();

}  // namespace tw::ui
