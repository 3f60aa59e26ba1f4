// A save never loses a picture: every writer replaces its target only with
// a complete file, a failure leaves an existing file byte for byte as it
// was and no temporary file behind, and a camera still is deleted only
// once its conversion is complete.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "output/bmp.h"
#include "output/dib.h"
#include "output/naming.h"
#include "output/output_error.h"
#include "output/picture_files.h"
#include "output/picture_util.h"
#include "output/stream.h"
#include "output/tiff_writer.h"

#ifndef _WIN32
#include <unistd.h>
#endif

namespace ksv {
namespace {

namespace fs = std::filesystem;

const std::vector<std::uint8_t> kOldBytes = {'o', 'l', 'd', ' ', 'p', 'i', 'c', 't', 'u', 'r', 'e'};

std::vector<std::string> Names(const fs::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder))
    names.push_back(PathToText(entry.path().filename()));
  return names;
}

class SafeSaveTest : public testing::Test {
 protected:
  void TearDown() override { SetFileReplacer(nullptr); }

  // The target holds an older picture before each failing save.
  fs::path OldTarget(const std::string& name) {
    const fs::path path = folder_ / name;
    WriteWholeFile(path, kOldBytes);
    return path;
  }
  void ExpectUntouched(const fs::path& path) {
    EXPECT_EQ(test::FileBytes(path), kOldBytes) << PathToText(path);
    EXPECT_EQ(Names(folder_.Path()), std::vector<std::string>{PathToText(path.filename())})
        << "a temporary file was left behind";
  }

  test::TempFolder folder_;
};

