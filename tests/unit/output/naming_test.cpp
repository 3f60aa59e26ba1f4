#include "output/naming.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace ksv {
namespace {

const DateTimeTexts kExampleTime{"2008-10-01", "10:10:10"};

OutputSettings ByTemplate(int format = 1, std::string folder = "D:\\图片") {
  OutputSettings s;
  s.name_by_time = false;
  s.folder = std::move(folder);
  s.format = format;
  return s;
}

OutputSettings ByTime(int format = 1, std::string folder = "D:\\图片") {
  OutputSettings s = ByTemplate(format, std::move(folder));
  s.name_by_time = true;
  return s;
}

// A folder whose files are listed here rather than on disk.
struct FakeFolder {
  std::set<std::string> files;
  PathTaken Taken() const {
    return [this](const std::string& path) { return files.count(path) > 0; };
  }
};

TEST(NamingTest, TimeNameOfTheDocumentedExample) {
  EXPECT_EQ(TimeBaseName(kExampleTime), "2008-10-01_10-10-10");
  FakeFolder folder;
  int counter = 1;
  EXPECT_EQ(NextEditorSavePath(ByTime(), kExampleTime, counter, folder.Taken()),
            "D:\\图片\\2008-10-01_10-10-10.jpg");
  EXPECT_EQ(counter, 2) << "a time-named save advances the counter too";
}

TEST(NamingTest, CharactersThatFileNamesCannotHoldBecomeHyphens) {
  EXPECT_EQ(CleanFileNameText("2008/10/1"), "2008-10-1");
  EXPECT_EQ(CleanFileNameText("a\\b/c:d*e?f\"g<h>i|j"), "a-b-c-d-e-f-g-h-i-j");
  EXPECT_EQ(CleanFileNameText(std::string("x\ty\x01z")), "x-y-z");
  EXPECT_EQ(CleanFileNameText("2008年10月1日 上午 10.10"), "2008年10月1日 上午 10.10");
  EXPECT_EQ(TimeBaseName({"2008/10/1", "上午 10:10:10"}), "2008-10-1_上午 10-10-10");
}

TEST(NamingTest, TemplateNamesCountFromOne) {
  FakeFolder folder;
  int counter = 1;
  EXPECT_EQ(NextEditorSavePath(ByTemplate(1), kExampleTime, counter, folder.Taken()), "D:\\图片\\截图1.jpg");
  EXPECT_EQ(NextEditorSavePath(ByTemplate(2), kExampleTime, counter, folder.Taken()), "D:\\图片\\截图2.gif");
  EXPECT_EQ(counter, 3);
  EXPECT_EQ(TemplateBaseName("截图", 12), "截图12");
}

TEST(NamingTest, EditorSaveAndSingleStillShareTheCounter) {
  FakeFolder folder;
  int counter = 1;
  EXPECT_EQ(NextEditorSavePath(ByTemplate(), kExampleTime, counter, folder.Taken()), "D:\\图片\\截图1.jpg");
  const StillPaths still = NextSingleStillPaths(ByTemplate(), kExampleTime, counter, folder.Taken());
  EXPECT_EQ(still.bmp, "D:\\图片\\截图2.bmp");
  EXPECT_EQ(still.target, "D:\\图片\\截图2.jpg");
  EXPECT_EQ(still.format, 1);
  EXPECT_EQ(counter, 3);
}

TEST(NamingTest, ThreeTimeSavesThenTemplateGivesFour) {
  FakeFolder folder;
  int counter = 1;
  for (int i = 0; i < 3; ++i)
    NextEditorSavePath(ByTime(), {"2008-10-01", "10:10:1" + std::to_string(i)}, counter, folder.Taken());
  EXPECT_EQ(NextEditorSavePath(ByTemplate(), kExampleTime, counter, folder.Taken()), "D:\\图片\\截图4.jpg");
}

TEST(NamingTest, SaveAsAlwaysAppendsTheConfiguredExtension) {
  EXPECT_EQ(SaveAsPath("C:\\a.jpg", 2), "C:\\a.jpg.gif");
  EXPECT_EQ(SaveAsPath("C:\\a", 0), "C:\\a.bmp");
  EXPECT_EQ(SaveAsPath("C:\\a", 3), "C:\\a.tif");
  EXPECT_EQ(SaveAsPath("C:\\a.jpg", 1), "C:\\a.jpg.jpg");
  EXPECT_EQ(SaveAsPath("C:\\a", 7), "C:\\a.jpg") << "a format outside the table saves as JPEG";
}

TEST(NamingTest, FolderTextIsUsedAsTyped) {
  FakeFolder folder;
  int counter = 1;
  EXPECT_EQ(NextEditorSavePath(ByTemplate(1, ""), kExampleTime, counter, folder.Taken()), "\\截图1.jpg");
  EXPECT_EQ(NextEditorSavePath(ByTemplate(1, "D:\\"), kExampleTime, counter, folder.Taken()),
            "D:\\\\截图2.jpg");
}

TEST(NamingTest, TemplateNamesSkipNumbersWhoseFileExists) {
  FakeFolder folder{
      {"D:\\图片\\截图1.jpg", "D:\\图片\\截图2.jpg", "D:\\图片\\截图4.jpg", "D:\\图片\\截图5.gif"}};
  int counter = 1;
  EXPECT_EQ(NextEditorSavePath(ByTemplate(1), kExampleTime, counter, folder.Taken()), "D:\\图片\\截图3.jpg");
  EXPECT_EQ(counter, 4);
  EXPECT_EQ(NextEditorSavePath(ByTemplate(1), kExampleTime, counter, folder.Taken()), "D:\\图片\\截图5.jpg")
      << "only a file of the format being written blocks a name";
  EXPECT_EQ(counter, 6);
}

TEST(NamingTest, TakenTimeNamesGetANumberBeforeTheExtension) {
  FakeFolder folder{{"D:\\图片\\2008-10-01_10-10-10.jpg", "D:\\图片\\2008-10-01_10-10-10_2.jpg"}};
  int counter = 1;
  EXPECT_EQ(NextEditorSavePath(ByTime(), kExampleTime, counter, folder.Taken()),
            "D:\\图片\\2008-10-01_10-10-10_3.jpg");
  FakeFolder empty;
  EXPECT_EQ(NextEditorSavePath(ByTime(), kExampleTime, counter, empty.Taken()),
            "D:\\图片\\2008-10-01_10-10-10.jpg");
}

TEST(NamingTest, StillNamesAreTakenByEitherTheirBmpOrTheirTarget) {
  FakeFolder folder{{"D:\\图片\\截图1.bmp", "D:\\图片\\截图2.tif", "D:\\图片\\2008-10-01_10-10-10.bmp"}};
  int counter = 1;
  EXPECT_EQ(NextSingleStillPaths(ByTemplate(3), kExampleTime, counter, folder.Taken()).bmp,
            "D:\\图片\\截图3.bmp");
  EXPECT_EQ(counter, 4);
  EXPECT_EQ(NextSingleStillPaths(ByTime(3), kExampleTime, counter, folder.Taken()).target,
            "D:\\图片\\2008-10-01_10-10-10_2.tif");
}

TEST(NamingTest, ContinuousStillsNumberFromTheirOwnCount) {
  FakeFolder folder{{"D:\\图片\\截图1.jpg"}};
  const OutputSettings s = ByTemplate(1);
  EXPECT_EQ(ContinuousStillPaths(s, kExampleTime, 0, folder.Taken()).bmp, "D:\\图片\\截图0.bmp");
  const StillPaths second = ContinuousStillPaths(s, kExampleTime, 1, folder.Taken());
  EXPECT_EQ(second.bmp, "D:\\图片\\截图2.bmp") << "an existing picture is not replaced";
  EXPECT_EQ(second.target, "D:\\图片\\截图2.jpg");
  EXPECT_EQ(ContinuousStillPaths(ByTime(2), kExampleTime, 5, folder.Taken()).target,
            "D:\\图片\\2008-10-01_10-10-10.gif");
}

TEST(NamingTest, BmpStillsAndUnknownFormatsHaveNoTargetAndTheEditorSavesJpeg) {
  FakeFolder folder;
  int counter = 1;
  const StillPaths bmp = NextSingleStillPaths(ByTemplate(0), kExampleTime, counter, folder.Taken());
  EXPECT_EQ(bmp.bmp, "D:\\图片\\截图1.bmp");
  EXPECT_TRUE(bmp.target.empty());
  EXPECT_TRUE(NextSingleStillPaths(ByTemplate(9), kExampleTime, counter, folder.Taken()).target.empty());
  EXPECT_EQ(NextEditorSavePath(ByTemplate(-1), kExampleTime, counter, folder.Taken()), "D:\\图片\\截图3.jpg");
  EXPECT_EQ(counter, 4);
}

}  // namespace
}  // namespace ksv
