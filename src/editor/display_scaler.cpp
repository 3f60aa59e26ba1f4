#include "editor/display_scaler.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

#include "editor/zoom.h"

namespace ksv::editor {

namespace {

// Weights are fixed point with this many fraction bits; each output pixel's
// weights sum to exactly 1 << kWeightBits along each direction.
constexpr int kWeightBits = 12;
constexpr std::uint32_t kWeightOne = 1u << kWeightBits;

// For each display index of one direction: the first source index and the
// weights of the source pixels it covers.
struct Taps {
  std::vector<int> first;
  std::vector<int> count;
  std::vector<int> offset;  // into weights
  std::vector<std::uint16_t> weights;
  bool nearest = true;  // one full-weight tap everywhere

  int Span(int i) const { return count[static_cast<std::size_t>(i)]; }
  int First(int i) const { return first[static_cast<std::size_t>(i)]; }
  const std::uint16_t* Weights(int i) const { return weights.data() + offset[static_cast<std::size_t>(i)]; }
};

Taps MakeTaps(int begin, int end, int displayed, int source) {
  Taps taps;
  const int n = end - begin;
  taps.first.resize(static_cast<std::size_t>(n));
  taps.count.resize(static_cast<std::size_t>(n));
  taps.offset.resize(static_cast<std::size_t>(n));
  if (displayed >= source) {
    for (int i = 0; i < n; ++i) {
      taps.first[static_cast<std::size_t>(i)] = DisplayToSource(begin + i, displayed, source);
      taps.count[static_cast<std::size_t>(i)] = 1;
      taps.offset[static_cast<std::size_t>(i)] = i;
    }
    taps.weights.assign(static_cast<std::size_t>(n), static_cast<std::uint16_t>(kWeightOne));
    return taps;
  }
  // Display pixel d covers [d * source, (d + 1) * source) in units of
  // 1 / displayed source pixels; source pixel s covers [s * displayed,
  // (s + 1) * displayed).
  taps.nearest = false;
  const std::int64_t dsp = displayed;
  const std::int64_t src = source;
  for (int i = 0; i < n; ++i) {
    const std::int64_t lo = (begin + i) * src;
    const std::int64_t hi = lo + src;
    const int s0 = static_cast<int>(lo / dsp);
    const int s1 = static_cast<int>((hi + dsp - 1) / dsp);
    taps.first[static_cast<std::size_t>(i)] = s0;
    taps.count[static_cast<std::size_t>(i)] = s1 - s0;
    taps.offset[static_cast<std::size_t>(i)] = static_cast<int>(taps.weights.size());
    // Weights from the rounded running total of the covered area: they sum
    // to exactly one, so a flat area stays flat, and none is negative.
    std::int64_t previous = 0;
    for (int s = s0; s < s1; ++s) {
      const std::int64_t covered = std::min(hi, (s + 1) * dsp) - lo;
      const std::int64_t total = (covered * kWeightOne + src / 2) / src;
      taps.weights.push_back(static_cast<std::uint16_t>(total - previous));
      previous = total;
    }
  }
  return taps;
}

// Both directions nearest: a gather, and rows that show the same picture
// row are copied from the one above.
void GatherRows(const Raster& picture, const Taps& xs, const Taps& ys, Raster& out) {
  const int w = out.Width();
  std::vector<int> byte_offset(static_cast<std::size_t>(w));
  for (int x = 0; x < w; ++x) byte_offset[static_cast<std::size_t>(x)] = 3 * xs.First(x);
  const std::size_t row_bytes = static_cast<std::size_t>(w) * 3;
  for (int y = 0; y < out.Height(); ++y) {
    std::uint8_t* dst = out.MutableRow(y);
    if (y > 0 && ys.First(y) == ys.First(y - 1)) {
      std::memcpy(dst, out.Row(y - 1), row_bytes);
      continue;
    }
    const std::uint8_t* src = picture.Row(ys.First(y));
    for (int x = 0; x < w; ++x) {
      const std::uint8_t* p = src + byte_offset[static_cast<std::size_t>(x)];
      dst[0] = p[0];
      dst[1] = p[1];
      dst[2] = p[2];
      dst += 3;
    }
  }
}

// The general case: the rows an output row covers are summed with their
// weights over the columns the output needs, then each output pixel sums its
// columns.
void FilterRows(const Raster& picture, const Taps& xs, const Taps& ys, Raster& out) {
  const int w = out.Width();
  const int col0 = xs.First(0);
  const int col1 = xs.First(w - 1) + xs.Span(w - 1);
  const std::size_t acc_len = static_cast<std::size_t>(col1 - col0) * 3;
  std::vector<std::uint32_t> acc(acc_len);
  const std::size_t row_bytes = static_cast<std::size_t>(w) * 3;
  for (int y = 0; y < out.Height(); ++y) {
    std::uint8_t* dst = out.MutableRow(y);
    if (y > 0 && ys.nearest && ys.First(y) == ys.First(y - 1)) {
      std::memcpy(dst, out.Row(y - 1), row_bytes);
      continue;
    }
    std::fill(acc.begin(), acc.end(), 0u);
    const std::uint16_t* wy = ys.Weights(y);
    for (int k = 0; k < ys.Span(y); ++k) {
      const std::uint8_t* src = picture.Row(ys.First(y) + k) + 3 * col0;
      const std::uint32_t weight = wy[k];
      std::uint32_t* a = acc.data();
      for (std::size_t i = 0; i < acc_len; ++i) a[i] += weight * src[i];
    }
    for (int x = 0; x < w; ++x) {
      const std::uint32_t* a = acc.data() + static_cast<std::size_t>(xs.First(x) - col0) * 3;
      const std::uint16_t* wx = xs.Weights(x);
      std::uint64_t b = 0, g = 0, r = 0;
      for (int k = 0; k < xs.Span(x); ++k) {
        b += static_cast<std::uint64_t>(wx[k]) * a[3 * k];
        g += static_cast<std::uint64_t>(wx[k]) * a[3 * k + 1];
        r += static_cast<std::uint64_t>(wx[k]) * a[3 * k + 2];
      }
      constexpr int shift = 2 * kWeightBits;
      constexpr std::uint64_t half = std::uint64_t{1} << (shift - 1);
      dst[0] = static_cast<std::uint8_t>((b + half) >> shift);
      dst[1] = static_cast<std::uint8_t>((g + half) >> shift);
      dst[2] = static_cast<std::uint8_t>((r + half) >> shift);
      dst += 3;
    }
  }
}

}  // namespace

void ScaleForDisplay(const Raster& picture, Size displayed, Rect visible, Raster& out) {
  const Rect region = Intersect(visible, Rect::FromOriginSize({0, 0}, displayed));
  if (picture.Empty() || region.Empty()) {
    out = Raster();
    return;
  }
  if (out.Width() != region.Width() || out.Height() != region.Height()) {
    out = Raster(region.Width(), region.Height());
  }
  const Taps xs = MakeTaps(region.left, region.right, displayed.width, picture.Width());
  const Taps ys = MakeTaps(region.top, region.bottom, displayed.height, picture.Height());
  if (xs.nearest && ys.nearest) {
    GatherRows(picture, xs, ys, out);
  } else {
    FilterRows(picture, xs, ys, out);
  }
}

}  // namespace ksv::editor
