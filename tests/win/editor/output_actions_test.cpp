#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <string>
#include <vector>

#include "core/text.h"
#include "editor/win/save_form.h"
#include "editor_fake.h"
#include "output/dib.h"
#include "output/naming.h"
#include "output/picture_files.h"
#include "ui/message_box.h"

namespace ksv::editor {
namespace {

namespace fs = std::filesystem;
using testing::FakeCapture;
using testing::FakeMainForm;
using testing::Pattern;
using testing::ScopedForms;

std::string U8(const std::wstring& w) { return Utf16ToUtf8(std::u16string(w.begin(), w.end())); }
std::string U8(const fs::path& p) { return U8(p.wstring()); }

class OutputActionsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = fs::temp_directory_path() / fs::path(L"ksv 编辑器 " + std::to_wstring(GetCurrentProcessId()));
    fs::remove_all(folder_);
    fs::create_directories(folder_);
    ASSERT_TRUE(form_.CreateForm());
    form_.System().play_voice = [] {};
    form_.System().enable_hot_key_hook = [] {};
    main_.settings.save.SaveDir = U8(folder_);
    main_.settings.save.FNameTemp = "截图";
    main_.settings.save.NameASTime = false;
    OutputNameCounter = 1;
    form_.LoadPicture(picture_);
  }
  void TearDown() override {
    std::error_code ec;
    fs::remove_all(folder_, ec);
  }

  FakeMainForm main_;
  FakeCapture capture_{main_.calls};
  ScopedForms forms_{&main_, &capture_};
  std::vector<ui::MessageBoxCall> boxes_;
  ui::ScopedMessageBoxInterceptor intercept_{[this](const ui::MessageBoxCall& c) {
    boxes_.push_back(c);
    return IDOK;
  }};
  fs::path folder_;
  Raster picture_ = Pattern(61, 37);
  TSaveForm form_;
};

struct FormatCase {
  int index;
  const wchar_t* file;
  PictureFormat format;
};

TEST_F(OutputActionsTest, SaveWritesTheNamedFileInEachFormatAndSaysSo) {
  const FormatCase cases[] = {
      {0, L"截图1.bmp", PictureFormat::kBmp},
      {1, L"截图2.jpg", PictureFormat::kJpeg},
      {2, L"截图3.gif", PictureFormat::kGif},
      {3, L"截图4.tif", PictureFormat::kTiff},
  };
  for (const FormatCase& c : cases) {
    boxes_.clear();
    main_.settings.save.PicFormatRadioGroup = c.index;
    form_.SaveToolButtonClick();
    const fs::path file = folder_ / c.file;
    ASSERT_TRUE(fs::exists(file)) << U8(file);
    std::vector<std::uint8_t> head(16);
    const Dib dib = LoadPictureFile(file);
    EXPECT_EQ(dib.width, 61);
    EXPECT_EQ(dib.height, 37);
    if (c.format != PictureFormat::kJpeg && c.format != PictureFormat::kGif) {
      EXPECT_TRUE(ToRaster(dib.View()).SamePixels(picture_)) << c.index;
    }
    ASSERT_EQ(boxes_.size(), 1u);
    EXPECT_EQ(boxes_[0].text, L"已经保存到指定目录下！");
    EXPECT_EQ(boxes_[0].flags & MB_ICONERROR, 0u);
  }
  EXPECT_EQ(OutputNameCounter, 5);
}

TEST_F(OutputActionsTest, MissingFolderReportsCannotCreateFileAndNoSuccess) {
  main_.settings.save.SaveDir = U8(folder_ / L"不存在");
  main_.settings.save.PicFormatRadioGroup = 0;
  form_.SaveToolButtonClick();
  ASSERT_EQ(boxes_.size(), 1u);
  EXPECT_EQ(boxes_[0].text.rfind(L"Cannot create file \"", 0), 0u) << U8(boxes_[0].text);
  EXPECT_NE(boxes_[0].flags & MB_ICONERROR, 0u);
}

TEST_F(OutputActionsTest, EmptyPictureIsReportedNotSaved) {
  // A click on the overlay without a drag gives a picture of 0 x 0.
  form_.LoadPicture(Raster());
  main_.settings.save.PicFormatRadioGroup = 1;
  form_.SaveToolButtonClick();
  ASSERT_EQ(boxes_.size(), 1u);
  EXPECT_NE(boxes_[0].flags & MB_ICONERROR, 0u);
  EXPECT_NE(boxes_[0].text, L"已经保存到指定目录下！");
}

