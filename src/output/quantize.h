// Colour reduction for GIF: a picture of at most 256 colours keeps them
// exactly; any other gets an octree palette of at most 256 colours made
// from its own colours and Floyd-Steinberg error diffusion.
#pragma once

#include <cstdint>
#include <vector>

#include "core/raster.h"

namespace ksv {

struct IndexedPicture {
  int width = 0;
  int height = 0;
  std::vector<Color> palette;         // at most 256 entries
  std::vector<std::uint8_t> indexes;  // width * height, rows top-down
};

// The picture's colours when there are at most 256 of them, in order of
// first appearance; otherwise an empty result (quick: it stops at the
// 257th colour).
bool ExactPalette(const Raster& picture, IndexedPicture* out);

// The octree palette alone (at most max_colours, 1..256).
std::vector<Color> OctreePalette(const Raster& picture, int max_colours);

// ExactPalette when it applies, otherwise OctreePalette with error
// diffusion.
IndexedPicture QuantizePicture(const Raster& picture);

}  // namespace ksv
