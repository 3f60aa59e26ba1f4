#include "output/win/file_replace.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "output/output_error.h"
#include "output/stream.h"

namespace ksv {
namespace {

namespace fs = std::filesystem;

std::string Contents(const fs::path& path) {
  std::FILE* f = _wfopen(path.c_str(), L"rb");
  if (f == nullptr) return "<missing>";
  char buffer[256];
  const std::size_t n = std::fread(buffer, 1, sizeof buffer, f);
  std::fclose(f);
  return std::string(buffer, n);
}

void Put(const fs::path& path, const std::string& text) {
  FileStream out(path);
  out.Write(text.data(), text.size());
  out.Commit();
}

// Opens a file the way a scanner or an indexer does: reading, sharing
// read and write but not delete, which blocks a move.
HANDLE Peek(const fs::path& path) {
  return CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                     0, nullptr);
}

class FileReplaceTest : public testing::Test {
 protected:
  void SetUp() override {
    InstallWriteThroughReplace();
    folder_ = fs::temp_directory_path() / ("ksv replace " + std::to_string(GetCurrentProcessId()));
    fs::remove_all(folder_);
    fs::create_directories(folder_);
  }
  void TearDown() override {
    SetFileReplacer(nullptr);
    std::error_code ec;
    fs::remove_all(folder_, ec);
  }
  fs::path folder_;
};

TEST_F(FileReplaceTest, ReplacesAnExistingFileOnlyWhenComplete) {
  const fs::path target = folder_ / L"截图1.bmp";
  Put(target, "old");
  FileStream out(target);
  out.Write("new picture", 11);
  EXPECT_EQ(Contents(target), "old") << "the target is untouched until the commit";
  out.Commit();
  EXPECT_EQ(Contents(target), "new picture");
  EXPECT_EQ(std::distance(fs::directory_iterator(folder_), fs::directory_iterator()), 1);
}

TEST_F(FileReplaceTest, ABriefLookAtTheNewFileDoesNotFailTheSave) {
  const fs::path target = folder_ / L"a.jpg";
  FileStream out(target);
  out.Write("picture", 7);
  HANDLE look = Peek(out.TemporaryPath());
  ASSERT_NE(look, INVALID_HANDLE_VALUE);
  std::thread release([look] {
    Sleep(150);
    CloseHandle(look);
  });
  EXPECT_NO_THROW(out.Commit());
  release.join();
  EXPECT_EQ(Contents(target), "picture");
}

TEST_F(FileReplaceTest, AFileHeldOpenForGoodFailsTheSaveAndKeepsTheTarget) {
  const fs::path target = folder_ / L"b.gif";
  Put(target, "old");
  fs::path temporary;
  HANDLE look = INVALID_HANDLE_VALUE;
  try {
    FileStream out(target);
    out.Write("picture", 7);
    temporary = out.TemporaryPath();
    look = Peek(temporary);
    ASSERT_NE(look, INVALID_HANDLE_VALUE);
    out.Commit();
    ADD_FAILURE() << "no error";
  } catch (const OutputError& e) {
    EXPECT_EQ(std::string(e.what()).rfind("Cannot create file \"", 0), 0u) << e.what();
  }
  CloseHandle(look);
  EXPECT_EQ(Contents(target), "old");
  std::error_code ec;
  fs::remove(temporary, ec);
}

}  // namespace
}  // namespace ksv