TEST_F(OutputActionsTest, SaveAsAlwaysAppendsTheConfiguredExtension) {
  main_.settings.save.PicFormatRadioGroup = 2;
  const fs::path chosen = folder_ / L"a.jpg";
  form_.System().save_dialog = [&](HWND, SaveAsMemory& memory, const Raster& preview) {
    EXPECT_TRUE(preview.SamePixels(picture_));
    memory.Remember(U8(chosen));
    return std::optional<std::wstring>(chosen.wstring());
  };
  form_.SaveASToolButtonClick();
  const fs::path written = folder_ / L"a.jpg.gif";
  ASSERT_TRUE(fs::exists(written));
  EXPECT_FALSE(fs::exists(chosen));
  std::FILE* f = _wfopen(written.c_str(), L"rb");
  ASSERT_NE(f, nullptr);
  char sig[6] = {};
  EXPECT_EQ(std::fread(sig, 1, 6, f), 6u);
  std::fclose(f);
  EXPECT_EQ(std::string(sig, 3), "GIF");
  EXPECT_TRUE(boxes_.empty());
  EXPECT_EQ(OutputNameCounter, 1);
}

// Save-as onto a file that exists: whatever fails, the file keeps every
// byte, no temporary file stays beside it and no success is claimed.
TEST_F(OutputActionsTest, FailedSaveAsLeavesTheExistingFileByteForByte) {
  struct Case {
    const char* what;
    int format;
    bool empty_picture;
    bool read_only;
  };
  const Case cases[] = {
      {"empty picture as bmp", 0, true, false}, {"empty picture as jpg", 1, true, false},
      {"empty picture as gif", 2, true, false}, {"empty picture as tif", 3, true, false},
      {"read-only bmp", 0, false, true},        {"read-only jpg", 1, false, true},
  };
  const std::string old_bytes = "an older picture";
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    boxes_.clear();
    form_.LoadPicture(c.empty_picture ? Raster() : picture_);
    main_.settings.save.PicFormatRadioGroup = c.format;
    const fs::path stem = folder_ / L"old";
    const fs::path target =
        fs::path(stem.wstring() + std::wstring(L".") + std::wstring(L"bmpjpggiftif").substr(3 * c.format, 3));
    {
      std::FILE* f = _wfopen(target.c_str(), L"wb");
      ASSERT_NE(f, nullptr);
      std::fwrite(old_bytes.data(), 1, old_bytes.size(), f);
      std::fclose(f);
    }
    if (c.read_only) SetFileAttributesW(target.c_str(), FILE_ATTRIBUTE_READONLY);
    form_.System().save_dialog = [&](HWND, SaveAsMemory&, const Raster&) {
      return std::optional<std::wstring>(stem.wstring());
    };
    form_.SaveASToolButtonClick();
    ASSERT_EQ(boxes_.size(), 1u);
    EXPECT_NE(boxes_[0].flags & MB_ICONERROR, 0u);
    std::vector<std::wstring> names;
    for (const auto& entry : fs::directory_iterator(folder_))
      names.push_back(entry.path().filename().wstring());
    EXPECT_EQ(names, std::vector<std::wstring>{target.filename().wstring()});
    std::FILE* f = _wfopen(target.c_str(), L"rb");
    ASSERT_NE(f, nullptr);
    char back[64] = {};
    const std::size_t n = std::fread(back, 1, sizeof back, f);
    std::fclose(f);
    EXPECT_EQ(std::string(back, n), old_bytes);
    SetFileAttributesW(target.c_str(), FILE_ATTRIBUTE_NORMAL);
    fs::remove(target);
  }
}

TEST_F(OutputActionsTest, SaveAsRemembersTheLastNameForTheNextTime) {
  std::vector<std::string> offered;
  form_.System().save_dialog = [&](HWND, SaveAsMemory& memory, const Raster&) {
    offered.push_back(memory.FileName());
    memory.Remember(U8(folder_ / L"b"));
    return std::optional<std::wstring>((folder_ / L"b").wstring());
  };
  form_.SaveASToolButtonClick();
  form_.SaveASToolButtonClick();
  EXPECT_EQ(offered, (std::vector<std::string>{"jietu", "b"}));
}

