// The shadow of a 360 x 200 balloon, drawn from the real screen both ways in
// one run: pixel by pixel (a GetPixel and a SetPixel for every pixel of the
// band) and from one copy of the screen into a bitmap, shaded in memory.
// Prints the median time of each and their ratio; checks they drew the same.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "ui/win32/BalloonWindow.h"

namespace {

double Seconds(LARGE_INTEGER from, LARGE_INTEGER to) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

template <typename Draw>
double Median(int runs, Draw draw) {
  std::vector<double> times;
  for (int i = 0; i < runs; ++i) {
    LARGE_INTEGER start, end;
    QueryPerformanceCounter(&start);
    draw();
    QueryPerformanceCounter(&end);
    times.push_back(Seconds(start, end));
  }
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  constexpr int kWidth = 360, kHeight = 200;
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 9;
  tw::ui::BalloonSurface perPixel, fast;
  if (!perPixel.Resize(kWidth, kHeight) || !fast.Resize(kWidth, kHeight)) {
    std::fprintf(stderr, "no surface\n");
    return 1;
  }
  HDC screen = GetDC(nullptr);
  const POINT origin{100, 100};
  const double slow = Median(runs, [&] { tw::ui::ShadeBandPerPixel(screen, origin, perPixel, 0); });
  const double quick = Median(runs * 10, [&] { tw::ui::ShadeBandFast(screen, origin, fast, 0); });
  ReleaseDC(nullptr, screen);
  GdiFlush();
  const bool same =
      std::memcmp(perPixel.pixels(), fast.pixels(), sizeof(std::uint32_t) * kWidth * kHeight) == 0;

  std::printf("Balloon shadow, %d x %d, from the screen (median of %d and %d runs)\n", kWidth, kHeight, runs,
              runs * 10);
  std::printf("  pixel by pixel:   %10.3f ms\n", slow * 1000);
  std::printf("  one copy:         %10.3f ms\n", quick * 1000);
  std::printf("  ratio:            %10.1f x\n", quick > 0 ? slow / quick : 0.0);
  std::printf("  same pixels:      %s\n", same ? "yes" : "NO");
  return same ? 0 : 1;
}