TEST_F(SafeSaveTest, EncoderFailuresLeaveTheExistingFileAsItWas) {
  struct Case {
    const char* what;
    const char* name;
    std::function<void(const fs::path&)> save;
  };
  const Raster wide(65536, 1);
  const Case cases[] = {
      {"empty picture as BMP", "a.bmp", [](const fs::path& p) { SavePicture(Raster(), 0, p, 80); }},
      {"empty picture as JPEG", "a.jpg", [](const fs::path& p) { SavePicture(Raster(), 1, p, 80); }},
      {"empty picture as GIF", "a.gif", [](const fs::path& p) { SavePicture(Raster(), 2, p, 80); }},
      {"empty picture as TIFF", "a.tif", [](const fs::path& p) { SavePicture(Raster(), 3, p, 80); }},
      {"empty picture, unknown format", "a.x", [](const fs::path& p) { SavePicture(Raster(), 9, p, 80); }},
      {"GIF wider than 65535", "w.gif", [&](const fs::path& p) { SavePicture(wide, 2, p, 80); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const fs::path target = OldTarget(c.name);
    EXPECT_THROW(c.save(target), OutputError);
    ExpectUntouched(target);
    fs::remove(target);
  }
}

TEST_F(SafeSaveTest, AWriteThatIsNeverCommittedLeavesNothing) {
  const fs::path target = OldTarget("half.bmp");
  {
    FileStream stream(target);
    stream.Write(std::vector<std::uint8_t>(1000, 7));
    EXPECT_TRUE(fs::exists(stream.TemporaryPath()));
    EXPECT_EQ(stream.TemporaryPath().parent_path(), target.parent_path()) << "beside the target";
  }  // as when a writer throws half way
  ExpectUntouched(target);
}

TEST_F(SafeSaveTest, AFailedReplacementKeepsTheTargetAndNamesIt) {
  const fs::path target = OldTarget("locked.jpg");
  SetFileReplacer([](const fs::path&, const fs::path&) -> unsigned long { return 13; });
  try {
    SavePicture(test::PhotoLike(8, 8), 1, target, 80);
    ADD_FAILURE() << "no error";
  } catch (const OutputError& e) {
    EXPECT_EQ(std::string(e.what()).rfind("Cannot create file \"" + PathToText(target) + "\". ", 0), 0u)
        << e.what();
  }
  ExpectUntouched(target);
}

TEST_F(SafeSaveTest, ACompleteSaveReplacesTheFileWithTheNewPicture) {
  const Raster picture = test::PhotoLike(12, 9);
  for (int format = 0; format < 4; ++format) {
    SCOPED_TRACE(format);
    const fs::path target = OldTarget("new" + std::string(FormatExtension(format)));
    SavePicture(picture, format, target, 90);
    EXPECT_EQ(ToRaster(LoadPictureFile(target).View()).Width(), 12);
    fs::remove(target);
  }
  EXPECT_TRUE(fs::is_empty(folder_.Path()));
}

TEST_F(SafeSaveTest, MissingFolderTouchesNothing) {
  const fs::path target = OldTarget("keep.bmp");
  EXPECT_THROW(SavePicture(test::PhotoLike(4, 4), 0, folder_ / "missing" / "keep.bmp", 80), OutputError);
  ExpectUntouched(target);
}

#ifndef _WIN32
TEST_F(SafeSaveTest, ReadOnlyTargetIsRefusedAndKept) {
  if (geteuid() == 0) GTEST_SKIP() << "root may write a read-only file";
  const fs::path target = OldTarget("ro.bmp");
  fs::permissions(target, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  EXPECT_THROW(SavePicture(test::PhotoLike(4, 4), 0, target, 80), OutputError);
  ExpectUntouched(target);
  fs::permissions(target, fs::perms::owner_all);
}
#endif

// A still the TIFF layout cannot hold as it is (1 bit, or 4 bits narrower
// than four pixels) is converted whole through the 24-bit layout, and the
// driver's BMP goes only once the TIFF is in place.
TEST_F(SafeSaveTest, StillsOfEveryDepthConvertToTiffWhole) {
  struct Case {
    int bits;
    int width;
  };
  for (const Case c : {Case{1, 13}, Case{1, 1}, Case{4, 3}, Case{4, 1}, Case{4, 8}, Case{8, 3}}) {
    SCOPED_TRACE(std::to_string(c.bits) + " bits, " + std::to_string(c.width) + " wide");
    Dib d = Dib::Make(c.width, 5, c.bits);
    d.bottom_up = true;
    const int colours = 1 << c.bits;
    for (int i = 0; i < colours; ++i) d.palette.push_back(MakeColor(i * 255 / (colours - 1), 40, 255 - i));
    for (int y = 0; y < 5; ++y) {
      for (int x = 0; x < c.width; ++x) {
        const int v = (x + 2 * y) % colours;
        std::uint8_t* row = d.MutableRow(y);
        if (c.bits == 8) row[x] = static_cast<std::uint8_t>(v);
        if (c.bits == 4) row[x / 2] |= static_cast<std::uint8_t>(x % 2 == 0 ? v << 4 : v);
        if (c.bits == 1) row[x / 8] |= static_cast<std::uint8_t>(v << (7 - x % 8));
      }
    }
    const fs::path bmp = folder_ / "still.bmp";
    const fs::path tif = folder_ / "still.tif";
    SaveBitmapAsBmp(bmp, d.View());
    ASSERT_TRUE(ConvertBmpToTiff(bmp, tif));
    EXPECT_FALSE(fs::exists(bmp));
    const Raster back = ToRaster(LoadPictureFile(tif).View());
    EXPECT_TRUE(back.SamePixels(ToRaster(d.View()))) << back.Width() << " x " << back.Height();
    fs::remove(tif);
  }
}

TEST_F(SafeSaveTest, EmptyPictureIsAnErrorInEveryFormat) {
  for (int format = 0; format < 4; ++format) {
    SCOPED_TRACE(format);
    EXPECT_THROW(SavePicture(Raster(), format, folder_ / "empty", 80), OutputError);
    EXPECT_THROW(SaveBitmap(Dib().View(), SaveFormatFromIndex(format), folder_ / "empty", 80), OutputError);
  }
  EXPECT_TRUE(fs::is_empty(folder_.Path()));
}

TEST(TiffSizeTest, FilesPastTheOffsetsReachAreRefused) {
  // The size is worked out from the header alone: no 4 GiB of pixels is
  // needed to see it refused.
  DibView huge;
  huge.width = 40000;
  huge.height = 40000;
  huge.bit_count = 24;
  static const std::uint8_t pixel[3] = {};
  huge.bits = pixel;
  EXPECT_GT(TiffFileSize(huge), 0xFFFFFFFFull);
  MemoryStream out;
  EXPECT_THROW(WriteTiff(out, huge), OutputError);
  EXPECT_TRUE(out.Bytes().empty());

  DibView fits = huge;
  fits.width = 37000;
  fits.height = 38000;
  EXPECT_LT(TiffFileSize(fits), 0xFFFFFFFFull);
}

}  // namespace
}  // namespace ksv
