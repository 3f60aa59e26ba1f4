#include "output/gif.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "output/byte_io.h"
#include "output/output_error.h"
#include "output/size_limits.h"

namespace ksv {

const char kEmptyGifMessage[] = "图像为空，不能保存为 GIF 文件";
const char kGifTooLargeMessage[] = "图像的宽度或高度超过 65535，不能保存为 GIF 文件";

namespace {

constexpr int kMaxCode = 4096;

// Packs codes least significant bit first into data sub-blocks of at most
// 255 bytes.
class CodeWriter {
 public:
  explicit CodeWriter(std::vector<std::uint8_t>& out) : out_(out) {}
  void Put(int code, int width) {
    bits_ |= static_cast<std::uint64_t>(code) << count_;
    count_ += width;
    while (count_ >= 8) {
      Byte(static_cast<std::uint8_t>(bits_));
      bits_ >>= 8;
      count_ -= 8;
    }
  }
  void Finish() {
    if (count_ > 0) Byte(static_cast<std::uint8_t>(bits_));
    bits_ = 0;
    count_ = 0;
    if (block_used_ > 0) FlushBlock();
    out_.push_back(0);  // block terminator
  }

 private:
  void Byte(std::uint8_t b) {
    block_[block_used_++] = b;
    if (block_used_ == 255) FlushBlock();
  }
  void FlushBlock() {
    out_.push_back(static_cast<std::uint8_t>(block_used_));
    out_.insert(out_.end(), block_.begin(), block_.begin() + block_used_);
    block_used_ = 0;
  }
  std::vector<std::uint8_t>& out_;
  std::uint64_t bits_ = 0;
  int count_ = 0;
  std::array<std::uint8_t, 255> block_{};
  int block_used_ = 0;
};

// The string table as a hash of (prefix code, next index) -> code.
class LzwTable {
 public:
  LzwTable() { Clear(); }
  void Clear() { keys_.fill(-1); }
  int Find(int prefix, int k) const {
    const std::int32_t key = (prefix << 8) | k;
    for (std::uint32_t slot = Hash(key);; slot = (slot + 1) & kMask) {
      if (keys_[slot] == key) return codes_[slot];
      if (keys_[slot] < 0) return -1;
    }
  }
  void Insert(int prefix, int k, int code) {
    const std::int32_t key = (prefix << 8) | k;
    std::uint32_t slot = Hash(key);
    while (keys_[slot] >= 0) slot = (slot + 1) & kMask;
    keys_[slot] = key;
    codes_[slot] = static_cast<std::uint16_t>(code);
  }

