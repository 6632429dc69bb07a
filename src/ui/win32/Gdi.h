#pragma once
// Move-only owners of GDI objects and device contexts, and the off-screen
// canvas that every custom-painted window draws through so that nothing
// flickers: a copy would free an object twice.
#include <windows.h>

#include <utility>

#include "platform/win32/Handles.h"

namespace tw::ui {

using UniqueBrush = Unique<HBRUSH, &DeleteObject>;
using UniquePen = Unique<HPEN, &DeleteObject>;
using UniqueFont = Unique<HFONT, &DeleteObject>;
using UniqueBitmap = Unique<HBITMAP, &DeleteObject>;
using UniqueRegion = Unique<HRGN, &DeleteObject>;
using UniqueIcon = Unique<HICON, &DestroyIcon>;
// A memory DC: UniqueDc(CreateCompatibleDC(reference)).
using UniqueDc = Unique<HDC, &DeleteDC>;

// Selects an object into a DC for one scope.
class SelectionGuard {
 public:
  SelectionGuard(HDC dc, HGDIOBJ object) : dc_(dc), previous_(object ? SelectObject(dc, object) : nullptr) {}
  SelectionGuard(const SelectionGuard&) = delete;
  SelectionGuard& operator=(const SelectionGuard&) = delete;
  ~SelectionGuard() {
    if (previous_ != nullptr) SelectObject(dc_, previous_);
  }

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

class WindowDc {
 public:
  explicit WindowDc(HWND window) : window_(window), dc_(GetDC(window)) {}
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;
  ~WindowDc() {
    if (dc_ != nullptr) ReleaseDC(window_, dc_);
  }
  HDC get() const { return dc_; }

 private:
  HWND window_;
  HDC dc_;
};

class PaintDc {
 public:
  explicit PaintDc(HWND window) : window_(window) { dc_ = BeginPaint(window, &paint_); }
  PaintDc(const PaintDc&) = delete;
  PaintDc& operator=(const PaintDc&) = delete;
  ~PaintDc() { EndPaint(window_, &paint_); }
  HDC get() const { return dc_; }
  const RECT& area() const { return paint_.rcPaint; }

 private:
  HWND window_;
  PAINTSTRUCT paint_{};
  HDC dc_ = nullptr;
};

// Draw into dc() with the target's coordinates; the destructor copies the
// rectangle to the target in one blit. Falls back to drawing straight on the
// target if the off-screen bitmap cannot be had.
class MemoryCanvas {
 public:
  MemoryCanvas(HDC target, const RECT& area) : target_(target), area_(area) {
    const int width = area.right - area.left, height = area.bottom - area.top;
    if (width <= 0 || height <= 0) return;
    memory_.Reset(CreateCompatibleDC(target));
    if (!memory_) return;
    bitmap_.Reset(CreateCompatibleBitmap(target, width, height));
    if (!bitmap_) {
      memory_.Reset();
      return;
    }
    previous_ = SelectObject(memory_.get(), bitmap_.get());
    SetWindowOrgEx(memory_.get(), area.left, area.top, nullptr);
  }
  MemoryCanvas(const MemoryCanvas&) = delete;
  MemoryCanvas& operator=(const MemoryCanvas&) = delete;
  ~MemoryCanvas() {
    if (!memory_) return;
    BitBlt(target_, area_.left, area_.top, area_.right - area_.left, area_.bottom - area_.top, memory_.get(),
           area_.left, area_.top, SRCCOPY);
    SelectObject(memory_.get(), previous_);
  }
  HDC dc() const { return memory_ ? memory_.get() : target_; }

 private:
  HDC target_;
  RECT area_;
  UniqueDc memory_;
  UniqueBitmap bitmap_;
  HGDIOBJ previous_ = nullptr;
};

// Draws what was drawn in pixels of 96 DPI (`designed`) over `onScreen`
// pixels, its size at the screen's DPI. While it lasts, the DC takes lengths
// in those design pixels with their origin at `origin` (a point in the DC's
// coordinates as they were), and GDI grows them, font heights and pen widths
// included; the design's whole size maps exactly onto the size on screen, so
// that a control's drawing fills its window to the last pixel. At its end the
// DC's mapping is as it was: a memory canvas's copy to the screen comes after.
class ScaledDrawing {
 public:
  ScaledDrawing(HDC dc, SIZE designed, SIZE onScreen, POINT origin) : dc_(dc) {
    GetWindowOrgEx(dc, &windowOrigin_);
    GetViewportOrgEx(dc, &viewportOrigin_);
    // Unscaled (96 DPI) the mapping stays the plain one: the drawing is exactly what it always was.
    if ((designed.cx != onScreen.cx || designed.cy != onScreen.cy) && designed.cx > 0 && designed.cy > 0) {
      mapMode_ = SetMapMode(dc, MM_ANISOTROPIC);
      SetWindowExtEx(dc, designed.cx, designed.cy, nullptr);
      SetViewportExtEx(dc, onScreen.cx, onScreen.cy, nullptr);
    }
    SetWindowOrgEx(dc, 0, 0, nullptr);
    SetViewportOrgEx(dc, viewportOrigin_.x + origin.x - windowOrigin_.x, viewportOrigin_.y + origin.y - windowOrigin_.y,
                     nullptr);
  }
  ScaledDrawing(const ScaledDrawing&) = delete;
  ScaledDrawing& operator=(const ScaledDrawing&) = delete;
  ~ScaledDrawing() {
    if (mapMode_ != 0) SetMapMode(dc_, mapMode_);
    SetWindowOrgEx(dc_, windowOrigin_.x, windowOrigin_.y, nullptr);
    SetViewportOrgEx(dc_, viewportOrigin_.x, viewportOrigin_.y, nullptr);
  }

 private:
  HDC dc_;
  POINT windowOrigin_{}, viewportOrigin_{};
  int mapMode_ = 0;  // the one to go back to; 0 when it was never changed
};

}  // namespace tw::ui
