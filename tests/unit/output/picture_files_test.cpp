#include "output/picture_files.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "output/bmp.h"
#include "output/gif.h"
#include "output/naming.h"
#include "output/output_error.h"
#include "output/picture_util.h"
#include "output/stream.h"
#include "output/tiff_writer.h"

namespace ksv {
namespace {

namespace fs = std::filesystem;

class PictureFilesTest : public testing::Test {
 protected:
  void SetUp() override { OutputNameCounter = 1; }

  OutputSettings Settings(int format, bool by_time = false) const {
    OutputSettings s;
    s.folder = PathToText(folder_.Path());
    s.format = format;
    s.name_by_time = by_time;
    s.jpeg_quality = 80;
    return s;
  }
  // An 8-bit BMP as a camera driver writes it.
  fs::path WritePaletteBmp(const std::string& name) const {
    Dib d = Dib::Make(9, 6, 8);
    d.bottom_up = true;
    for (int i = 0; i < 256; ++i) d.palette.push_back(MakeColor(i, 255 - i, 3 * i));
    for (int y = 0; y < 6; ++y)
      for (int x = 0; x < 9; ++x) d.MutableRow(y)[x] = static_cast<std::uint8_t>(x * 20 + y);
    const fs::path path = folder_ / name;
    SaveBitmapAsBmp(path, d.View());
    return path;
  }