 private:
  static constexpr std::uint32_t kSlots = 1u << 13;  // 4096 codes at most: half full
  static constexpr std::uint32_t kMask = kSlots - 1;
  static std::uint32_t Hash(std::int32_t key) {
    return (static_cast<std::uint32_t>(key) * 2654435761u) >> 19;
  }
  std::array<std::int32_t, kSlots> keys_;
  std::array<std::uint16_t, kSlots> codes_{};
};

void CompressIndexes(const std::uint8_t* indexes, std::size_t count, int min_code_size,
                     std::vector<std::uint8_t>& out) {
  out.push_back(static_cast<std::uint8_t>(min_code_size));
  CodeWriter writer(out);
  const int clear = 1 << min_code_size;
  const int end = clear + 1;
  int width = min_code_size + 1;
  int next = end + 1;
  LzwTable table;
  writer.Put(clear, width);
  if (count == 0) {
    writer.Put(end, width);
    writer.Finish();
    return;
  }
  // Every emitted code but the last makes the decoder add one entry, one
  // step behind the encoder; the width follows the decoder's table.
  auto grow = [&] {
    if (next > (1 << width) && width < 12) ++width;
  };
  int prefix = indexes[0];
  for (std::size_t i = 1; i < count; ++i) {
    const int k = indexes[i];
    const int code = table.Find(prefix, k);
    if (code >= 0) {
      prefix = code;
      continue;
    }
    writer.Put(prefix, width);
    if (next < kMaxCode) {
      table.Insert(prefix, k, next++);
      grow();
    } else {
      writer.Put(clear, width);
      table.Clear();
      width = min_code_size + 1;
      next = end + 1;
    }
    prefix = k;
  }
  writer.Put(prefix, width);
  if (next < kMaxCode) {
    ++next;
    grow();
  }
  writer.Put(end, width);
  writer.Finish();
}

std::vector<std::uint8_t> WriteGifFile(int width, int height, std::span<const Color> palette, int table_bits,
                                       const std::uint8_t* indexes) {
  std::vector<std::uint8_t> out;
  out.reserve(static_cast<std::size_t>(width) * height / 2 + 1024);
  const char signature[] = "GIF89a";
  out.insert(out.end(), signature, signature + 6);
  bytes::AppendLe16(out, static_cast<std::uint32_t>(width));
  bytes::AppendLe16(out, static_cast<std::uint32_t>(height));
  // Global colour table, 8 bits of colour resolution, not sorted.
  out.push_back(static_cast<std::uint8_t>(0x80 | (7 << 4) | (table_bits - 1)));
  out.push_back(0);  // background colour index
  out.push_back(0);  // no aspect ratio
  const int entries = 1 << table_bits;
  for (int i = 0; i < entries; ++i) {
    const Color c = i < static_cast<int>(palette.size()) ? palette[static_cast<std::size_t>(i)] : Color{0};
    out.push_back(static_cast<std::uint8_t>(RedOf(c)));
    out.push_back(static_cast<std::uint8_t>(GreenOf(c)));
    out.push_back(static_cast<std::uint8_t>(BlueOf(c)));
  }
  out.push_back(0x2C);  // image descriptor
  bytes::AppendLe16(out, 0);
  bytes::AppendLe16(out, 0);
  bytes::AppendLe16(out, static_cast<std::uint32_t>(width));
  bytes::AppendLe16(out, static_cast<std::uint32_t>(height));
  out.push_back(0);  // no local table, not interlaced
  CompressIndexes(indexes, static_cast<std::size_t>(width) * height, std::max(2, table_bits), out);
  out.push_back(0x3B);  // trailer
  return out;
}

int TableBits(std::size_t colours) {
  int bits = 1;
  while ((static_cast<std::size_t>(1) << bits) < colours && bits < 8) ++bits;
  return bits;
}

void CheckSize(int width, int height) {
  if (width <= 0 || height <= 0) throw OutputError(kEmptyGifMessage);
  if (width > 0xFFFF || height > 0xFFFF) throw OutputError(kGifTooLargeMessage);
}

[[noreturn]] void BadGif() { throw OutputError("not a valid GIF image"); }

}  // namespace

std::vector<std::uint8_t> EncodeGif(const IndexedPicture& picture) {
  CheckSize(picture.width, picture.height);
  return WriteGifFile(picture.width, picture.height, picture.palette, TableBits(picture.palette.size()),
                      picture.indexes.data());
}

std::vector<std::uint8_t> EncodeGif(const Raster& picture) {
  CheckSize(picture.Width(), picture.Height());
  return EncodeGif(QuantizePicture(picture));
}

std::vector<std::uint8_t> EncodeGif(const DibView& bitmap) {
  if (bitmap.Empty()) throw OutputError(kEmptyGifMessage);
  if (!IsPaletteDepth(bitmap.bit_count)) return EncodeGif(ToRaster(bitmap));
  CheckSize(bitmap.width, bitmap.height);
  // The bitmap's own indexes, one byte each, top row first.
  const int w = bitmap.width;
  std::vector<std::uint8_t> indexes(static_cast<std::size_t>(w) * bitmap.height);
  std::uint8_t* d = indexes.data();
  for (int y = 0; y < bitmap.height; ++y) {
    const std::uint8_t* s = bitmap.Row(y);
    switch (bitmap.bit_count) {
      case 1:
        for (int x = 0; x < w; ++x) *d++ = static_cast<std::uint8_t>((s[x >> 3] >> (7 - (x & 7))) & 1);
        break;
      case 4:
        for (int x = 0; x < w; ++x)
          *d++ = static_cast<std::uint8_t>((x & 1) ? (s[x >> 1] & 0x0F) : (s[x >> 1] >> 4));
        break;
      default:
        std::memcpy(d, s, static_cast<std::size_t>(w));
        d += w;
        break;
    }
  }
  return WriteGifFile(w, bitmap.height, bitmap.palette, bitmap.bit_count, indexes.data());
}

namespace {

// Reads LZW codes least significant bit first from the gathered data.
class CodeReader {
 public:
  explicit CodeReader(std::span<const std::uint8_t> data) : data_(data) {}
  // False at the end of the data.
  bool Next(int width, int* code) {
    while (count_ < width) {
      if (at_ == data_.size()) return false;
      bits_ |= static_cast<std::uint32_t>(data_[at_++]) << count_;
      count_ += 8;
    }
    *code = static_cast<int>(bits_ & ((1u << width) - 1));
    bits_ >>= width;
    count_ -= width;
    return true;
  }

