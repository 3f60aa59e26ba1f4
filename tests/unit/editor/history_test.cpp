#include "editor/history.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor/editor_document.h"

namespace ksv::editor {
namespace {

// The operations the history rules talk about, reduced to what matters
// here: whether they record a step, and a result that tells them apart.
enum class Step { kRotate90, kFlipH, kFlipV, kGrey, kDrawLine, kUndo, kRedo };

Raster Rotated90(const Raster& old) {
  Raster r(old.Height(), old.Width());
  for (int y = 0; y < old.Height(); ++y)
    for (int x = 0; x < old.Width(); ++x) r.SetPixel(old.Height() - 1 - y, x, old.Pixel(x, y));
  return r;
}

void FlipH(Raster& r) {
  for (int y = 0; y < r.Height(); ++y)
    for (int x = 0; x < r.Width() / 2; ++x) {
      const Color a = r.Pixel(x, y);
      r.SetPixel(x, y, r.Pixel(r.Width() - 1 - x, y));
      r.SetPixel(r.Width() - 1 - x, y, a);
    }
}

void FlipV(Raster& r) {
  for (int y = 0; y < r.Height() / 2; ++y)
    for (int x = 0; x < r.Width(); ++x) {
      const Color a = r.Pixel(x, y);
      r.SetPixel(x, y, r.Pixel(x, r.Height() - 1 - y));
      r.SetPixel(x, r.Height() - 1 - y, a);
    }
}

void Grey(Raster& r) {
  for (int y = 0; y < r.Height(); ++y)
    for (int x = 0; x < r.Width(); ++x) {
      const Color c = r.Pixel(x, y);
      const int v = (RedOf(c) + GreenOf(c) + BlueOf(c)) / 3;
      r.SetPixel(x, y, MakeColor(v, v, v));
    }
}

void DrawLine(Raster& r) {
  for (int x = 0; x < r.Width(); ++x) r.SetPixel(x, 1, MakeColor(255, 0, 0));
}

// Runs one step as the editor's handlers do.
void RunStep(EditorDocument& doc, Step step) {
  switch (step) {
    case Step::kRotate90:
      doc.SetPicture(Rotated90(doc.Picture()));
      doc.PushHistory();
      break;
    case Step::kFlipH:
      FlipH(doc.MutablePicture());
      doc.PushHistory();
      break;
    case Step::kFlipV:
      FlipV(doc.MutablePicture());
      doc.PushHistory();
      break;
    case Step::kGrey:
      Grey(doc.MutablePicture());
      doc.PushHistory();
      break;
    case Step::kDrawLine:  // tools record no step
      DrawLine(doc.MutablePicture());
      break;
    case Step::kUndo:
      doc.UnDoMenuClick();
      break;
    case Step::kRedo:
      doc.ReDoMenuClick();
      break;
  }
}

// Each pixel different, and not symmetric, so that every operation shows.
Raster Capture() {
  Raster r(5, 3);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 5; ++x) r.SetPixel(x, y, MakeColor(10 * x + 1, 70 * y + 2, 20 * x + 40 * y));
  return r;
}

struct HistoryCase {
  const char* name;
  std::vector<Step> steps;     // after opening the capture
  std::vector<Step> expected;  // the same picture made without any undo
};

class HistoryRulesTest : public testing::TestWithParam<HistoryCase> {};

TEST_P(HistoryRulesTest, ShowsThePictureTheRulesGive) {
  const HistoryCase& c = GetParam();
  EditorDocument doc;
  doc.LoadPicture(Capture());
  doc.FormShow();
  for (Step s : c.steps) RunStep(doc, s);

  EditorDocument reference;
  reference.LoadPicture(Capture());
  reference.FormShow();
  for (Step s : c.expected) RunStep(reference, s);

  EXPECT_TRUE(doc.Picture().SamePixels(reference.Picture())) << c.name;
  // The current image always holds what is shown after an undo or redo.
  if (!c.steps.empty() && (c.steps.back() == Step::kUndo || c.steps.back() == Step::kRedo)) {
    EXPECT_TRUE(doc.GetHistory().Current().SamePixels(doc.Picture())) << c.name;
  }
}

using S = Step;
INSTANTIATE_TEST_SUITE_P(
    Rules, HistoryRulesTest,
    testing::Values(
        HistoryCase{"undo right after opening changes nothing", {S::kUndo}, {}},
        HistoryCase{"redo right after opening changes nothing", {S::kRedo}, {}},
        HistoryCase{"open, undo, redo", {S::kUndo, S::kRedo}, {}},
        HistoryCase{"rotate, undo", {S::kRotate90, S::kUndo}, {}},
        HistoryCase{"undo twice changes nothing more", {S::kRotate90, S::kUndo, S::kUndo}, {}},
        HistoryCase{"rotate, undo, undo, redo", {S::kRotate90, S::kUndo, S::kUndo, S::kRedo}, {S::kRotate90}},
        HistoryCase{"only one step goes back", {S::kFlipH, S::kGrey, S::kUndo, S::kUndo}, {S::kFlipH}},
        HistoryCase{"undo and redo alternate: undo", {S::kFlipH, S::kUndo, S::kRedo, S::kUndo}, {}},
        HistoryCase{"undo and redo alternate: redo",
                    {S::kFlipH, S::kUndo, S::kRedo, S::kUndo, S::kRedo},
                    {S::kFlipH}},
        HistoryCase{"undo goes back to the state redo restored",
                    {S::kFlipH, S::kUndo, S::kRedo, S::kFlipV, S::kUndo},
                    {S::kFlipH}},
        HistoryCase{"undo also removes unrecorded drawing",
                    {S::kFlipH, S::kDrawLine, S::kGrey, S::kUndo},
                    {S::kFlipH}},
        HistoryCase{
            "undo of the last step removes drawing since it", {S::kFlipH, S::kDrawLine, S::kUndo}, {}},
        HistoryCase{"redo removes unrecorded drawing", {S::kFlipH, S::kDrawLine, S::kRedo}, {S::kFlipH}},
        HistoryCase{"drawing right after opening is undone", {S::kDrawLine, S::kUndo}, {}}),
    [](const testing::TestParamInfo<HistoryCase>& info) { return "case" + std::to_string(info.index); });

TEST(HistoryTest, PushFollowsTheThreeAssignments) {
  const Raster a(2, 2, MakeColor(1, 1, 1));
  const Raster b(2, 2, MakeColor(2, 2, 2));
  const Raster c(3, 1, MakeColor(3, 3, 3));
  History h;
  h.Prime(a);
  h.Push(b);
  EXPECT_TRUE(h.Current().SharesPixelsWith(b));
  EXPECT_TRUE(h.RedoImage().SharesPixelsWith(b));
  EXPECT_TRUE(h.UndoImage().SharesPixelsWith(a));
  h.Push(c);
  EXPECT_TRUE(h.UndoImage().SharesPixelsWith(b));
  EXPECT_TRUE(h.RedoImage().SharesPixelsWith(c));
  EXPECT_TRUE(h.Undo().SharesPixelsWith(b));
  EXPECT_TRUE(h.Current().SharesPixelsWith(b));
  EXPECT_TRUE(h.Redo().SharesPixelsWith(c));
  h.Release();
  EXPECT_TRUE(h.Current().Empty() && h.RedoImage().Empty() && h.UndoImage().Empty());
}

class HistoryCopyTest : public testing::Test {
 protected:
  void SetUp() override {
    doc_.LoadPicture(Raster(64, 48, MakeColor(9, 8, 7)));
    doc_.FormShow();
  }
  EditorDocument doc_;
};

TEST_F(HistoryCopyTest, OpeningSharesThePictureWithAllThreeImages) {
  const History& h = doc_.GetHistory();
  EXPECT_TRUE(doc_.Picture().SharesPixelsWith(h.Current()));
  EXPECT_TRUE(doc_.Picture().SharesPixelsWith(h.RedoImage()));
  EXPECT_TRUE(doc_.Picture().SharesPixelsWith(h.UndoImage()));
}

TEST_F(HistoryCopyTest, PushAndUndoCopyNoPixels) {
  const std::uint8_t* opened = doc_.Picture().Bits();
  FlipH(doc_.MutablePicture());  // the one copy: the picture's own buffer
  const std::uint8_t* edited = doc_.Picture().Bits();
  EXPECT_NE(edited, opened);
  doc_.PushHistory();
  const History& h = doc_.GetHistory();
  EXPECT_EQ(h.Current().Bits(), edited);
  EXPECT_EQ(h.RedoImage().Bits(), edited);
  EXPECT_EQ(h.UndoImage().Bits(), opened);
  doc_.UnDoMenuClick();
  EXPECT_EQ(doc_.Picture().Bits(), opened);
  EXPECT_EQ(h.Current().Bits(), opened);
  doc_.ReDoMenuClick();
  EXPECT_EQ(doc_.Picture().Bits(), edited);
}

TEST_F(HistoryCopyTest, DrawingAfterAStepLeavesTheImagesAlone) {
  FlipH(doc_.MutablePicture());
  doc_.PushHistory();
  const Raster redo_before = doc_.GetHistory().RedoImage();
  DrawLine(doc_.MutablePicture());
  EXPECT_FALSE(doc_.Picture().SharesPixelsWith(doc_.GetHistory().RedoImage()));
  EXPECT_TRUE(doc_.GetHistory().RedoImage().SharesPixelsWith(redo_before));
  EXPECT_NE(doc_.GetHistory().RedoImage().Pixel(0, 1), MakeColor(255, 0, 0));
}

TEST(HistoryZoomTest, UndoWhileZoomedShowsThePicture1To1AndKeepsTheButtons) {
  EditorDocument doc;
  doc.LoadPicture(Raster(60, 30));
  doc.FormShow();
  doc.NarrowToolButtonClick();  // 48 x 24
  doc.NarrowToolButtonClick();  // 38 x 19: narrow button off
  ASSERT_FALSE(doc.GetZoom().NarrowButtonEnabled());
  RunStep(doc, Step::kRotate90);
  EXPECT_EQ(doc.DisplayedSize(), (Size{38, 19}));  // stretched to the old size
  doc.UnDoMenuClick();
  EXPECT_TRUE(doc.GetZoom().Zoomed());
  EXPECT_EQ(doc.DisplayedSize(), (Size{60, 30}));
  EXPECT_FALSE(doc.GetZoom().NarrowButtonEnabled());
  EXPECT_TRUE(doc.GetZoom().EnlargeButtonEnabled());
  doc.ReDoMenuClick();
  EXPECT_EQ(doc.DisplayedSize(), (Size{30, 60}));
}

}  // namespace
}  // namespace ksv::editor
