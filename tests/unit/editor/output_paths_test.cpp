#include "editor/output_paths.h"

#include <gtest/gtest.h>

namespace ksv::editor {
namespace {

TEST(OutputPathsTest, WallpaperGoesUnderTheWindowsFolder) {
  EXPECT_EQ(WallpaperFolder("C:\\windows"), "C:\\windows\\Web\\Wallpaper");
  EXPECT_EQ(WallpaperPath("C:\\windows", "截图"), "C:\\windows\\Web\\Wallpaper\\截图.bmp");
  EXPECT_EQ(WallpaperPath("D:\\WINNT", "shot"), "D:\\WINNT\\Web\\Wallpaper\\shot.bmp");
}

TEST(OutputPathsTest, DriveRootGetsNoDoubledSeparator) {
  EXPECT_EQ(WallpaperFolder("E:\\"), "E:\\Web\\Wallpaper");
}

TEST(OutputPathsTest, SaveDialogStartsWithJietuAndRemembersNameAndFolder) {
  SaveAsMemory memory;
  EXPECT_EQ(memory.FileName(), "jietu");
  EXPECT_EQ(memory.Folder(), "");
  memory.Remember("C:\\图片\\a.jpg");
  EXPECT_EQ(memory.FileName(), "a.jpg");
  EXPECT_EQ(memory.Folder(), "C:\\图片");
  memory.Remember("b");
  EXPECT_EQ(memory.FileName(), "b");
  EXPECT_EQ(memory.Folder(), "C:\\图片");
}

std::uint32_t Read32(const std::vector<std::uint8_t>& d, std::size_t at) {
  return d[at] | (d[at + 1] << 8) | (d[at + 2] << 16) | (static_cast<std::uint32_t>(d[at + 3]) << 24);
}

TEST(OutputPathsTest, PackedDibHasTheHeaderAndBottomUpRows) {
  Raster picture(3, 2, MakeColor(0, 0, 0));
  picture.SetPixel(0, 0, MakeColor(0x11, 0x22, 0x33));  // top left
  picture.SetPixel(2, 1, MakeColor(0x44, 0x55, 0x66));  // bottom right
  const std::vector<std::uint8_t> dib = PackedDib(picture);
  const std::size_t stride = 12;  // 9 bytes padded to 12
  ASSERT_EQ(dib.size(), kBitmapInfoHeaderSize + 2 * stride);
  EXPECT_EQ(Read32(dib, 0), 40u);
  EXPECT_EQ(Read32(dib, 4), 3u);
  EXPECT_EQ(Read32(dib, 8), 2u);
  EXPECT_EQ(dib[14], 24);
  EXPECT_EQ(Read32(dib, 16), 0u);
  EXPECT_EQ(Read32(dib, 20), 2 * stride);
  // The bottom row comes first: its last pixel is blue, green, red.
  const std::size_t bottom_right = kBitmapInfoHeaderSize + 6;
  EXPECT_EQ(dib[bottom_right], 0x66);
  EXPECT_EQ(dib[bottom_right + 1], 0x55);
  EXPECT_EQ(dib[bottom_right + 2], 0x44);
  const std::size_t top_left = kBitmapInfoHeaderSize + stride;
  EXPECT_EQ(dib[top_left], 0x33);
  EXPECT_EQ(dib[top_left + 2], 0x11);
}

TEST(OutputPathsTest, EmptyPictureIsJustTheHeader) {
  const std::vector<std::uint8_t> dib = PackedDib(Raster());
  EXPECT_EQ(dib.size(), kBitmapInfoHeaderSize);
}

}  // namespace
}  // namespace ksv::editor