  test::TempFolder folder_;
  const Raster picture_ = test::PhotoLike(48, 32);
};

TEST_F(PictureFilesTest, EditorSaveWritesEachFormatOfTheTable) {
  struct Case {
    int format;
    PictureFormat expected;
  };
  for (const Case c : {Case{0, PictureFormat::kBmp}, Case{1, PictureFormat::kJpeg},
                       Case{2, PictureFormat::kGif}, Case{3, PictureFormat::kTiff}}) {
    const std::string path = SaveEditorPicture(picture_, Settings(c.format), {"d", "t"});
    const fs::path file = PathFromText(path);
    ASSERT_TRUE(fs::exists(file)) << path;
    EXPECT_EQ(FormatFromSignature(test::FileBytes(file)), c.expected) << path;
    EXPECT_EQ(FormatFromExtension(file), c.expected) << path;
    const Raster back = ToRaster(LoadPictureFile(file).View());
    EXPECT_GT(test::Psnr(picture_, back), 28.0) << path;
  }
  EXPECT_EQ(OutputNameCounter, 5);
  EXPECT_TRUE(fs::exists(folder_ / "截图4.tif"));
}

TEST_F(PictureFilesTest, FormatOutsideTheTableSavesAsJpeg) {
  // A stored choice the table lacks must not end in a success message
  // with nothing written: it saves as the default, JPEG.
  for (const int index : {4, -1, 99}) {
    const fs::path file = PathFromText(SaveEditorPicture(picture_, Settings(index), {"d", "t"}));
    EXPECT_EQ(PathToText(file.extension()), ".jpg") << index;
    EXPECT_EQ(FormatFromSignature(test::FileBytes(file)), PictureFormat::kJpeg) << index;
  }
  SavePicture(picture_, -1, folder_ / "x", 80);
  EXPECT_EQ(FormatFromSignature(test::FileBytes(folder_ / "x")), PictureFormat::kJpeg);
  EXPECT_EQ(OutputNameCounter, 4);
}

TEST_F(PictureFilesTest, TwoTimeSavesInOneSecondKeepBothPictures) {
  const std::string first = SaveEditorPicture(picture_, Settings(1, true), {"2008/10/01", "10:10:10"});
  const std::string second =
      SaveEditorPicture(test::PhotoLike(10, 10), Settings(1, true), {"2008/10/01", "10:10:10"});
  EXPECT_NE(first, second);
  EXPECT_EQ(PathToText(PathFromText(first).filename()), "2008-10-01_10-10-10.jpg");
  EXPECT_EQ(PathToText(PathFromText(second).filename()), "2008-10-01_10-10-10_2.jpg");
  EXPECT_EQ(ToRaster(LoadPictureFile(PathFromText(first)).View()).Width(), 48);
}

TEST_F(PictureFilesTest, SaveAsReplacesTheChosenFile) {
  const std::string chosen = PathToText(folder_ / "a.jpg");
  SaveEditorPictureAs(picture_, Settings(2), chosen);
  SaveEditorPictureAs(test::WithColours(5, 5, 3), Settings(2), chosen);
  const fs::path written = folder_ / "a.jpg.gif";
  EXPECT_TRUE(ToRaster(LoadPictureFile(written).View()).SamePixels(test::WithColours(5, 5, 3)));
  EXPECT_EQ(OutputNameCounter, 1) << "save-as leaves the counter alone";
}

TEST_F(PictureFilesTest, MissingFolderGivesTheCreateFileErrorWithTheSystemsReason) {
  OutputSettings s = Settings(1);
  s.folder = PathToText(folder_ / "missing");
  for (int format = 0; format < 4; ++format) {
    s.format = format;
    try {
      SaveEditorPicture(picture_, s, {"d", "t"});
      ADD_FAILURE() << "format " << format << " reported no error";
    } catch (const OutputError& e) {
      const std::string text = e.what();
      EXPECT_EQ(text.rfind("Cannot create file \"", 0), 0u) << text;
      EXPECT_NE(text.find("missing"), std::string::npos) << text;
      EXPECT_GT(text.size(), text.find("\". ") + 3) << "no reason in: " << text;
    }
  }
}

TEST_F(PictureFilesTest, ConvertersTurnTheBmpIntoTheTargetAndDeleteIt) {
  struct Case {
    const char* target;
    bool (*convert)(const fs::path&, const fs::path&);
    PictureFormat format;
  };
  const Case cases[] = {
      {"s.jpg", [](const fs::path& b, const fs::path& t) { return ConvertBmpToJpeg(b, t, 80); },
       PictureFormat::kJpeg},
      {"s.gif", [](const fs::path& b, const fs::path& t) { return ConvertBmpToGif(b, t); },
       PictureFormat::kGif},
      {"s.tif", [](const fs::path& b, const fs::path& t) { return ConvertBmpToTiff(b, t); },
       PictureFormat::kTiff},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.target);
    const fs::path bmp = WritePaletteBmp("s.bmp");
    const Dib source = LoadBmpFile(bmp);
    EXPECT_TRUE(c.convert(bmp, folder_ / c.target));
    EXPECT_FALSE(fs::exists(bmp));
    const Dib back = LoadPictureFile(folder_ / c.target);
    EXPECT_EQ(FormatFromSignature(test::FileBytes(folder_ / c.target)), c.format);
    if (c.format == PictureFormat::kJpeg) {
      // Nine by six pixels of unrelated hues: chroma subsampling alone costs
      // much here; the check is that the picture came through, not its
      // quality.
      EXPECT_EQ(back.width, 9);
      EXPECT_GT(test::Psnr(ToRaster(source.View()), ToRaster(back.View())), 15.0);
    } else {
      // GIF and TIFF keep the 8-bit palette and indexes.
      EXPECT_EQ(back.bit_count, 8);
      EXPECT_EQ(back.palette, source.palette);
      EXPECT_TRUE(ToRaster(back.View()).SamePixels(ToRaster(source.View())));
    }
  }
}

TEST_F(PictureFilesTest, MissingBmpIsSkippedSilently) {
  EXPECT_FALSE(ConvertBmpToJpeg(folder_ / "none.bmp", folder_ / "none.jpg", 80));
  EXPECT_FALSE(ConvertBmpToGif(folder_ / "none.bmp", folder_ / "none.gif"));
  EXPECT_FALSE(ConvertBmpToTiff(folder_ / "none.bmp", folder_ / "none.tif"));
  EXPECT_TRUE(fs::is_empty(folder_.Path()));
}

TEST_F(PictureFilesTest, UnreadableBmpIsReportedAndKept) {
  const fs::path bmp = folder_ / "bad.bmp";
  WriteWholeFile(bmp, std::vector<std::uint8_t>{'B', 'M', 1, 2, 3});
  try {
    ConvertBmpToGif(bmp, folder_ / "bad.gif");
    FAIL() << "no error";
  } catch (const OutputError& e) {
    EXPECT_STREQ(e.what(), kBitmapNotValid);
  }
  EXPECT_TRUE(fs::exists(bmp));
  EXPECT_FALSE(fs::exists(folder_ / "bad.gif"));
}

TEST_F(PictureFilesTest, BmpStaysWhenTheTargetCannotBeCreated) {
  const fs::path bmp = WritePaletteBmp("k.bmp");
  EXPECT_THROW(ConvertBmpToTiff(bmp, folder_ / "missing" / "k.tif"), OutputError);
  EXPECT_TRUE(fs::exists(bmp));
}

TEST_F(PictureFilesTest, StillsConvertByTheirFormat) {
  const OutputSettings s = Settings(2);
  const StillPaths still = NextSingleStillPaths(s, {"d", "t"}, OutputNameCounter);
  WritePaletteBmp("截图1.bmp");
  EXPECT_TRUE(ConvertStill(still, 80));
  EXPECT_TRUE(fs::exists(folder_ / "截图1.gif"));
  EXPECT_FALSE(fs::exists(folder_ / "截图1.bmp"));

  const StillPaths bmp_still = NextSingleStillPaths(Settings(0), {"d", "t"}, OutputNameCounter);
  WritePaletteBmp("截图2.bmp");
  EXPECT_FALSE(ConvertStill(bmp_still, 80));
  EXPECT_TRUE(fs::exists(folder_ / "截图2.bmp")) << "with format bmp the BMP file is the result";
}

TEST(PictureFormatTest, TableExtensionsAndSignatures) {
  EXPECT_EQ(FormatExtension(0), ".bmp");
  EXPECT_EQ(FormatExtension(1), ".jpg");
  EXPECT_EQ(FormatExtension(2), ".gif");
  EXPECT_EQ(FormatExtension(3), ".tif");
  EXPECT_EQ(FormatExtension(4), ".jpg");
  EXPECT_EQ(FormatFromExtension("A.JPEG"), PictureFormat::kJpeg);
  EXPECT_EQ(FormatFromExtension("a.tiff"), PictureFormat::kTiff);
  EXPECT_EQ(FormatFromExtension("a.png"), std::nullopt);
  EXPECT_THROW(DecodePicture(std::vector<std::uint8_t>{0x89, 'P', 'N', 'G'}), OutputError);
  EXPECT_THROW(LoadPictureFile("/no/such/file.bmp"), OutputError);
}

}  // namespace
}  // namespace ksv
