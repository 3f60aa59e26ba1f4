#include "output/bmp.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <limits>
#include <optional>
#include <vector>

#include "output/byte_io.h"
#include "output/output_error.h"
#include "output/size_limits.h"

namespace ksv {

const char kEmptyBmpMessage[] = "图像为空，不能保存为 BMP 文件";
const char kBmpTooLargeMessage[] = "图像太大，不能保存为 BMP 文件：文件会超过 4 GB";

namespace {

constexpr std::uint32_t kBiRgb = 0;
constexpr std::uint32_t kBiRle8 = 1;
constexpr std::uint32_t kBiRle4 = 2;
constexpr std::uint32_t kBiBitfields = 3;
constexpr std::uint32_t kBiAlphaBitfields = 6;
constexpr std::size_t kFileHeaderSize = 14;
constexpr std::size_t kInfoHeaderSize = 40;

bool IsStandard555(const DibView& dib) {
  return dib.red_mask == 0x7C00 && dib.green_mask == 0x03E0 && dib.blue_mask == 0x001F;
}

[[noreturn]] void Invalid() { throw OutputError(kBitmapNotValid); }

bool Contiguous(std::uint32_t mask) {
  if (mask == 0) return false;
  const std::uint32_t run = mask >> std::countr_zero(mask);
  return (run & (run + 1)) == 0;
}

// Repacks 32-bit pixels with unusual masks into blue, green, red, unused.
void NormaliseBitfields32(Dib& dib, std::uint32_t rmask, std::uint32_t gmask, std::uint32_t bmask) {
  auto channel = [](std::uint32_t v, std::uint32_t mask) -> std::uint8_t {
    if (mask == 0) return 0;
    const int shift = std::countr_zero(mask);
    const std::uint32_t max = mask >> shift;
    return static_cast<std::uint8_t>((static_cast<std::uint64_t>((v & mask) >> shift) * 255 + max / 2) / max);
  };
  for (int y = 0; y < dib.height; ++y) {
    std::uint8_t* p = dib.MutableRow(y);
    for (int x = 0; x < dib.width; ++x, p += 4) {
      const std::uint32_t v = bytes::Le32(p);
      p[0] = channel(v, bmask);
      p[1] = channel(v, gmask);
      p[2] = channel(v, rmask);
      p[3] = 0;
    }
  }
}

// Run-length encoded 8- and 4-bit pixels into plain rows (bottom-up, as
// such files always are). Pixels the runs skip stay index 0. The position
// never leaves the bitmap: a run past the right edge is clipped, as sloppy
// encoders write them, while a delta past the right edge or the top is no
// picture and refuses the file, so a long chain of deltas cannot wrap the
// position to somewhere before the row.
void DecodeRle(const std::uint8_t* s, std::size_t n, bool four_bit, Dib& dib) {
  const int width = dib.width;
  int x = 0, y = 0;  // y counts stored rows, from the bottom; 0 <= x <= width
  auto advance = [&](int count) {
    x = static_cast<int>(std::min<std::int64_t>(std::int64_t{x} + count, width));
  };
  // Writes `count` pixels from x on, as many as fit in the row; pixel(k)
  // gives the k-th index.
  auto put = [&](int count, auto pixel) {
    if (y >= dib.height) return;
    std::uint8_t* row = dib.bits.data() + static_cast<std::size_t>(y) * dib.Stride();
    const int fit = std::min(count, width - x);
    for (int k = 0; k < fit; ++k) {
      const int at = x + k, index = pixel(k);
      if (four_bit) {
        std::uint8_t& b = row[at >> 1];
        b = (at & 1) ? static_cast<std::uint8_t>((b & 0xF0) | (index & 0x0F))
                     : static_cast<std::uint8_t>((b & 0x0F) | (index << 4));
      } else {
        row[at] = static_cast<std::uint8_t>(index);
      }
    }
    advance(count);
  };
  std::size_t i = 0;
  while (i + 1 < n && y < dib.height) {
    const int count = s[i], value = s[i + 1];
    i += 2;
    if (count > 0) {
      put(count, [&](int k) { return four_bit ? ((k & 1) ? value & 0x0F : value >> 4) : value; });
    } else if (value == 0) {
      x = 0;
      ++y;
    } else if (value == 1) {
      return;
    } else if (value == 2) {
      if (i + 1 >= n) Invalid();
      if (s[i] > width - x || s[i + 1] > dib.height - y) Invalid();
      x += s[i];
      y += s[i + 1];
      i += 2;
    } else {
      const std::size_t bytes_used =
          four_bit ? (static_cast<std::size_t>(value) + 1) / 2 : static_cast<std::size_t>(value);
      if (bytes_used > n - i) Invalid();
      const std::uint8_t* run = s + i;
      put(value, [&](int k) { return four_bit ? ((k & 1) ? run[k / 2] & 0x0F : run[k / 2] >> 4) : run[k]; });
      i += std::min(n - i, (bytes_used + 1) & ~static_cast<std::size_t>(1));
    }
  }
}

// stride * rows + last in 64 bits, saturating instead of wrapping: a claim
// that large is simply more than any file holds.
std::uint64_t SaturatingSize(std::uint64_t stride, std::uint64_t rows, std::uint64_t last) {
  constexpr std::uint64_t kMax = std::numeric_limits<std::uint64_t>::max();
  if (rows != 0 && stride > (kMax - last) / rows) return kMax;
  return stride * rows + last;
}

// Zero-filled pixels for a size CheckPictureSize has accepted.
std::vector<std::uint8_t> ZeroedPixels(std::uint64_t width, std::uint64_t height, int bit_count) {
  const std::optional<DibLayout> layout =
      DibLayoutFor(static_cast<std::int64_t>(width), static_cast<std::int64_t>(height), bit_count);
  if (!layout)
    throw OutputError(
        PictureTooLargeMessage(static_cast<std::int64_t>(width), static_cast<std::int64_t>(height)));
  return std::vector<std::uint8_t>(static_cast<std::size_t>(layout->byte_size), 0);
}

}  // namespace

void WriteBmp(OutputStream& out, const DibView& dib) {
  const bool empty = dib.Empty();
  const int bit_count = empty ? 24 : dib.bit_count;
  const int width = empty ? 0 : dib.width;
  const int height = empty ? 0 : dib.height;

  std::uint32_t palette_entries = 0;
  std::uint32_t clr_used = 0;
  if (IsPaletteDepth(bit_count)) {
    const std::uint32_t full = 1u << bit_count;
    palette_entries = dib.palette.empty()
                          ? full
                          : std::min<std::uint32_t>(static_cast<std::uint32_t>(dib.palette.size()), full);
    clr_used = palette_entries == full ? 0 : palette_entries;
  }
  const bool bitfields = bit_count == 16 && !IsStandard555(dib);
  const std::size_t stride = DibStride(width, bit_count);
  const std::uint64_t image_size = static_cast<std::uint64_t>(stride) * static_cast<std::uint64_t>(height);
  const std::uint32_t offset = static_cast<std::uint32_t>(kFileHeaderSize + kInfoHeaderSize +
                                                          (bitfields ? 12 : 0) + 4 * palette_entries);
  // The headers hold the file and pixel sizes in 32 bits.
  if (offset + image_size > 0xFFFFFFFFu) throw OutputError(kBmpTooLargeMessage);

  std::vector<std::uint8_t> head(offset, 0);
  std::uint8_t* h = head.data();
  h[0] = 'B';
  h[1] = 'M';
  bytes::PutLe32(h + 2, static_cast<std::uint32_t>(offset + image_size));
  bytes::PutLe32(h + 10, offset);
  std::uint8_t* info = h + kFileHeaderSize;
  bytes::PutLe32(info + 0, kInfoHeaderSize);
  bytes::PutLe32(info + 4, static_cast<std::uint32_t>(width));
  bytes::PutLe32(info + 8, static_cast<std::uint32_t>(height));
  bytes::PutLe16(info + 12, 1);
  bytes::PutLe16(info + 14, static_cast<std::uint32_t>(bit_count));
  bytes::PutLe32(info + 16, bitfields ? kBiBitfields : kBiRgb);
  bytes::PutLe32(info + 20, static_cast<std::uint32_t>(image_size));
  bytes::PutLe32(info + 32, clr_used);
  std::uint8_t* after = info + kInfoHeaderSize;
  if (bitfields) {
    bytes::PutLe32(after + 0, dib.red_mask);
    bytes::PutLe32(after + 4, dib.green_mask);
    bytes::PutLe32(after + 8, dib.blue_mask);
    after += 12;
  }
  for (std::uint32_t i = 0; i < palette_entries; ++i) {
    const Color c = i < dib.palette.size() ? dib.palette[i] : Color{0};
    after[i * 4 + 0] = static_cast<std::uint8_t>(BlueOf(c));
    after[i * 4 + 1] = static_cast<std::uint8_t>(GreenOf(c));
    after[i * 4 + 2] = static_cast<std::uint8_t>(RedOf(c));
  }
  out.Write(head);
  if (empty) return;

  // Bottom-up rows; the padding of each row is written as zero whatever
  // the source holds there.
  const std::size_t used = (static_cast<std::size_t>(width) * static_cast<std::size_t>(bit_count) + 7) / 8;
  std::vector<std::uint8_t> row(stride, 0);
  for (int y = height - 1; y >= 0; --y) {
    std::memcpy(row.data(), dib.Row(y), used);
    out.Write(row.data(), stride);
  }
}

void SaveBitmapAsBmp(const std::filesystem::path& path, const DibView& dib) {
  // A header-only file is no picture: an empty bitmap is refused before
  // the target is touched.
  if (dib.Empty() || dib.bits == nullptr) throw OutputError(kEmptyBmpMessage);
  FileStream file(path);
  WriteBmp(file, dib);
  file.Commit();
}

void SaveBitmapAsBmp(const std::filesystem::path& path, const Raster& picture) {
  SaveBitmapAsBmp(path, ViewOf(picture));
}

Dib ReadBmp(std::span<const std::uint8_t> file) {
  const std::uint8_t* f = file.data();
  const std::size_t size = file.size();
  if (size < kFileHeaderSize + 12 || f[0] != 'B' || f[1] != 'M') Invalid();
  const std::uint32_t off_bits = bytes::Le32(f + 10);
  const std::uint32_t header_size = bytes::Le32(f + 14);
  if (header_size > size - kFileHeaderSize) Invalid();
  const std::uint8_t* info = f + kFileHeaderSize;

  std::int64_t width = 0, height = 0;
  int bit_count = 0;
  std::uint32_t compression = kBiRgb;
  std::uint32_t clr_used = 0;
  std::size_t palette_entry_size = 4;
  std::uint32_t rmask = 0, gmask = 0, bmask = 0;
  std::size_t after_header = kFileHeaderSize + header_size;

  if (header_size == 12) {
    width = bytes::Le16(info + 4);
    height = bytes::Le16(info + 6);
    bit_count = bytes::Le16(info + 10);
    palette_entry_size = 3;
  } else if (header_size == 40 || header_size == 52 || header_size == 56 || header_size == 64 ||
             header_size == 108 || header_size == 124) {
    width = static_cast<std::int32_t>(bytes::Le32(info + 4));
    height = static_cast<std::int32_t>(bytes::Le32(info + 8));
    bit_count = bytes::Le16(info + 14);
    compression = bytes::Le32(info + 16);
    clr_used = bytes::Le32(info + 32);
    if (compression == kBiBitfields || compression == kBiAlphaBitfields) {
      if (header_size == 64) Invalid();  // OS/2 headers give this value another meaning
      const std::uint8_t* masks = info + 40;
      if (header_size == 40) {
        const std::size_t mask_bytes = compression == kBiAlphaBitfields ? 16 : 12;
        if (after_header + mask_bytes > size) Invalid();
        after_header += mask_bytes;
      }
      rmask = bytes::Le32(masks);
      gmask = bytes::Le32(masks + 4);
      bmask = bytes::Le32(masks + 8);
    }
  } else {
    Invalid();
  }

  const bool top_down = height < 0;
  if (top_down) height = -height;
  if (width == 0 && height == 0) return Dib();  // the empty bitmap that WriteBmp makes
  if (width <= 0 || height <= 0 || width > std::numeric_limits<std::int32_t>::max() ||
      height > std::numeric_limits<std::int32_t>::max())
    Invalid();
  switch (bit_count) {
    case 1:
    case 24:
      if (compression != kBiRgb) Invalid();
      break;
    case 4:
      if (compression != kBiRgb && !(compression == kBiRle4 && !top_down)) Invalid();
      break;
    case 8:
      if (compression != kBiRgb && !(compression == kBiRle8 && !top_down)) Invalid();
      break;
    case 16:
    case 32:
      if (compression != kBiRgb && compression != kBiBitfields && compression != kBiAlphaBitfields) Invalid();
      if (compression != kBiRgb && !(Contiguous(rmask) && Contiguous(gmask) && Contiguous(bmask))) Invalid();
      if (bit_count == 16 && ((rmask | gmask | bmask) >> 16) != 0) Invalid();
      break;
    default:
      Invalid();
  }

  Dib dib;
  dib.width = static_cast<int>(width);
  dib.height = static_cast<int>(height);
  dib.bit_count = bit_count;
  dib.bottom_up = !top_down;

  std::size_t palette_end = after_header;
  if (IsPaletteDepth(bit_count)) {
    const std::uint32_t full = 1u << bit_count;
    const std::uint32_t entries = (clr_used == 0 || clr_used > full) ? full : clr_used;
    const std::size_t bytes_needed = entries * palette_entry_size;
    if (after_header + bytes_needed > size) Invalid();
    dib.palette.resize(entries);
    const std::uint8_t* p = f + after_header;
    for (std::uint32_t i = 0; i < entries; ++i, p += palette_entry_size)
      dib.palette[i] = MakeColor(p[2], p[1], p[0]);
    palette_end += bytes_needed;
  }

  if (compression == kBiRle4 || compression == kBiRle8) {
    CheckPictureSize(width, height);
    const std::size_t pixels_at = (off_bits >= palette_end && off_bits < size) ? off_bits : palette_end;
    if (pixels_at >= size) Invalid();
    // A run can cover at most 255 pixels per 2 bytes: a larger claim is a
    // broken header, not a picture.
    if (static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(height) / 128 > size) Invalid();
    dib.bits = ZeroedPixels(static_cast<std::uint64_t>(width), static_cast<std::uint64_t>(height), bit_count);
    DecodeRle(f + pixels_at, size - pixels_at, compression == kBiRle4, dib);
    return dib;
  }
  // Uncompressed rows have a fixed size, so the file's length tells how
  // much of the claim it holds. Some writers leave out the padding of the
  // last row, and a transfer cut off near the end still deserves to be
  // shown, with the rows it lacks left zero (black, or palette index 0).
  // A file with less than three quarters of its pixel bytes is a header
  // claiming what is not there, and is refused before anything is
  // allocated for it.
  const std::uint64_t stride = ((static_cast<std::uint64_t>(width) * bit_count + 31) / 32) * 4;
  const std::uint64_t used =
      (static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(bit_count) + 7) / 8;
  const std::size_t pixels_at = (off_bits >= palette_end && off_bits < size) ? off_bits : palette_end;
  const std::uint64_t available = size - std::min(size, pixels_at);
  const std::uint64_t needed = SaturatingSize(stride, static_cast<std::uint64_t>(height - 1), used);
  if (available < needed - needed / 4) Invalid();
  CheckPictureSize(width, height);
  dib.bits = ZeroedPixels(static_cast<std::uint64_t>(width), static_cast<std::uint64_t>(height), bit_count);
  std::memcpy(dib.bits.data(), f + pixels_at,
              static_cast<std::size_t>(std::min<std::uint64_t>(available, dib.bits.size())));

  if (bit_count == 16 && compression != kBiRgb) {
    dib.red_mask = rmask;
    dib.green_mask = gmask;
    dib.blue_mask = bmask;
  } else if (bit_count == 32 && compression != kBiRgb &&
             !(rmask == 0x00FF0000 && gmask == 0x0000FF00 && bmask == 0x000000FF)) {
    NormaliseBitfields32(dib, rmask, gmask, bmask);
  }
  return dib;
}

Dib LoadBmpFile(const std::filesystem::path& path) { return ReadBmp(ReadWholeFile(path)); }

}  // namespace ksv