TEST_F(OutputActionsTest, CancelledSaveAsWritesNothing) {
  form_.System().save_dialog = [](HWND, SaveAsMemory&, const Raster&) {
    return std::optional<std::wstring>();
  };
  form_.SaveASToolButtonClick();
  EXPECT_TRUE(fs::is_empty(folder_));
  EXPECT_TRUE(boxes_.empty());
}

TEST_F(OutputActionsTest, SaveAsIntoAMissingFolderReportsTheError) {
  form_.System().save_dialog = [&](HWND, SaveAsMemory&, const Raster&) {
    return std::optional<std::wstring>((folder_ / L"无" / L"a").wstring());
  };
  form_.SaveASToolButtonClick();
  ASSERT_EQ(boxes_.size(), 1u);
  EXPECT_EQ(boxes_[0].text.rfind(L"Cannot create file \"", 0), 0u);
}

TEST_F(OutputActionsTest, ClipboardHoldsThePictureAsBitmapAndDib) {
  form_.CopyToClipMenuClick();
  ASSERT_EQ(boxes_.size(), 1u);
  EXPECT_EQ(boxes_[0].text, L"已成功复制到剪贴板！");
  ASSERT_TRUE(OpenClipboard(nullptr));
  HANDLE dib_handle = GetClipboardData(CF_DIB);
  HANDLE bitmap_handle = GetClipboardData(CF_BITMAP);
  ASSERT_NE(dib_handle, nullptr);
  ASSERT_NE(bitmap_handle, nullptr);
  const auto* info = static_cast<const BITMAPINFO*>(GlobalLock(dib_handle));
  ASSERT_NE(info, nullptr);
  EXPECT_EQ(info->bmiHeader.biWidth, 61);
  EXPECT_EQ(info->bmiHeader.biHeight, 37);
  EXPECT_EQ(info->bmiHeader.biBitCount, 24);
  const auto* bits = reinterpret_cast<const std::uint8_t*>(info) + info->bmiHeader.biSize;
  const std::size_t stride = DibStride(61, 24);
  // Bottom-up: the last row of the picture comes first.
  for (int y = 0; y < 37; ++y) {
    const std::uint8_t* row = bits + static_cast<std::size_t>(36 - y) * stride;
    for (int x = 0; x < 61; ++x) {
      const Color c = MakeColor(row[x * 3 + 2], row[x * 3 + 1], row[x * 3]);
      ASSERT_EQ(c, picture_.Pixel(x, y)) << x << "," << y;
    }
  }
  GlobalUnlock(dib_handle);
  BITMAP bm{};
  ASSERT_NE(GetObjectW(bitmap_handle, sizeof(bm), &bm), 0);
  EXPECT_EQ(bm.bmWidth, 61);
  EXPECT_EQ(bm.bmHeight, 37);
  // The device bitmap holds the same pixels.
  HDC screen = GetDC(nullptr);
  BITMAPINFO want{};
  want.bmiHeader.biSize = sizeof(want.bmiHeader);
  want.bmiHeader.biWidth = 61;
  want.bmiHeader.biHeight = -37;
  want.bmiHeader.biPlanes = 1;
  want.bmiHeader.biBitCount = 24;
  std::vector<std::uint8_t> back(stride * 37);
  EXPECT_EQ(GetDIBits(screen, static_cast<HBITMAP>(bitmap_handle), 0, 37, back.data(), &want, DIB_RGB_COLORS),
            37);
  ReleaseDC(nullptr, screen);
  CloseClipboard();
  EXPECT_EQ(MakeColor(back[2], back[1], back[0]), picture_.Pixel(0, 0));
  const std::size_t last = stride * 36 + 60 * 3;
  EXPECT_EQ(MakeColor(back[last + 2], back[last + 1], back[last]), picture_.Pixel(60, 36));
}

TEST_F(OutputActionsTest, ClipboardFailureIsAnErrorNotASuccess) {
  // Another window holds the clipboard open, as a clipboard manager may.
  ASSERT_TRUE(OpenClipboard(nullptr));
  form_.CopyToClipMenuClick();
  CloseClipboard();
  ASSERT_EQ(boxes_.size(), 1u);
  EXPECT_NE(boxes_[0].flags & MB_ICONERROR, 0u);
  EXPECT_NE(boxes_[0].text, L"已成功复制到剪贴板！");

  boxes_.clear();
  form_.LoadPicture(Raster());
  form_.CopyToClipMenuClick();
  ASSERT_EQ(boxes_.size(), 1u);
  EXPECT_NE(boxes_[0].flags & MB_ICONERROR, 0u);
}

