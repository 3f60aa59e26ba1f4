#include "output/quantize.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <limits>
#include <queue>

#include "core/arith.h"

namespace ksv {

namespace {

inline std::uint32_t ColourAt(const std::uint8_t* p) {
  // 0x00RRGGBB from blue, green, red bytes: one compare per pixel.
  return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
         (static_cast<std::uint32_t>(p[2]) << 16);
}
inline Color ToColor(std::uint32_t rgb) {
  return MakeColor(static_cast<int>((rgb >> 16) & 0xFF), static_cast<int>((rgb >> 8) & 0xFF),
                   static_cast<int>(rgb & 0xFF));
}
inline std::uint32_t FromColor(Color c) {
  return (static_cast<std::uint32_t>(RedOf(c)) << 16) | (static_cast<std::uint32_t>(GreenOf(c)) << 8) |
         static_cast<std::uint32_t>(BlueOf(c));
}

// A small open-addressing map of at most 256 colours to their index.
class ColourIndex {
 public:
  ColourIndex() { keys_.fill(kEmpty); }
  // The index of the colour, or -1.
  int Find(std::uint32_t rgb) const {
    for (std::uint32_t slot = Hash(rgb);; slot = (slot + 1) & kMask) {
      if (keys_[slot] == rgb) return values_[slot];
      if (keys_[slot] == kEmpty) return -1;
    }
  }
  void Insert(std::uint32_t rgb, int index) {
    std::uint32_t slot = Hash(rgb);
    while (keys_[slot] != kEmpty && keys_[slot] != rgb) slot = (slot + 1) & kMask;
    keys_[slot] = rgb;
    values_[slot] = static_cast<std::uint8_t>(index);
  }

 private:
  static constexpr std::uint32_t kSlots = 1024;  // 256 entries at most: never more than a quarter full
  static constexpr std::uint32_t kMask = kSlots - 1;
  static constexpr std::uint32_t kEmpty = 0xFFFFFFFFu;
  static std::uint32_t Hash(std::uint32_t rgb) { return (rgb * 2654435761u) >> 22; }
  std::array<std::uint32_t, kSlots> keys_;
  std::array<std::uint8_t, kSlots> values_{};
};

// Gervautz-Purgathofer octree. While the pixels go in, the leaf count is
// held below kBuildLeaves by folding the deepest nodes, which only merges
// colours that share their high bits; the final cut to the palette size
// then folds, one node at a time, the one whose merge adds the least
// squared error.
class Octree {
 public:
  static constexpr int kBuildLeaves = 4096;

  Octree() {
    nodes_.reserve(kBuildLeaves * 3);
    nodes_.emplace_back();  // root, level 0
  }

  void Add(std::uint32_t rgb, std::uint64_t weight) {
    // Folding happens here, between insertions, so no node on the path
    // below can change while it is being walked.
    if (leaves_ > kBuildLeaves) ReduceDeepest();
    const int r = static_cast<int>((rgb >> 16) & 0xFF), g = static_cast<int>((rgb >> 8) & 0xFF),
              b = static_cast<int>(rgb & 0xFF);
    std::int32_t n = 0;
    for (int level = 0;; ++level) {
      Node& node = nodes_[static_cast<std::size_t>(n)];
      if (node.leaf) {
        node.count += weight;
        node.r += static_cast<std::uint64_t>(r) * weight;
        node.g += static_cast<std::uint64_t>(g) * weight;
        node.b += static_cast<std::uint64_t>(b) * weight;
        return;
      }
      const int shift = 7 - level;
      const int slot = (((r >> shift) & 1) << 2) | (((g >> shift) & 1) << 1) | ((b >> shift) & 1);
      std::int32_t child = node.child[slot];
      if (child == 0) {
        child = NewNode(level + 1, n);
        nodes_[static_cast<std::size_t>(n)].child[slot] = child;
      }
      n = child;
    }
  }

