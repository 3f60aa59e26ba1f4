#include "output/tiff_reader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "output/output_error.h"
#include "output/picture_util.h"
#include "output/stream.h"
#include "output/tiff_writer.h"

namespace ksv {
namespace {

TEST(TiffReaderTest, ReadsEveryLayoutTheWriterMakes) {
  for (const int bits : {4, 8, 24, 32}) {
    SCOPED_TRACE(bits);
    Dib d = Dib::Make(12, 5, bits);
    d.bottom_up = bits != 8;
    if (bits <= 8)
      for (int i = 0; i < (1 << bits); ++i) d.palette.push_back(MakeColor(i, 2 * i, 255 - i));
    for (int y = 0; y < 5; ++y)
      for (std::size_t i = 0; i < d.Stride(); ++i)
        d.MutableRow(y)[i] = static_cast<std::uint8_t>(y * 50 + i * 3);
    MemoryStream out;
    WriteTiff(out, d.View());
    const Dib back = DecodeTiff(out.Bytes());
    EXPECT_EQ(back.bit_count, bits <= 8 ? bits : 24);
    if (bits <= 8) {
      EXPECT_EQ(back.palette, d.palette);
    }
    EXPECT_TRUE(ToRaster(back.View()).SamePixels(ToRaster(d.View())));
  }
}

TEST(TiffReaderTest, RejectsBrokenFiles) {
  MemoryStream out;
  WriteTiff(out, ViewOf(test::PhotoLike(8, 8)));
  std::vector<std::uint8_t> bad_offset = out.Bytes();
  bad_offset[4] = 0xFF;
  bad_offset[5] = 0xFF;
  const std::vector<std::vector<std::uint8_t>> cases = {
      {},
      {'I', 'I', 42, 0},
      {'I', 'I', 43, 0, 8, 0, 0, 0},
      bad_offset,
      std::vector<std::uint8_t>(out.Bytes().begin(), out.Bytes().begin() + 60)};
  for (std::size_t i = 0; i < cases.size(); ++i) EXPECT_THROW(DecodeTiff(cases[i]), OutputError) << i;
}

// --- Files crafted byte by byte ----------------------------------------------

constexpr std::uint16_t kShort = 3;
constexpr std::uint16_t kLong = 4;
// The pixel data of a crafted file starts right after the 8-byte header.
constexpr std::uint32_t kData = 8;

struct Field {
  std::uint16_t tag;
  std::uint16_t type;
  std::vector<std::uint32_t> values;
};

void Put16(std::vector<std::uint8_t>& f, std::uint32_t v) {
  f.push_back(static_cast<std::uint8_t>(v));
  f.push_back(static_cast<std::uint8_t>(v >> 8));
}
void Put32(std::vector<std::uint8_t>& f, std::uint32_t v) {
  Put16(f, v & 0xFFFF);
  Put16(f, v >> 16);
}

// A little-endian TIFF: header, `data` at kData, then one directory with the
// fields, and the values too long for their entry after it.
std::vector<std::uint8_t> Craft(const std::vector<std::uint8_t>& data, std::vector<Field> fields) {
  std::vector<std::uint8_t> f = {'I', 'I', 42, 0};
  const std::uint32_t ifd = static_cast<std::uint32_t>(kData + data.size() + data.size() % 2);
  Put32(f, ifd);
  f.insert(f.end(), data.begin(), data.end());
  f.resize(ifd, 0);
  std::sort(fields.begin(), fields.end(), [](const Field& a, const Field& b) { return a.tag < b.tag; });
  std::vector<std::uint8_t> tail;
  const std::uint32_t tail_at = ifd + 2 + 12 * static_cast<std::uint32_t>(fields.size()) + 4;
  Put16(f, static_cast<std::uint32_t>(fields.size()));
  for (const Field& field : fields) {
    Put16(f, field.tag);
    Put16(f, field.type);
    Put32(f, static_cast<std::uint32_t>(field.values.size()));
    std::vector<std::uint8_t> values;
    for (std::uint32_t v : field.values) field.type == kShort ? Put16(values, v) : Put32(values, v);
    if (values.size() <= 4) {
      values.resize(4, 0);
      f.insert(f.end(), values.begin(), values.end());
    } else {
      Put32(f, tail_at + static_cast<std::uint32_t>(tail.size()));
      tail.insert(tail.end(), values.begin(), values.end());
    }
  }
  Put32(f, 0);
  f.insert(f.end(), tail.begin(), tail.end());
  return f;
}

// The fields of a one-strip picture whose strip is the crafted data.
std::vector<Field> Strip(std::uint32_t width, std::uint32_t height, std::vector<std::uint32_t> bits,
                         std::uint32_t photometric, std::uint32_t bytes, std::uint32_t compression = 1) {
  return {{256, kLong, {width}},
          {257, kLong, {height}},
          {258, kShort, bits},
          {259, kShort, {compression}},
          {262, kShort, {photometric}},
          {273, kLong, {kData}},
          {277, kShort, {static_cast<std::uint32_t>(bits.size())}},
          {278, kLong, {height}},
          {279, kLong, {bytes}}};
}

// The fields with some replaced, added, or (given no values) left out.
std::vector<Field> With(std::vector<Field> fields, const std::vector<Field>& changes) {
  for (const Field& c : changes) {
    auto it = std::find_if(fields.begin(), fields.end(), [&](const Field& f) { return f.tag == c.tag; });
    if (c.values.empty()) {
      if (it != fields.end()) fields.erase(it);
    } else if (it != fields.end()) {
      *it = c;
    } else {
      fields.push_back(c);
    }
  }
  return fields;
}

std::vector<std::uint8_t> Le16Samples(const std::vector<int>& levels) {
  std::vector<std::uint8_t> out;
  for (int v : levels) Put16(out, static_cast<std::uint32_t>(v * 257));
  return out;
}

TEST(TiffReaderTest, ReadsTheLayoutsScannersAndEditorsWrite) {
  const Color red = MakeColor(255, 0, 0), teal = MakeColor(0, 128, 64);
  std::vector<std::uint8_t> tile(16 * 16 * 3, 0);
  tile[0] = 255;
  tile[4] = 128;
  tile[5] = 64;
  // 16-bit grey, 18 x 2 in two 16 x 16 tiles: the right-hand tile is
  // clipped to 2 columns.
  std::vector<int> grey_levels(2 * 16 * 16, 0);
  std::vector<Color> grey_pixels;
  for (int y = 0; y < 2; ++y) {
    for (int x = 0; x < 18; ++x) {
      const int level = (x * 13 + y * 100) % 256;
      grey_levels[static_cast<std::size_t>((x / 16) * 256 + y * 16 + x % 16)] = level;
      grey_pixels.push_back(MakeColor(level, level, level));
    }
  }
  struct Case {
    const char* what;
    std::vector<std::uint8_t> file;
    int bit_count;
    std::vector<Color> pixels;  // top-down, left to right
  };
  const std::vector<Case> cases = {
      {"8-bit grey keeps its depth",
       Craft({0, 128, 255, 10, 20, 30}, Strip(3, 2, {8}, 1, 6)),
       8,
       {MakeColor(0, 0, 0), MakeColor(128, 128, 128), MakeColor(255, 255, 255), MakeColor(10, 10, 10),
        MakeColor(20, 20, 20), MakeColor(30, 30, 30)}},
      {"1-bit min-is-white PackBits keeps its depth",
       Craft({0x00, 0xF0}, Strip(8, 1, {1}, 0, 2, 32773)),
       1,
       {MakeColor(0, 0, 0), MakeColor(0, 0, 0), MakeColor(0, 0, 0), MakeColor(0, 0, 0),
        MakeColor(255, 255, 255), MakeColor(255, 255, 255), MakeColor(255, 255, 255),
        MakeColor(255, 255, 255)}},
      {"16-bit RGB",
       Craft(Le16Samples({255, 0, 0, 0, 128, 64}), Strip(2, 1, {16, 16, 16}, 2, 12)),
       24,
       {red, teal}},
      {"planar RGB",
       Craft(
           {255, 0, 0, 128, 0, 64},
           With(Strip(2, 1, {8, 8, 8}, 2, 2),
                {{273, kLong, {kData, kData + 2, kData + 4}}, {279, kLong, {2, 2, 2}}, {284, kShort, {2}}})),
       24,
       {red, teal}},
      {"tiled RGB",
       Craft(tile, With(Strip(2, 1, {8, 8, 8}, 2, 0), {{273, kLong, {}},
                                                       {278, kLong, {}},
                                                       {279, kLong, {}},
                                                       {322, kShort, {16}},
                                                       {323, kShort, {16}},
                                                       {324, kLong, {kData}},
                                                       {325, kLong, {768}}})),
       24,
       {red, teal}},
      {"16-bit grey in clipped tiles",
       Craft(Le16Samples(grey_levels), With(Strip(18, 2, {16}, 1, 0), {{273, kLong, {}},
                                                                       {278, kLong, {}},
                                                                       {279, kLong, {}},
                                                                       {322, kShort, {16}},
                                                                       {323, kShort, {16}},
                                                                       {324, kLong, {kData, kData + 512}},
                                                                       {325, kLong, {512, 512}}})),
       24, grey_pixels},
      {"RGBA with unassociated alpha, over black",
       Craft({200, 100, 50, 255, 200, 100, 50, 51, 200, 100, 50, 0},
             With(Strip(3, 1, {8, 8, 8, 8}, 2, 12), {{338, kShort, {2}}})),
       24,
       {MakeColor(200, 100, 50), MakeColor(40, 20, 10), MakeColor(0, 0, 0)}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const Dib dib = DecodeTiff(c.file);
    EXPECT_EQ(dib.bit_count, c.bit_count);
    const Raster pixels = ToRaster(dib.View());
    ASSERT_EQ(static_cast<std::size_t>(pixels.Width()) * pixels.Height(), c.pixels.size());
    for (int y = 0; y < pixels.Height(); ++y)
      for (int x = 0; x < pixels.Width(); ++x)
        EXPECT_EQ(pixels.Pixel(x, y), c.pixels[static_cast<std::size_t>(y * pixels.Width() + x)])
            << x << "," << y;
  }
}

TEST(TiffReaderTest, RefusesCraftedFilesWithAOneLineMessage) {
  const std::vector<std::uint8_t> kilobytes(45000, 0x55);
  const std::vector<std::uint8_t> short_data(50, 7);
  struct Case {
    const char* what;
    std::vector<std::uint8_t> file;
    const char* message_part;
  };
  const std::vector<Case> cases = {
      {"1-bit strip 1.5 billion pixels wide", Craft(kilobytes, Strip(1500000000, 1, {1}, 1, 45000)),
       "picture too large: 1500000000 x 1"},
      {"too many pixels in all", Craft(kilobytes, Strip(40000, 40000, {1}, 1, 45000)), "picture too large"},
      {"60000 samples per pixel",
       Craft(kilobytes, With(Strip(100, 100, {8}, 1, 45000), {{277, kShort, {60000}}})), "samples per pixel"},
      {"64 bits per sample", Craft(kilobytes, Strip(10, 10, {64}, 1, 800)), "bits per sample"},
      {"strip past the end of the file",
       Craft(short_data, With(Strip(10, 5, {8}, 1, 50), {{273, kLong, {1000000}}})),
       "past the end of the file"},
      {"file far shorter than its strip", Craft(short_data, Strip(100, 100, {8}, 1, 10000)),
       "past the end of the file"},
      {"compressed strip far shorter than the picture",
       Craft(short_data, Strip(1000, 1000, {8, 8, 8}, 2, 50, 8)), "image data too short"},
      {"uncompressed strips shorter than the picture",
       Craft(short_data,
             With(Strip(20, 20, {8}, 1, 25),
                  {{273, kLong, {kData, kData + 25}}, {278, kLong, {10}}, {279, kLong, {25, 25}}})),
       "image data too short"},
      {"no width", Craft(short_data, Strip(0, 5, {8}, 1, 50)), "TIFF image not readable"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    try {
      DecodeTiff(c.file);
      ADD_FAILURE() << "read";
    } catch (const OutputError& e) {
      const std::string message = e.what();
      EXPECT_NE(message.find(c.message_part), std::string::npos) << message;
      EXPECT_EQ(message.find('\n'), std::string::npos) << message;
    }
  }
}

}  // namespace
}  // namespace ksv
