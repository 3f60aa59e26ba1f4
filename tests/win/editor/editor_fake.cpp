#include "editor_fake.h"

namespace ksv::editor::testing {

ScopedForms::ScopedForms(MainWindowLink* main, CaptureLink* capture) : saved_(Links()) {
  Links().main = main;
  Links().capture = capture;
}

ScopedForms::~ScopedForms() {
  Links().main = saved_.main;
  Links().capture = saved_.capture;
}

Raster Pattern(int width, int height) {
  Raster r(width, height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) r.SetPixel(x, y, MakeColor(x * 7 + y, y * 13 + x * 3, (x ^ y) * 5));
  }
  return r;
}

}  // namespace ksv::editor::testing
