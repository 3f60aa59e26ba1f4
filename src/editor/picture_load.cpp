#include "editor/picture_load.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

#include "editor/zoom.h"

namespace ksv::editor {

namespace {

// Canvas coordinate for each destination index along one direction.
std::vector<int> SourceIndices(int dest_length, int source_start, int source_length, int corner) {
  std::vector<int> map(static_cast<std::size_t>(dest_length));
  for (int d = 0; d < dest_length; ++d) {
    map[static_cast<std::size_t>(d)] =
        source_length > 0 ? source_start + DisplayToSource(d, dest_length, source_length) : corner + d;
  }
  return map;
}

}  // namespace

RegionCut MakeRegionCut(Point drag_start, Point drag_end) {
  const int x0 = std::min(drag_start.x, drag_end.x);
  const int x1 = std::max(drag_start.x, drag_end.x);
  const int y0 = std::min(drag_start.y, drag_end.y);
  const int y1 = std::max(drag_start.y, drag_end.y);
  RegionCut cut;
  cut.bitmap = {x1 - x0, y1 - y0};
  cut.source = {x0 + 1, y0 + 1, std::max(x0 + 1, x1 - 1), std::max(y0 + 1, y1 - 1)};
  return cut;
}

Raster CutRegion(const Raster& canvas, Point drag_start, Point drag_end) {
  const RegionCut cut = MakeRegionCut(drag_start, drag_end);
  Raster picture(cut.bitmap.width, cut.bitmap.height);
  if (picture.Empty()) return picture;
  const std::vector<int> xs = SourceIndices(cut.bitmap.width, cut.source.left, cut.source.Width(),
                                            std::min(drag_start.x, drag_end.x));
  const std::vector<int> ys = SourceIndices(cut.bitmap.height, cut.source.top, cut.source.Height(),
                                            std::min(drag_start.y, drag_end.y));
  for (int y = 0; y < picture.Height(); ++y) {
    const int sy = ys[static_cast<std::size_t>(y)];
    if (sy < 0 || sy >= canvas.Height()) continue;  // stays black
    const std::uint8_t* src = canvas.Row(sy);
    std::uint8_t* dst = picture.MutableRow(y);
    for (int x = 0; x < picture.Width(); ++x) {
      const int sx = xs[static_cast<std::size_t>(x)];
      if (sx < 0 || sx >= canvas.Width()) continue;
      std::memcpy(dst + 3 * x, src + 3 * sx, 3);
    }
  }
  return picture;
}

Raster CopyScreen(const Raster& canvas, Size screen) {
  if (canvas.Width() == screen.width && canvas.Height() == screen.height) return canvas;
  Raster picture(screen.width, screen.height);
  const int w = std::min(screen.width, canvas.Width());
  const int h = std::min(screen.height, canvas.Height());
  for (int y = 0; y < h; ++y) {
    std::memcpy(picture.MutableRow(y), canvas.Row(y), static_cast<std::size_t>(w) * 3);
  }
  return picture;
}

}  // namespace ksv::editor
