#include "output/win/system_texts.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <string>

#include "core/text.h"
#include "output/naming.h"
#include "output/output_error.h"
#include "output/picture_files.h"

namespace ksv {
namespace {

namespace fs = std::filesystem;

std::string Today() {
  SYSTEMTIME now;
  GetLocalTime(&now);
  wchar_t buffer[128];
  const int n = GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &now, nullptr, buffer, 128);
  return Utf16ToUtf8(
      std::u16string_view(reinterpret_cast<const char16_t*>(buffer), static_cast<std::size_t>(n - 1)));
}

class WinOutputTest : public testing::Test {
 protected:
  void SetUp() override {
    folder_ = fs::temp_directory_path() /
              fs::path(u8"ksv 输出 " + std::u8string(reinterpret_cast<const char8_t*>(
                                           std::to_string(GetCurrentProcessId()).c_str())));
    fs::create_directories(folder_);
    OutputNameCounter = 1;
  }
  void TearDown() override { fs::remove_all(folder_); }
  fs::path folder_;
};

TEST_F(WinOutputTest, DateAndTimeComeFromTheUsersFormats) {
  const std::string before = Today();
  const DateTimeTexts now = CurrentDateTimeTexts();
  const std::string after = Today();
  EXPECT_TRUE(now.date == before || now.date == after) << now.date;
  EXPECT_FALSE(now.time.empty());
  // The long time format shows seconds: the text changes within two
  // seconds.
  const std::string first = now.time;
  std::string later = first;
  for (int i = 0; i < 30 && later == first; ++i) {
    Sleep(100);
    later = CurrentDateTimeTexts().time;
  }
  EXPECT_NE(later, first);
}

TEST_F(WinOutputTest, TimeNamesMakeFilesWhateverTheRegionalFormat) {
  OutputSettings s;
  s.name_by_time = true;
  s.folder = PathToText(folder_);
  s.format = 2;
  const Raster picture(8, 8, MakeColor(1, 2, 3));
  const std::string first = SaveEditorPicture(picture, s, CurrentDateTimeTexts());
  EXPECT_TRUE(fs::exists(PathFromText(first))) << first;
  // A second save within the same second keeps the first file.
  const DateTimeTexts fixed{"2008/10/01", "10:10:10"};
  const std::string a = SaveEditorPicture(picture, s, fixed);
  const std::string b = SaveEditorPicture(picture, s, fixed);
  EXPECT_TRUE(fs::exists(PathFromText(a)));
  EXPECT_TRUE(fs::exists(PathFromText(b)));
  EXPECT_EQ(PathFromText(b).filename().wstring(), L"2008-10-01_10-10-10_2.gif");
}

TEST_F(WinOutputTest, ChineseNamesReachTheFileSystem) {
  OutputSettings s;
  s.folder = PathToText(folder_);
  s.format = 1;
  const std::string path = SaveEditorPicture(Raster(16, 16, MakeColor(200, 10, 10)), s, {"d", "t"});
  const std::wstring wide = (folder_ / L"截图1.jpg").wstring();
  EXPECT_NE(GetFileAttributesW(wide.c_str()), INVALID_FILE_ATTRIBUTES) << path;
  EXPECT_EQ(LoadPictureFile(PathFromText(path)).width, 16);
}

TEST_F(WinOutputTest, CannotCreateFileCarriesTheSystemsMessage) {
  InstallSystemErrorTexts();
  const std::string reason = SystemErrorMessage(ERROR_PATH_NOT_FOUND);
  ASSERT_FALSE(reason.empty());
  const fs::path target = folder_ / L"没有" / L"a.bmp";
  try {
    SavePicture(Raster(4, 4), 0, target, 80);
    FAIL() << "no error";
  } catch (const OutputError& e) {
    EXPECT_EQ(std::string(e.what()), "Cannot create file \"" + PathToText(target) + "\". " + reason);
  }
}

TEST(SystemErrorMessageTest, HasNoTrailingLineBreak) {
  const std::string text = SystemErrorMessage(ERROR_ACCESS_DENIED);
  ASSERT_FALSE(text.empty());
  EXPECT_NE(text.back(), '\n');
  EXPECT_NE(text.back(), '\r');
  EXPECT_TRUE(SystemErrorMessage(0xDEADBEEF).empty());
}

}  // namespace
}  // namespace ksv