  // Folds until at most max_colours leaves remain and returns their mean
  // colours.
  std::vector<Color> Palette(int max_colours) {
    using Candidate = std::pair<double, std::int32_t>;
    std::priority_queue<Candidate, std::vector<Candidate>, std::greater<>> queue;
    for (std::size_t i = 0; i < nodes_.size(); ++i) {
      if (AllChildrenLeaves(static_cast<std::int32_t>(i)))
        queue.emplace(MergeCost(static_cast<std::int32_t>(i)), static_cast<std::int32_t>(i));
    }
    while (leaves_ > max_colours && !queue.empty()) {
      const std::int32_t n = queue.top().second;
      queue.pop();
      if (nodes_[static_cast<std::size_t>(n)].leaf) continue;
      Fold(n);
      const std::int32_t parent = nodes_[static_cast<std::size_t>(n)].parent;
      if (parent >= 0 && AllChildrenLeaves(parent)) queue.emplace(MergeCost(parent), parent);
    }
    std::vector<Color> palette;
    palette.reserve(static_cast<std::size_t>(leaves_));
    CollectLeaves(0, palette);
    return palette;
  }

 private:
  struct Node {
    std::uint64_t r = 0, g = 0, b = 0, count = 0;
    std::int32_t child[8] = {};
    std::int32_t parent = -1;
    std::int32_t next_reducible = -1;
    std::int8_t level = 0;
    bool leaf = false;
  };

  std::int32_t NewNode(int level, std::int32_t parent) {
    Node node;
    node.level = static_cast<std::int8_t>(level);
    node.parent = parent;
    node.leaf = level >= leaf_level_;
    std::int32_t index;
    if (!free_.empty()) {
      index = free_.back();
      free_.pop_back();
      nodes_[static_cast<std::size_t>(index)] = node;
    } else {
      index = static_cast<std::int32_t>(nodes_.size());
      nodes_.push_back(node);
    }
    if (node.leaf) {
      ++leaves_;
    } else {
      nodes_[static_cast<std::size_t>(index)].next_reducible = reducible_[level];
      reducible_[level] = index;
    }
    return index;
  }

  void ReduceDeepest() {
    int level = 7;
    while (level > 0 && reducible_[level] < 0) --level;
    if (level == 0) return;
    const std::int32_t n = reducible_[level];
    reducible_[level] = nodes_[static_cast<std::size_t>(n)].next_reducible;
    Fold(n);
    if (level < leaf_level_) leaf_level_ = level;
  }

  // Turns an internal node whose children are all leaves into one leaf.
  void Fold(std::int32_t n) {
    Node& node = nodes_[static_cast<std::size_t>(n)];
    int children = 0;
    for (std::int32_t& c : node.child) {
      if (c == 0) continue;
      Node& child = nodes_[static_cast<std::size_t>(c)];
      if (!child.leaf) Fold(c);
      node.r += child.r;
      node.g += child.g;
      node.b += child.b;
      node.count += child.count;
      free_.push_back(c);
      c = 0;
      ++children;
    }
    node.leaf = true;
    leaves_ -= children - 1;
  }

  bool AllChildrenLeaves(std::int32_t n) const {
    const Node& node = nodes_[static_cast<std::size_t>(n)];
    if (node.leaf) return false;
    for (std::int32_t c : node.child)
      if (c != 0 && !nodes_[static_cast<std::size_t>(c)].leaf) return false;
    return true;
  }

  // Squared error added by replacing the children's means with their
  // common mean: sum of n_i * |mean_i - mean|^2.
  double MergeCost(std::int32_t n) const {
    const Node& node = nodes_[static_cast<std::size_t>(n)];
    std::uint64_t r = 0, g = 0, b = 0, count = 0;
    for (std::int32_t c : node.child) {
      if (c == 0) continue;
      const Node& child = nodes_[static_cast<std::size_t>(c)];
      r += child.r;
      g += child.g;
      b += child.b;
      count += child.count;
    }
    if (count == 0) return 0;
    const double mr = static_cast<double>(r) / static_cast<double>(count);
    const double mg = static_cast<double>(g) / static_cast<double>(count);
    const double mb = static_cast<double>(b) / static_cast<double>(count);
    double cost = 0;
    for (std::int32_t c : node.child) {
      if (c == 0) continue;
      const Node& child = nodes_[static_cast<std::size_t>(c)];
      if (child.count == 0) continue;
      const double k = static_cast<double>(child.count);
      const double dr = static_cast<double>(child.r) / k - mr;
      const double dg = static_cast<double>(child.g) / k - mg;
      const double db = static_cast<double>(child.b) / k - mb;
      cost += k * (dr * dr + dg * dg + db * db);
    }
    return cost;
  }

