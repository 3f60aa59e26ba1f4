#include "output/tiff_reader.h"

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace ksv