std::wstring DesktopValue(const wchar_t* name) {
  wchar_t buffer[1024] = {};
  DWORD size = sizeof(buffer);
  if (RegGetValueW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", name, RRF_RT_REG_SZ, nullptr, buffer,
                   &size) != ERROR_SUCCESS) {
    return L"<missing>";
  }
  return buffer;
}

TEST_F(OutputActionsTest, WallpaperWritesTheFileTheValuesAndTellsTheSystem) {
  const fs::path windows = folder_ / L"Windows";
  form_.System().windows_folder = [&] { return windows.wstring(); };
  std::vector<std::wstring> applied;
  form_.System().apply_wallpaper = [&](const std::wstring& path) {
    // The values are in place before the system is told.
    EXPECT_EQ(DesktopValue(L"Wallpaper"), path);
    applied.push_back(path);
  };
  form_.SetWallPaperMenuClick();
  form_.SetWallPaperMenuClick();
  const fs::path file = windows / L"Web" / L"Wallpaper" / L"截图.bmp";
  ASSERT_TRUE(fs::exists(file));
  int files = 0;
  for (const auto& entry : fs::directory_iterator(windows / L"Web" / L"Wallpaper")) {
    (void)entry;
    ++files;
  }
  EXPECT_EQ(files, 1);
  EXPECT_TRUE(ToRaster(LoadPictureFile(file).View()).SamePixels(picture_));
  EXPECT_EQ(DesktopValue(L"Wallpaper"), file.wstring());
  EXPECT_EQ(DesktopValue(L"TileWallpaper"), L"0");
  EXPECT_EQ(DesktopValue(L"WallpaperStyle"), L"2");
  EXPECT_EQ(applied, (std::vector<std::wstring>{file.wstring(), file.wstring()}));
  EXPECT_TRUE(boxes_.empty());
}

TEST_F(OutputActionsTest, WallpaperThatCannotBeWrittenLeavesTheValuesAlone) {
  // A file where the folder should be: neither the folder nor the picture
  // can be made.
  const fs::path windows = folder_ / L"Windows";
  fs::create_directories(windows);
  {
    std::FILE* f = _wfopen((windows / L"Web").c_str(), L"wb");
    std::fclose(f);
  }
  form_.System().windows_folder = [&] { return windows.wstring(); };
  bool applied = false;
  form_.System().apply_wallpaper = [&](const std::wstring&) { applied = true; };
  const std::wstring before = DesktopValue(L"Wallpaper");
  form_.SetWallPaperMenuClick();
  ASSERT_EQ(boxes_.size(), 1u);
  EXPECT_EQ(boxes_[0].text.rfind(L"Cannot create file \"", 0), 0u);
  EXPECT_FALSE(applied);
  EXPECT_EQ(DesktopValue(L"Wallpaper"), before);
}

TEST_F(OutputActionsTest, OpenFolderRunsExplorerOnTheSaveFolder) {
  std::vector<std::wstring> runs;
  form_.System().shell_open = [&](HWND owner, const std::wstring& file, const std::wstring& parameters) {
    EXPECT_EQ(owner, form_.hwnd());
    runs.push_back(file + L" " + parameters);
  };
  form_.OpenMenuClick();
  EXPECT_EQ(runs, (std::vector<std::wstring>{L"Explorer.exe " + folder_.wstring()}));
}

TEST_F(OutputActionsTest, HelpItemsRunTheMainWindowsCommands) {
  main_.calls.clear();
  SendMessageW(form_.hwnd(), WM_COMMAND, kCommandBase + static_cast<int>(EditorCommand::kMailUs), 0);
  SendMessageW(form_.hwnd(), WM_COMMAND, kCommandBase + static_cast<int>(EditorCommand::kHomePage), 0);
  SendMessageW(form_.hwnd(), WM_COMMAND, kCommandBase + static_cast<int>(EditorCommand::kAbout), 0);
  EXPECT_EQ(main_.calls, (std::vector<std::string>{"mail", "home page", "update history"}));
}

}  // namespace
}  // namespace ksv::editor