  void CollectLeaves(std::int32_t n, std::vector<Color>& out) const {
    const Node& node = nodes_[static_cast<std::size_t>(n)];
    if (node.leaf) {
      if (node.count == 0) return;
      const std::uint64_t half = node.count / 2;
      out.push_back(MakeColor(static_cast<int>((node.r + half) / node.count),
                              static_cast<int>((node.g + half) / node.count),
                              static_cast<int>((node.b + half) / node.count)));
      return;
    }
    for (std::int32_t c : node.child)
      if (c != 0) CollectLeaves(c, out);
  }

  std::vector<Node> nodes_;
  std::vector<std::int32_t> free_;
  std::array<std::int32_t, 9> reducible_ = {-1, -1, -1, -1, -1, -1, -1, -1, -1};
  int leaf_level_ = 8;
  int leaves_ = 0;
};

// Nearest palette entry by squared distance. Exact palette colours are
// found in a hash; others through a cache over 6 bits per channel, whose
// cells are filled on first use with the entry nearest the cell's centre.
class NearestColour {
 public:
  explicit NearestColour(const std::vector<Color>& palette) : cache_(1u << 18, kUnknown) {
    for (std::size_t i = 0; i < palette.size(); ++i) {
      r_[i] = RedOf(palette[i]);
      g_[i] = GreenOf(palette[i]);
      b_[i] = BlueOf(palette[i]);
      const std::uint32_t rgb = FromColor(palette[i]);
      if (exact_.Find(rgb) < 0) exact_.Insert(rgb, static_cast<int>(i));
    }
    size_ = static_cast<int>(palette.size());
  }

  int Find(int r, int g, int b) {
    const int exact = exact_.Find((static_cast<std::uint32_t>(r) << 16) |
                                  (static_cast<std::uint32_t>(g) << 8) | static_cast<std::uint32_t>(b));
    if (exact >= 0) return exact;
    const std::uint32_t cell = (static_cast<std::uint32_t>(r >> 2) << 12) |
                               (static_cast<std::uint32_t>(g >> 2) << 6) | static_cast<std::uint32_t>(b >> 2);
    std::uint16_t& cached = cache_[cell];
    if (cached == kUnknown)
      cached = static_cast<std::uint16_t>(Search((r & ~3) + 2, (g & ~3) + 2, (b & ~3) + 2));
    return cached;
  }

 private:
  static constexpr std::uint16_t kUnknown = 0xFFFF;

  int Search(int r, int g, int b) const {
    int best = 0;
    int best_d = std::numeric_limits<int>::max();
    for (int i = 0; i < size_; ++i) {
      const int dr = r_[i] - r, dg = g_[i] - g, db = b_[i] - b;
      const int d = dr * dr + dg * dg + db * db;
      if (d < best_d) {
        best_d = d;
        best = i;
      }
    }
    return best;
  }

