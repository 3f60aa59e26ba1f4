// Times the work of the tick that takes a picture: GrabScreen, DrawCursor
// and the cut, each alone and together, on the primary screen as it is
// (run it on a 1920 x 1080 display). Prints the median and the slowest of
// a number of runs in milliseconds.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

#include "capture/capture_geometry.h"
#include "capture/win/screen_win.h"
#include "editor/picture_load.h"

namespace {

double Millis(LARGE_INTEGER from, LARGE_INTEGER to, LARGE_INTEGER freq) {
  return 1000.0 * static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(freq.QuadPart);
}

void Measure(const char* name, int runs, const std::function<void()>& work) {
  LARGE_INTEGER freq;
  QueryPerformanceFrequency(&freq);
  work();  // warm-up
  std::vector<double> times;
  for (int i = 0; i < runs; ++i) {
    LARGE_INTEGER a, b;
    QueryPerformanceCounter(&a);
    work();
    QueryPerformanceCounter(&b);
    times.push_back(Millis(a, b, freq));
  }
  std::sort(times.begin(), times.end());
  std::printf("%-34s median %7.2f ms   max %7.2f ms   (%d runs)\n", name, times[times.size() / 2],
              times.back(), runs);
}

}  // namespace

int main() {
  using namespace ksv;
  const Size screen = capture::PrimaryScreenSize();
  std::printf("primary screen %d x %d\n", screen.width, screen.height);
  const int runs = 30;
  const HCURSOR arrow = LoadCursorW(nullptr, IDC_ARROW);
  Raster shot = capture::GrabScreen();

  Measure("GrabScreen", runs, [] { capture::GrabScreen(); });
  Measure("DrawCursor (arrow, mid-screen)", runs, [&] {
    capture::DrawCursorAt(shot, arrow, POINT{screen.width / 2, screen.height / 2});
  });
  Measure("cut 1280 x 720 window", runs, [&] {
    Raster p = capture::CropPicture(shot, {100, 100, 1380, 820});
    (void)p;
  });
  Measure("region cut, whole screen", runs, [&] {
    Raster p = editor::CutRegion(shot, {0, 0}, {screen.width - 1, screen.height - 1});
    (void)p;
  });
  Measure("tick: grab + cursor + cut", runs, [&] {
    Raster working = capture::GrabScreen();
    capture::DrawCursorAt(working, arrow, POINT{screen.width / 2, screen.height / 2});
    Raster p = capture::CropPicture(working, {100, 100, 1380, 820});
    (void)p;
  });
  return 0;
}
