#include "ui/win32/BalloonWindow.h"

#include "ui/MessageLayout.h"

namespace tw::ui {
namespace {

// A top-down 32-bit DIB section, its bits in `pixels`.
HBITMAP MakeDib(HDC reference, int width, int height, std::uint32_t** pixels) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(reference, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  *pixels = static_cast<std::uint32_t*>(bits);
  return bitmap;
}

UniqueRegion RoundedRegion(const RoundedRect& r) {
  return UniqueRegion(CreateRoundRectRgn(r.left, r.top, r.right, r.bottom, r.ellipseWidth, r.ellipseHeight));
}

UniqueRegion TriangleRegion(const Triangle& triangle) {
  POINT points[3];
  for (int i = 0; i < 3; ++i) points[i] = {triangle[i].x, triangle[i].y};
  return UniqueRegion(CreatePolygonRgn(points, 3, ALTERNATE));
}

void FillWith(HDC dc, HRGN region, COLORREF colour) {
  UniqueBrush brush(CreateSolidBrush(colour));
  FillRgn(dc, region, brush.get());
}

}  // namespace

BalloonSurface::~BalloonSurface() { Free(); }

void BalloonSurface::Free() {
  if (dc_) SelectObject(dc_.get(), previous_);
  dc_.Reset();
  bitmap_.Reset();
  pixels_ = nullptr;
  width_ = height_ = 0;
}

bool BalloonSurface::Resize(int width, int height) {
  Free();
  if (width <= 0 || height <= 0) return false;
  dc_.Reset(CreateCompatibleDC(nullptr));
  if (!dc_) return false;
  bitmap_.Reset(MakeDib(dc_.get(), width, height, &pixels_));
  if (!bitmap_) {
    Free();
    return false;
  }
  previous_ = SelectObject(dc_.get(), bitmap_.get());
  width_ = width;
  height_ = height;
  return true;
}

void ShadeBandPerPixel(HDC behind, POINT origin, BalloonSurface& surface, int lift) {
  lift = BoundShadowLift(lift);
  HDC dc = surface.dc();
  ForEachShadowPixel(surface.width(), surface.height(), [&](int x, int y, int weight) {
    const COLORREF pixel = GetPixel(behind, origin.x + x, origin.y + y);
    SetPixel(dc, x, y, ShadowPixel(pixel, weight, lift));
  });
  GdiFlush();
}

bool ShadeBandFast(HDC behind, POINT origin, BalloonSurface& surface, int lift) {
  const int width = surface.width(), height = surface.height();
  UniqueDc copy(CreateCompatibleDC(behind));
  std::uint32_t* pixels = nullptr;
  UniqueBitmap bitmap(MakeDib(behind, width, height, &pixels));
  if (!copy || !bitmap) return false;
  {
    SelectionGuard selected(copy.get(), bitmap.get());
    if (!BitBlt(copy.get(), 0, 0, width, height, behind, origin.x, origin.y, SRCCOPY)) return false;
  }
  GdiFlush();
  ShadeBand(pixels, surface.pixels(), width, height, lift);
  return true;
}

SIZE ScreenSize() {
  WindowDc screen(nullptr);
  return {GetDeviceCaps(screen.get(), HORZRES), GetDeviceCaps(screen.get(), VERTRES)};
}

BalloonWindow::~BalloonWindow() = default;

bool BalloonWindow::CreateBalloon(const char* className, HWND owner) {
  WindowArgs args;
  args.className = className;
  args.caption = "";
  args.style = WS_POPUP | WS_CLIPCHILDREN;
  args.exStyle = WS_EX_TOOLWINDOW | WS_EX_CONTROLPARENT;
  args.x = 0;
  args.y = 0;
  args.width = kMsgWindowWidth;
  args.height = 100;
  args.parent = owner;
  args.background = nullptr;
  return Create(args);
}

void BalloonWindow::SetBalloonHeight(int height) {
  SetWindowPos(hwnd(), nullptr, 0, 0, kMsgWindowWidth, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

TailStyle BalloonWindow::GetPointerStyle(float x, float y) {
  RECT rect{};
  GetWindowRect(hwnd(), &rect);
  POINT cursor{};
  GetCursorPos(&cursor);
  const SIZE screen = ScreenSize();
  const BalloonPlacement place = PlaceBalloon(x, y, {cursor.x, cursor.y}, screen.cx, screen.cy,
                                              rect.right - rect.left, rect.bottom - rect.top);
  SetWindowPos(hwnd(), nullptr, place.left, place.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  return place.style;
}

void BalloonWindow::DrawBalloon(bool noTail, float x, float y, int lift) {
  RECT client{};
  GetClientRect(hwnd(), &client);
  surface_.Resize(client.right, client.bottom);
  const TailStyle placed = GetPointerStyle(x, y);
  tail_ = noTail ? TailStyle::None : placed;
  // Shadow first, while the window is still hidden at its new place: the
  // screen there is what the window will cover.
  UniqueRegion shadow = n_GetShadowRect(lift);
  HRGN body = n_GetMainRect();
  UniqueRegion tail = n_SetPointer(tail_);

  UniqueRegion shape(CreateRectRgn(0, 0, 0, 0));
  CombineRgn(shape.get(), body, shadow.get(), RGN_OR);
  if (tail) CombineRgn(shape.get(), shape.get(), tail.get(), RGN_OR);
  SetRegion(std::move(shape));
}

UniqueRegion BalloonWindow::n_GetShadowRect(int lift) {
  RECT rect{};
  GetWindowRect(hwnd(), &rect);
  WindowDc screen(nullptr);
  if (!ShadeBandFast(screen.get(), {rect.left, rect.top}, surface_, lift)) {
    ShadeBandPerPixel(screen.get(), {rect.left, rect.top}, surface_, lift);
  }
  InvalidateRect(hwnd(), nullptr, FALSE);
  return RoundedRegion(ShadowRegionRect(surface_.width(), surface_.height()));
}

HRGN BalloonWindow::n_GetMainRect() {
  const int w = surface_.width(), h = surface_.height();
  body_ = RoundedRegion(BodyRegionRect(w, h));
  HDC dc = surface_.dc();
  FillWith(dc, body_.get(), RGB(70, 70, 70));
  UniqueBrush brush(CreateSolidBrush(backColour_));
  {
    SelectionGuard selected(dc, brush.get());
    const RoundedRect paint = BodyPaintRect(w, h);
    RoundRect(dc, paint.left, paint.top, paint.right, paint.bottom, paint.ellipseWidth, paint.ellipseHeight);
  }
  GdiFlush();
  InvalidateRect(hwnd(), nullptr, FALSE);
  return body_.get();
}

UniqueRegion BalloonWindow::n_SetPointer(TailStyle style) {
  if (style == TailStyle::None) return {};
  const int w = surface_.width(), h = surface_.height();
  UniqueRegion outer = TriangleRegion(OuterTail(style, w, h));
  UniqueRegion inner = TriangleRegion(InnerTail(style, w, h));
  FillWith(surface_.dc(), outer.get(), RGB(0, 0, 0));
  FillWith(surface_.dc(), inner.get(), backColour_);
  GdiFlush();
  InvalidateRect(hwnd(), nullptr, FALSE);
  return outer;
}

void BalloonWindow::n_RefreshShadow(int lift) {
  tail_ = TailStyle::None;
  UniqueRegion shadow = n_GetShadowRect(lift);
  HRGN body = n_GetMainRect();
  UniqueRegion shape(CreateRectRgn(0, 0, 0, 0));
  CombineRgn(shape.get(), body, shadow.get(), RGN_OR);
  SetRegion(std::move(shape));
}

void BalloonWindow::ShowBodyOnly() {
  if (!body_) return;
  UniqueRegion copy(CreateRectRgn(0, 0, 0, 0));
  CombineRgn(copy.get(), body_.get(), nullptr, RGN_COPY);
  SetRegion(std::move(copy));
}

void BalloonWindow::SetRegion(UniqueRegion region) {
  // From a successful SetWindowRgn on the region is the system's.
  if (SetWindowRgn(hwnd(), region.get(), TRUE)) (void)region.Release();
}

LRESULT BalloonWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: {
      PaintDc paint(hwnd());
      if (surface_.dc() != nullptr) {
        BitBlt(paint.get(), 0, 0, surface_.width(), surface_.height(), surface_.dc(), 0, 0, SRCCOPY);
      }
      return 0;
    }
  }
  return Window::OnMessage(message, wParam, lParam);
}

}  // namespace tw::ui