  std::array<int, 256> r_{}, g_{}, b_{};
  int size_ = 0;
  ColourIndex exact_;
  std::vector<std::uint16_t> cache_;
};

}  // namespace

bool ExactPalette(const Raster& picture, IndexedPicture* out) {
  ColourIndex index;
  std::vector<Color> palette;
  std::vector<std::uint8_t> indexes(static_cast<std::size_t>(picture.Width()) * picture.Height());
  std::uint8_t* dst = indexes.data();
  std::uint32_t last = 0xFFFFFFFFu;
  int last_index = 0;
  for (int y = 0; y < picture.Height(); ++y) {
    const std::uint8_t* p = picture.Row(y);
    for (int x = 0; x < picture.Width(); ++x, p += 3) {
      const std::uint32_t rgb = ColourAt(p);
      if (rgb != last) {
        int i = index.Find(rgb);
        if (i < 0) {
          if (palette.size() == 256) return false;
          i = static_cast<int>(palette.size());
          palette.push_back(ToColor(rgb));
          index.Insert(rgb, i);
        }
        last = rgb;
        last_index = i;
      }
      *dst++ = static_cast<std::uint8_t>(last_index);
    }
  }
  out->width = picture.Width();
  out->height = picture.Height();
  out->palette = std::move(palette);
  out->indexes = std::move(indexes);
  return true;
}

std::vector<Color> OctreePalette(const Raster& picture, int max_colours) {
  max_colours = std::clamp(max_colours, 1, 256);
  Octree tree;
  for (int y = 0; y < picture.Height(); ++y) {
    const std::uint8_t* p = picture.Row(y);
    const int w = picture.Width();
    int x = 0;
    while (x < w) {
      // Runs of one colour go in at once; screenshots are made of them.
      const std::uint32_t rgb = ColourAt(p + 3 * x);
      int end = x + 1;
      while (end < w && ColourAt(p + 3 * end) == rgb) ++end;
      tree.Add(rgb, static_cast<std::uint64_t>(end - x));
      x = end;
    }
  }
  return tree.Palette(max_colours);
}

IndexedPicture QuantizePicture(const Raster& picture) {
  IndexedPicture result;
  if (picture.Empty()) return result;
  if (ExactPalette(picture, &result)) return result;

  result.width = picture.Width();
  result.height = picture.Height();
  result.palette = OctreePalette(picture, 256);
  result.indexes.resize(static_cast<std::size_t>(result.width) * result.height);
  NearestColour nearest(result.palette);
  std::array<int, 256> pr{}, pg{}, pb{};
  for (std::size_t i = 0; i < result.palette.size(); ++i) {
    pr[i] = RedOf(result.palette[i]);
    pg[i] = GreenOf(result.palette[i]);
    pb[i] = BlueOf(result.palette[i]);
  }

  // Floyd-Steinberg: errors in sixteenths, one row ahead, with a spare
  // cell at each end so the edges need no tests.
  const int w = result.width;
  std::vector<int> cur(static_cast<std::size_t>(w + 2) * 3, 0), next(cur.size(), 0);
  std::uint8_t* dst = result.indexes.data();
  for (int y = 0; y < result.height; ++y) {
    const std::uint8_t* p = picture.Row(y);
    std::fill(next.begin(), next.end(), 0);
    int* e = cur.data() + 3;   // error for pixel x at e[3x]
    int* n = next.data() + 3;  // next row
    for (int x = 0; x < w; ++x, p += 3, e += 3, n += 3) {
      const int r = ClampByte(p[2] + ((e[0] + 8) >> 4));
      const int g = ClampByte(p[1] + ((e[1] + 8) >> 4));
      const int b = ClampByte(p[0] + ((e[2] + 8) >> 4));
      const int i = nearest.Find(r, g, b);
      *dst++ = static_cast<std::uint8_t>(i);
      const int er = r - pr[static_cast<std::size_t>(i)];
      const int eg = g - pg[static_cast<std::size_t>(i)];
      const int eb = b - pb[static_cast<std::size_t>(i)];
      if ((er | eg | eb) == 0) continue;
      e[3] += er * 7;
      e[4] += eg * 7;
      e[5] += eb * 7;
      n[-3] += er * 3;
      n[-2] += eg * 3;
      n[-1] += eb * 3;
      n[0] += er * 5;
      n[1] += eg * 5;
      n[2] += eb * 5;
      n[3] += er;
      n[4] += eg;
      n[5] += eb;
    }
    std::swap(cur, next);
  }
  return result;
}

}  // namespace ksv
