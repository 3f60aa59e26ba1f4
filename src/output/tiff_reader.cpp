#include "output/tiff_reader.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "output/byte_io.h"
#include "output/output_error.h"

namespace ksv {

namespace {

[[noreturn]] void Fail(const std::string& why) { throw OutputError("TIFF image not readable: " + why); }

class Reader {
 public:
  explicit Reader(std::span<const std::uint8_t> file) : f_(file.data()), size_(file.size()) {
    if (size_ < 8) Fail("too short");
    if (f_[0] == 'I' && f_[1] == 'I') {
      big_ = false;
    } else if (f_[0] == 'M' && f_[1] == 'M') {
      big_ = true;
    } else {
      Fail("no byte order mark");
    }
    if (U16(2) != 42) Fail("not a classic TIFF file");
  }

  std::uint16_t U16(std::uint64_t at) const {
    Need(at, 2);
    return big_ ? bytes::Be16(f_ + at) : bytes::Le16(f_ + at);
  }
  std::uint32_t U32(std::uint64_t at) const {
    Need(at, 4);
    return big_ ? bytes::Be32(f_ + at) : bytes::Le32(f_ + at);
  }
  void Need(std::uint64_t at, std::uint64_t n) const {
    if (at > size_ || n > size_ - at) Fail("field outside the file");
  }
  const std::uint8_t* At(std::uint64_t at) const { return f_ + at; }

  // The values of one directory entry (SHORT, LONG or BYTE).
  std::vector<std::uint32_t> Values(std::uint64_t entry) const {
    const std::uint16_t type = U16(entry + 2);
    const std::uint32_t count = U32(entry + 4);
    std::uint32_t item = 0;
    switch (type) {
      case 1:  // BYTE
        item = 1;
        break;
      case 3:  // SHORT
        item = 2;
        break;
      case 4:  // LONG
        item = 4;
        break;
      default:
        return {};
    }
    const std::uint64_t bytes_needed = static_cast<std::uint64_t>(item) * count;
    const std::uint64_t at = bytes_needed <= 4 ? entry + 8 : U32(entry + 8);
    Need(at, bytes_needed);
    std::vector<std::uint32_t> v(count);
    for (std::uint32_t i = 0; i < count; ++i) {
      const std::uint64_t p = at + static_cast<std::uint64_t>(i) * item;
      v[i] = item == 1 ? f_[p] : (item == 2 ? U16(p) : U32(p));
    }
    return v;
  }