 private:
  std::span<const std::uint8_t> data_;
  std::size_t at_ = 0;
  std::uint32_t bits_ = 0;
  int count_ = 0;
};

// Expands the image's codes into `out`, at most out.size() indexes; pixels
// the data does not reach stay 0, as in a file cut off short. Every code
// either ends the table's current string or yields at least one index, so
// the work is bounded by the data's length plus the picture's size, never
// by what the codes claim.
void ExpandLzw(std::span<const std::uint8_t> data, int min_code_size, std::span<std::uint8_t> out) {
  const int clear = 1 << min_code_size;
  const int end = clear + 1;
  std::array<std::uint16_t, kMaxCode> prefix{};
  std::array<std::uint8_t, kMaxCode> suffix{};
  std::array<std::uint8_t, kMaxCode> first{};
  std::array<std::uint8_t, kMaxCode + 1> stack{};
  for (int i = 0; i < clear; ++i) {
    suffix[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(i);
    first[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(i);
  }
  CodeReader reader(data);
  int width_bits = min_code_size + 1;
  int next = end + 1;
  int previous = -1;
  std::size_t written = 0;
  int code = 0;
  while (written < out.size() && reader.Next(width_bits, &code)) {
    if (code == clear) {
      width_bits = min_code_size + 1;
      next = end + 1;
      previous = -1;
      continue;
    }
    if (code == end) break;
    if (previous < 0) {
      if (code >= clear) BadGif();
      out[written++] = static_cast<std::uint8_t>(code);
      previous = code;
      continue;
    }
    int emit = code;
    std::size_t depth = 0;
    std::uint8_t head;
    if (code < next) {
      head = first[static_cast<std::size_t>(code)];
    } else if (code == next) {
      head = first[static_cast<std::size_t>(previous)];
      stack[depth++] = head;
      emit = previous;
    } else {
      BadGif();
    }
    // Each table entry's prefix is an older entry, so the chain is at most
    // kMaxCode long and fits the stack.
    while (emit >= clear) {
      stack[depth++] = suffix[static_cast<std::size_t>(emit)];
      emit = prefix[static_cast<std::size_t>(emit)];
    }
    stack[depth++] = static_cast<std::uint8_t>(emit);
    while (depth > 0 && written < out.size()) out[written++] = stack[--depth];
    if (next < kMaxCode) {
      prefix[static_cast<std::size_t>(next)] = static_cast<std::uint16_t>(previous);
      suffix[static_cast<std::size_t>(next)] = head;
      first[static_cast<std::size_t>(next)] = first[static_cast<std::size_t>(previous)];
      ++next;
      if (next == (1 << width_bits) && width_bits < 12) ++width_bits;
    }
    previous = code;
  }
}

// The stored position of each row: interlaced images store rows in four
// passes.
std::vector<int> RowOrder(int height, bool interlaced) {
  std::vector<int> order;
  order.reserve(static_cast<std::size_t>(height));
  if (interlaced) {
    for (int y = 0; y < height; y += 8) order.push_back(y);
    for (int y = 4; y < height; y += 8) order.push_back(y);
    for (int y = 2; y < height; y += 4) order.push_back(y);
    for (int y = 1; y < height; y += 2) order.push_back(y);
  } else {
    for (int y = 0; y < height; ++y) order.push_back(y);
  }
  return order;
}

}  // namespace

Dib DecodeGif(std::span<const std::uint8_t> file) {
  const std::uint8_t* f = file.data();
  const std::size_t size = file.size();
  if (size < 13 || std::memcmp(f, "GIF8", 4) != 0 || (f[4] != '7' && f[4] != '9') || f[5] != 'a') BadGif();
  std::size_t pos = 13;
  std::vector<Color> global;
  auto read_table = [&](int bits, std::vector<Color>& table) {
    const std::size_t entries = static_cast<std::size_t>(1) << bits;
    if (entries * 3 > size - pos) BadGif();
    table.resize(entries);
    for (std::size_t i = 0; i < entries; ++i, pos += 3) table[i] = MakeColor(f[pos], f[pos + 1], f[pos + 2]);
  };
  if (f[10] & 0x80) read_table((f[10] & 7) + 1, global);

  for (;;) {
    if (pos >= size) BadGif();
    const std::uint8_t kind = f[pos++];
    if (kind == 0x21) {  // extension: label, then sub-blocks
      if (pos >= size) BadGif();
      ++pos;
      for (;;) {
        if (pos >= size) BadGif();
        const std::size_t n = f[pos++];
        if (n == 0) break;
        if (n > size - pos) BadGif();
        pos += n;
      }
      continue;
    }
    if (kind != 0x2C) BadGif();
    if (9 > size - pos) BadGif();
    // Only the image is decoded, not the logical screen around it, so the
    // image's own size is the one the size rule applies to; it is checked
    // before anything of that size is allocated.
    const int width = bytes::Le16(f + pos + 4);
    const int height = bytes::Le16(f + pos + 6);
    CheckPictureSize(width, height);
    const std::uint8_t flags = f[pos + 8];
    pos += 9;
    std::vector<Color> local;
    if (flags & 0x80) read_table((flags & 7) + 1, local);
    const bool interlaced = (flags & 0x40) != 0;
    if (pos >= size) BadGif();
    const int min_code_size = f[pos++];
    if (min_code_size < 1 || min_code_size > 11) BadGif();

    // Gather the sub-blocks, then decode.
    std::vector<std::uint8_t> data;
    for (;;) {
      if (pos >= size) BadGif();
      const std::size_t n = f[pos++];
      if (n == 0) break;
      if (n > size - pos) BadGif();
      data.insert(data.end(), f + pos, f + pos + n);
      pos += n;
    }

    // One LZW code of at least 3 bits yields at most 4096 pixels, so data
    // shorter than this cannot hold the image: such a stump would make a
    // few hundred bytes cost hundreds of megabytes. A download cut short
    // keeps far more and still loads, with the rest in colour 0.
    if (static_cast<std::uint64_t>(data.size()) * 8 / 3 * 4096 + 4096 <
        static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(height))
      throw OutputError("GIF image data far too short for a picture of " + std::to_string(width) + " x " +
                        std::to_string(height) + " pixels");

    Dib dib = Dib::Make(width, height, 8);
    if (dib.Empty()) return dib;
    dib.palette = local.empty() ? global : local;
    // 2^28 pixels at most, so the product is exact on every build.
    std::vector<std::uint8_t> indexes(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), 0);
    ExpandLzw(data, min_code_size, indexes);
    const std::vector<int> order = RowOrder(height, interlaced);
    for (int i = 0; i < height; ++i)
      std::memcpy(dib.MutableRow(order[static_cast<std::size_t>(i)]),
                  indexes.data() + static_cast<std::size_t>(i) * static_cast<std::size_t>(width),
                  static_cast<std::size_t>(width));
    return dib;
  }
}

}  // namespace ksv
