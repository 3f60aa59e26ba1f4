#include "cli.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <sstream>
#include <stdexcept>

#include "output/bmp.h"
#include "output/picture_files.h"
#include "output/stream.h"

namespace ksv::image_tool {
namespace {

namespace fs = std::filesystem;

// Operations of this test only: the shipped tool may have none yet.
OperationRegistry TestOperations() {
  OperationRegistry r;
  r.Add({"invert", {}, [](Raster& p, std::span<const int>) {
           for (int y = 0; y < p.Height(); ++y)
             for (int x = 0; x < p.Width() * 3; ++x)
               p.MutableRow(y)[x] = static_cast<std::uint8_t>(255 - p.Row(y)[x]);
         }});
  r.Add({"add-red", {{"amount", -255, 255}}, [](Raster& p, std::span<const int> v) {
           for (int y = 0; y < p.Height(); ++y)
             for (int x = 0; x < p.Width(); ++x) {
               const Color c = p.Pixel(x, y);
               p.SetPixel(x, y, MakeColor(std::clamp(RedOf(c) + v[0], 0, 255), GreenOf(c), BlueOf(c)));
             }
         }});
  r.Add({"scale", {{"x", -10, 10}, {"y", 0, 5}}, [](Raster&, std::span<const int>) {}});
  r.Add({"fail", {}, [](Raster&, std::span<const int>) { throw std::runtime_error("operation failed"); }});
  return r;
}

TEST(OperationRegistryTest, KeepsOperationsInNameOrderAndRefusesBadOnes) {
  const OperationRegistry r = TestOperations();
  ASSERT_EQ(r.All().size(), 4u);
  EXPECT_EQ(r.All()[0].name, "add-red");
  EXPECT_EQ(r.All()[3].name, "scale");
  EXPECT_NE(r.Find("invert"), nullptr);
  EXPECT_EQ(r.Find("Invert"), nullptr);

  OperationRegistry bad = TestOperations();
  const auto nothing = [](Raster&, std::span<const int>) {};
  EXPECT_THROW(bad.Add({"invert", {}, nothing}), std::invalid_argument);
  EXPECT_THROW(bad.Add({"", {}, nothing}), std::invalid_argument);
  EXPECT_THROW(bad.Add({"x", {{"v", 5, 4}}, nothing}), std::invalid_argument);
  EXPECT_THROW(bad.Add({"y", {}, OperationFunction()}), std::invalid_argument);
}

TEST(ArgumentsTest, ValidCommandLines) {
  const OperationRegistry r = TestOperations();
  Invocation inv = ParseArguments({"in.bmp", "out.jpg"}, r);
  EXPECT_EQ(inv.quality, 80);
  EXPECT_TRUE(inv.operations.empty());
  EXPECT_EQ(inv.input, fs::path("in.bmp"));
  EXPECT_EQ(inv.output, fs::path("out.jpg"));

  inv = ParseArguments({"--quality", "55", "invert", "add-red=-30", "scale=+3,0", "a.gif", "b.TIF"}, r);
  EXPECT_EQ(inv.quality, 55);
  ASSERT_EQ(inv.operations.size(), 3u);
  EXPECT_EQ(inv.operations[0].operation->name, "invert");
  EXPECT_EQ(inv.operations[1].values, std::vector<int>{-30});
  EXPECT_EQ(inv.operations[2].values, (std::vector<int>{3, 0}));

  EXPECT_EQ(ParseArguments({"--quality=100", "a", "b.jpeg"}, r).quality, 100);
  EXPECT_TRUE(ParseArguments({"--list"}, r).list);
  EXPECT_TRUE(ParseArguments({"--help"}, r).help);
  EXPECT_EQ(ParseArguments({"--", "-in.bmp", "out.bmp"}, r).input, fs::path("-in.bmp"));
}

TEST(ArgumentsTest, BadCommandLinesSayWhy) {
  const OperationRegistry r = TestOperations();
  struct Case {
    std::vector<std::string> args;
    const char* message_part;
  };
  const Case cases[] = {
      {{}, "input and an output"},
      {{"a.bmp"}, "input and an output"},
      {{"--quality", "0", "a", "b.jpg"}, "1..100"},
      {{"--quality", "abc", "a", "b.jpg"}, "1..100"},
      {{"--quality"}, "needs a value"},
      {{"--colour", "a", "b.jpg"}, "unknown option '--colour'"},
      {{"blur", "a", "b.bmp"}, "unknown operation 'blur'"},
      {{"scale=1", "a", "b.bmp"}, "takes 2 parameters (x,y), got 1"},
      {{"scale", "a", "b.bmp"}, "got 0"},
      {{"invert=1", "a", "b.bmp"}, "takes no parameters, got 1"},
      {{"scale=1,x", "a", "b.bmp"}, "parameter 'y' of 'scale' must be an integer in 0..5, got 'x'"},
      {{"scale=11,0", "a", "b.bmp"}, "'x' of 'scale' must be an integer in -10..10, got '11'"},
      {{"add-red=", "a", "b.bmp"}, "got ''"},
      {{"add-red=1.5", "a", "b.bmp"}, "got '1.5'"},
      {{"a.bmp", "b.png"}, "must end in .bmp, .jpg, .gif or .tif"},
      {{"--list", "a"}, "takes no other arguments"},
  };
  for (const Case& c : cases) {
    try {
      ParseArguments(c.args, r);
      ADD_FAILURE() << "accepted: " << testing::PrintToString(c.args);
    } catch (const UsageError& e) {
      EXPECT_NE(std::string(e.what()).find(c.message_part), std::string::npos) << e.what();
    }
  }
}

TEST(ArgumentsTest, ListShowsEveryOperationWithItsRanges) {
  std::ostringstream out;
  PrintOperations(TestOperations(), out);
  EXPECT_EQ(out.str(),
            "add-red=amount  amount -255..255\n"
            "fail\n"
            "invert\n"
            "scale=x,y  x -10..10, y 0..5\n");
  std::ostringstream none;
  PrintOperations(OperationRegistry(), none);
  EXPECT_EQ(none.str(), "");
}

class RunTest : public testing::Test {
 protected:
  RunTest() {
    folder_ = fs::temp_directory_path() / ("ksv-image-" + std::to_string(std::random_device()()));
    fs::create_directories(folder_);
    Raster picture(4, 3, MakeColor(10, 20, 30));
    picture.SetPixel(0, 0, MakeColor(200, 100, 0));
    SaveBitmapAsBmp(folder_ / "in.bmp", picture);
  }
  ~RunTest() override { fs::remove_all(folder_); }