 private:
  const std::uint8_t* f_;
  std::uint64_t size_;
  bool big_ = false;
};

void UnpackBits(const std::uint8_t* s, std::size_t n, std::vector<std::uint8_t>& out, std::size_t want) {
  std::size_t i = 0;
  while (i < n && out.size() < want) {
    const int c = static_cast<std::int8_t>(s[i++]);
    if (c >= 0) {
      const std::size_t len = static_cast<std::size_t>(c) + 1;
      if (i + len > n) Fail("PackBits data cut short");
      out.insert(out.end(), s + i, s + i + len);
      i += len;
    } else if (c != -128) {
      if (i >= n) Fail("PackBits data cut short");
      out.insert(out.end(), static_cast<std::size_t>(1 - c), s[i++]);
    }
  }
}

// TIFF's LZW: codes most significant bit first, the width growing one
// code earlier than in GIF.
void UnLzw(const std::uint8_t* s, std::size_t n, std::vector<std::uint8_t>& out, std::size_t want) {
  constexpr int kClear = 256, kEnd = 257;
  std::vector<std::uint16_t> prefix(4096);
  std::vector<std::uint8_t> suffix(4096), first(4096), stack(4097);
  for (int i = 0; i < 256; ++i)
    suffix[static_cast<std::size_t>(i)] = first[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(i);
  int width = 9, next = 258, previous = -1;
  std::uint64_t bitpos = 0;
  const std::uint64_t total = static_cast<std::uint64_t>(n) * 8;
  const std::size_t start = out.size();
  while (out.size() - start < want && bitpos + static_cast<std::uint64_t>(width) <= total) {
    int code = 0;
    for (int b = 0; b < width; ++b, ++bitpos)
      code = (code << 1) | ((s[bitpos >> 3] >> (7 - (bitpos & 7))) & 1);
    if (code == kClear) {
      width = 9;
      next = 258;
      previous = -1;
      continue;
    }
    if (code == kEnd) break;
    if (previous < 0) {
      if (code > 255) Fail("bad LZW code");
      out.push_back(static_cast<std::uint8_t>(code));
      previous = code;
      continue;
    }
    std::size_t depth = 0;
    int emit = code;
    std::uint8_t head;
    if (code < next) {
      head = first[static_cast<std::size_t>(code)];
    } else if (code == next) {
      head = first[static_cast<std::size_t>(previous)];
      stack[depth++] = head;
      emit = previous;
    } else {
      Fail("bad LZW code");
    }
    while (emit > 255) {
      stack[depth++] = suffix[static_cast<std::size_t>(emit)];
      emit = prefix[static_cast<std::size_t>(emit)];
    }
    stack[depth++] = static_cast<std::uint8_t>(emit);
    while (depth > 0) out.push_back(stack[--depth]);
    if (next < 4096) {
      prefix[static_cast<std::size_t>(next)] = static_cast<std::uint16_t>(previous);
      suffix[static_cast<std::size_t>(next)] = head;
      first[static_cast<std::size_t>(next)] = first[static_cast<std::size_t>(previous)];
      ++next;
    }
    if (next + 1 >= (1 << width) && width < 12) ++width;
    previous = code;
  }
}

}  // namespace

Dib DecodeTiff(std::span<const std::uint8_t> file) {
  Reader r(file);
  const std::uint32_t ifd = r.U32(4);
  const std::uint16_t entries = r.U16(ifd);
  std::uint32_t width = 0, height = 0, compression = 1, photometric = 9, samples = 1, planar = 1,
                predictor = 1;
  std::uint32_t rows_per_strip = 0xFFFFFFFFu;
  std::vector<std::uint32_t> bits_per_sample{1}, offsets, counts, colour_map;
  for (std::uint32_t i = 0; i < entries; ++i) {
    const std::uint64_t e = ifd + 2 + static_cast<std::uint64_t>(i) * 12;
    const std::uint16_t tag = r.U16(e);
    const std::vector<std::uint32_t> v = r.Values(e);
    auto one = [&]() -> std::uint32_t { return v.empty() ? 0 : v[0]; };
    switch (tag) {
      case 256:
        width = one();
        break;
      case 257:
        height = one();
        break;
      case 258:
        bits_per_sample = v;
        break;
      case 259:
        compression = one();
        break;
      case 262:
        photometric = one();
        break;
      case 273:
        offsets = v;
        break;
      case 277:
        samples = one();
        break;
      case 278:
        rows_per_strip = one();
        break;
      case 279:
        counts = v;
        break;
      case 284:
        planar = one();
        break;
      case 317:
        predictor = one();
        break;
      case 320:
        colour_map = v;
        break;
      case 322:
        Fail("tiled images are not supported");
      default:
        break;
    }
  }
  if (width == 0 || height == 0 || width > 0x7FFFFFFF || height > 0x7FFFFFFF) Fail("no image size");
  if (bits_per_sample.empty()) Fail("no bits per sample");
  const std::uint32_t bits = bits_per_sample[0];
  for (std::uint32_t b : bits_per_sample)
    if (b != bits) Fail("mixed sample sizes");
  if (planar != 1 && samples > 1) Fail("separate colour planes are not supported");
  if (offsets.empty() || offsets.size() != counts.size()) Fail("no strips");
  if (compression != 1 && compression != 5 && compression != 32773) Fail("unsupported compression");
  if (predictor != 1 && !(predictor == 2 && bits == 8)) Fail("unsupported predictor");

  int depth;
  bool rgb = false;
  if (photometric == 2) {
    if (bits != 8 || samples < 3) Fail("only 8-bit RGB is supported");
    rgb = true;
    depth = 24;
  } else if (photometric <= 1 || photometric == 3) {
    if (samples != 1 || (bits != 1 && bits != 4 && bits != 8)) Fail("unsupported grey or palette depth");
    depth = static_cast<int>(bits);
  } else {
    Fail("unsupported photometric interpretation");
  }

  // Decoded rows are packed (no padding), samples per pixel as stored.
  const std::uint64_t row_bytes = (static_cast<std::uint64_t>(width) * samples * bits + 7) / 8;
  const std::uint64_t total = row_bytes * height;
  // Compression can at best squeeze a few hundred to one; larger claims
  // are broken files, not pictures.
  if (total / 4096 > file.size() + 1024) Fail("image larger than its file can hold");
  std::vector<std::uint8_t> data;
  data.reserve(static_cast<std::size_t>(total));
  if (rows_per_strip == 0) rows_per_strip = height;
  for (std::size_t s = 0; s < offsets.size() && data.size() < total; ++s) {
    r.Need(offsets[s], counts[s]);
    const std::uint8_t* p = r.At(offsets[s]);
    const std::uint64_t strip_rows =
        std::min<std::uint64_t>(rows_per_strip, height - (data.size() / row_bytes));
    const std::size_t want = static_cast<std::size_t>(strip_rows * row_bytes);
    const std::size_t before = data.size();
    switch (compression) {
      case 1:
        data.insert(data.end(), p, p + std::min<std::size_t>(counts[s], want));
        break;
      case 5:
        UnLzw(p, counts[s], data, want);
        break;
      default:
        UnpackBits(p, counts[s], data, before + want);
        break;
    }
    data.resize(before + want, 0);  // a short strip reads as zero
  }
  data.resize(static_cast<std::size_t>(total), 0);
  if (predictor == 2) {
    for (std::uint32_t y = 0; y < height; ++y) {
      std::uint8_t* row = data.data() + y * row_bytes;
      for (std::uint64_t i = samples; i < row_bytes; ++i)
        row[i] = static_cast<std::uint8_t>(row[i] + row[i - samples]);
    }
  }

  Dib dib = Dib::Make(static_cast<int>(width), static_cast<int>(height), depth);
  for (std::uint32_t y = 0; y < height; ++y) {
    const std::uint8_t* s = data.data() + y * row_bytes;
    std::uint8_t* d = dib.MutableRow(static_cast<int>(y));
    if (rgb) {
      for (std::uint32_t x = 0; x < width; ++x, s += samples, d += 3) {
        d[0] = s[2];
        d[1] = s[1];
        d[2] = s[0];
      }
    } else {
      std::memcpy(d, s, static_cast<std::size_t>(row_bytes));
    }
  }
  if (!rgb) {
    const std::uint32_t colours = 1u << bits;
    if (photometric == 3 && colour_map.size() < 3 * colours) Fail("colour map too short");
    // Maps whose values all have a zero low byte carry the byte in the high
    // half (255 as 65280); others use the whole 16-bit range.
    bool byte_in_high_half = true;
    for (std::uint32_t v : colour_map) byte_in_high_half = byte_in_high_half && (v & 0xFF) == 0;
    auto level = [&](std::uint32_t v) {
      return static_cast<int>(byte_in_high_half ? (v >> 8)
                                                : (std::min<std::uint32_t>(v, 65535) * 255 + 32767) / 65535);
    };
    dib.palette.resize(colours);
    for (std::uint32_t i = 0; i < colours; ++i) {
      if (photometric == 3) {
        dib.palette[i] = MakeColor(level(colour_map[i]), level(colour_map[colours + i]),
                                   level(colour_map[2 * colours + i]));
      } else {
        const int step = static_cast<int>(i * 255 / (colours - 1));
        const int grey = photometric == 0 ? 255 - step : step;
        dib.palette[i] = MakeColor(grey, grey, grey);
      }
    }
  }
  return dib;
}

}  // namespace ksv