  int Run(std::vector<std::string> args) {
    for (std::string& a : args)
      if (a.rfind("@", 0) == 0) a = (folder_ / a.substr(1)).string();
    out_.str("");
    err_.str("");
    return RunImageTool(args, registry_, out_, err_);
  }

  fs::path folder_;
  OperationRegistry registry_ = TestOperations();
  std::ostringstream out_, err_;
};

TEST_F(RunTest, OperationsRunInOrderBeforeTheOutputIsWritten) {
  ASSERT_EQ(Run({"invert", "add-red=-100", "invert", "@in.bmp", "@out.bmp"}), kExitOk) << err_.str();
  const Raster out = ToRaster(LoadPictureFile(folder_ / "out.bmp").View());
  // Red 200 inverts to 55, loses 100 (clamped at 0) and inverts to 255;
  // in the other order it would stay 100.
  EXPECT_EQ(out.Pixel(0, 0), MakeColor(255, 100, 0));
  EXPECT_EQ(out.Pixel(1, 1), MakeColor(110, 20, 30));
  EXPECT_TRUE(err_.str().empty());
}

TEST_F(RunTest, EveryOutputFormatIsWritten) {
  for (const char* name : {"o.bmp", "o.jpg", "o.gif", "o.tif"}) {
    ASSERT_EQ(Run({"--quality", "95", "@in.bmp", std::string("@") + name}), kExitOk) << name << err_.str();
    EXPECT_EQ(FormatFromSignature(ReadWholeFile(folder_ / name)), FormatFromExtension(name)) << name;
  }
}

TEST_F(RunTest, FailuresExitWithTwoAMessageAndNoOutput) {
  WriteWholeFile(folder_ / "garbage.bmp", std::vector<std::uint8_t>{'B', 'M', 0});
  struct Case {
    std::vector<std::string> args;
    const char* output;
    const char* message_part;
  };
  const Case cases[] = {
      {{"@missing.bmp", "@o1.bmp"}, "o1.bmp", "cannot read"},
      {{"@garbage.bmp", "@o2.jpg"}, "o2.jpg", "Bitmap image is not valid"},
      {{"blur=3", "@in.bmp", "@o3.gif"}, "o3.gif", "unknown operation 'blur'"},
      {{"add-red=999", "@in.bmp", "@o4.tif"}, "o4.tif", "must be an integer in -255..255"},
      {{"fail", "@in.bmp", "@o5.bmp"}, "o5.bmp", "operation failed"},
      {{"@in.bmp", "@no-folder/o6.bmp"}, "no-folder/o6.bmp", "Cannot create file"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Run(c.args), kExitFailure) << c.message_part;
    EXPECT_NE(err_.str().find(c.message_part), std::string::npos) << err_.str();
    EXPECT_FALSE(fs::exists(folder_ / c.output)) << c.output;
  }
}

TEST_F(RunTest, ListAndHelpGoToStandardOutput) {
  EXPECT_EQ(Run({"--list"}), kExitOk);
  EXPECT_NE(out_.str().find("scale=x,y"), std::string::npos);
  EXPECT_EQ(Run({"--help"}), kExitOk);
  EXPECT_NE(out_.str().find("usage: ksv-image"), std::string::npos);
  EXPECT_TRUE(err_.str().empty());
}

}  // namespace
}  // namespace ksv::image_tool
