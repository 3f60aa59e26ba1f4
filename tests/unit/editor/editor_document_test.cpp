#include "editor/editor_document.h"

#include <gtest/gtest.h>

namespace ksv::editor {
namespace {

TEST(EditorDocumentTest, StartsWithTheFormsInitialState) {
  const EditorDocument doc;
  EXPECT_EQ(doc.StatusText(StatusPanel::kSize), "宽高");
  EXPECT_EQ(doc.StatusText(StatusPanel::kColor), "R： G： B：");
  EXPECT_EQ(doc.StatusText(StatusPanel::kPosition), "坐标：xy");
  EXPECT_EQ(doc.StatusText(StatusPanel::kTiming), "");
  EXPECT_EQ(doc.ForegroundColor(), MakeColor(0, 0, 0));
  EXPECT_EQ(doc.BackgroundColor(), MakeColor(255, 255, 255));
  EXPECT_FALSE(doc.GetZoom().Zoomed());
  EXPECT_EQ(doc.Layout().scroll_box, (Rect{129, 62, 738, 463}));
}

TEST(EditorDocumentTest, LoadEntryPointsReturnTheWindowSizes) {
  EditorDocument doc;
  const Raster screen(1280, 1024, MakeColor(1, 2, 3));
  EXPECT_EQ(doc.LoadFullScreen(screen, {1280, 1024}), (Size{1280, 1024}));
  EXPECT_EQ(doc.Picture().Width(), 1280);
  EXPECT_EQ(doc.Picture().Height(), 1024);
  EXPECT_EQ(doc.LoadRegion(screen, {300, 200}, {100, 50}), (Size{384, 344}));
  EXPECT_EQ(doc.Picture().Width(), 200);
  EXPECT_EQ(doc.Picture().Height(), 150);
  EXPECT_EQ(doc.LoadPicture(Raster(400, 300)), (Size{584, 475}));
  EXPECT_EQ(doc.Picture().Width(), 400);
  EXPECT_EQ(doc.LoadPicture(Raster(2000, 100)), (Size{2184, 275}));
}

TEST(EditorDocumentTest, LoadingLeavesHistoryAndZoomAlone) {
  EditorDocument doc;
  const Raster first(800, 600, MakeColor(1, 1, 1));
  doc.LoadPicture(first);
  doc.FormShow();
  doc.EnlargeToolButtonClick();  // closed while zoomed ...
  doc.LoadPicture(Raster(1280, 1024, MakeColor(2, 2, 2)));
  EXPECT_TRUE(doc.GetHistory().Current().SharesPixelsWith(first));
  EXPECT_TRUE(doc.GetZoom().Zoomed());  // ... the next capture shows stretched
  EXPECT_EQ(doc.DisplayedSize(), (Size{1000, 750}));
  doc.FormShow();
  EXPECT_EQ(doc.DisplayedSize(), (Size{1000, 750}));
  EXPECT_TRUE(doc.GetHistory().UndoImage().SharesPixelsWith(doc.Picture()));
  doc.ActualSizeToolButtonClick();
  EXPECT_EQ(doc.DisplayedSize(), (Size{1280, 1024}));
}

TEST(EditorDocumentTest, ShowingCentresAndActivatingShowsTheDisplayedSize) {
  EditorDocument doc;
  doc.LoadPicture(Raster(400, 300));
  doc.FormShow();
  EXPECT_EQ(doc.View().PicturePosition(), (Point{169, 40}));
  doc.FormActivate();
  EXPECT_EQ(doc.StatusText(StatusPanel::kSize), "400*300");
  doc.EnlargeToolButtonClick();  // 500 x 375, still smaller than the box, kept inside it
  EXPECT_EQ(doc.View().PicturePosition(), (Point{109, 3}));
  doc.EnlargeToolButtonClick();  // 625 x 468: top-left corner
  EXPECT_EQ(doc.View().PicturePosition(), (Point{0, 0}));
  doc.FormActivate();
  EXPECT_EQ(doc.StatusText(StatusPanel::kSize), "625*468");
}

TEST(EditorDocumentTest, ZoomButtonsFollowTheirLimits) {
  EditorDocument doc;
  doc.LoadPicture(Raster(3300, 10));
  doc.FormShow();
  doc.EnlargeToolButtonClick();
  EXPECT_FALSE(doc.GetZoom().EnlargeButtonEnabled());
  doc.NarrowToolButtonClick();
  EXPECT_TRUE(doc.GetZoom().EnlargeButtonEnabled());
}

class ReadoutTest : public testing::Test {
 protected:
  void SetUp() override {
    Raster picture(100, 80, MakeColor(1, 1, 1));
    picture.SetPixel(10, 20, 0x00563412);
    picture.SetPixel(11, 20, MakeColor(255, 0, 0));
    doc_.LoadPicture(picture);
    doc_.FormShow();
  }
  EditorDocument doc_;
};

TEST_F(ReadoutTest, NamesTheColourAndPositionUnderTheMouse) {
  ASSERT_TRUE(doc_.PicMouseMove({10, 20}));
  EXPECT_EQ(doc_.StatusText(StatusPanel::kColor), "R：18 G：52 B：86  $00563412");
  EXPECT_EQ(doc_.StatusText(StatusPanel::kPosition), "坐标 x：10 y：20");
  ASSERT_TRUE(doc_.PicMouseMove({11, 20}));
  EXPECT_EQ(doc_.StatusText(StatusPanel::kColor), "R：255 G：0 B：0  clRed");
}

TEST_F(ReadoutTest, WhileZoomedReadsThePixelShown) {
  for (int i = 0; i < 4; ++i) doc_.EnlargeToolButtonClick();  // 243 x 195
  const Size displayed = doc_.DisplayedSize();
  ASSERT_EQ(displayed, (Size{243, 195}));
  // The display pixel over picture pixel (10, 20).
  const Point view{10 * 243 / 100 + 1, 20 * 195 / 80 + 1};
  ASSERT_EQ(doc_.ViewToPicture(view), (Point{10, 20}));
  ASSERT_TRUE(doc_.PicMouseMove(view));
  EXPECT_EQ(doc_.StatusText(StatusPanel::kColor), "R：18 G：52 B：86  $00563412");
  EXPECT_EQ(doc_.StatusText(StatusPanel::kPosition), "坐标 x：10 y：20");
}

TEST_F(ReadoutTest, PointsOffThePictureLeaveTheReadoutsAlone) {
  ASSERT_TRUE(doc_.PicMouseMove({10, 20}));
  EXPECT_FALSE(doc_.PicMouseMove({-1, 5}));
  EXPECT_FALSE(doc_.PicMouseMove({100, 5}));
  EXPECT_FALSE(doc_.PicMouseMove({5, 80}));
  EXPECT_EQ(doc_.StatusText(StatusPanel::kPosition), "坐标 x：10 y：20");
}

TEST(EditorDocumentTest, SwatchDialogsSetPenAndBrushButExchangeDoesNot) {
  EditorDocument doc;
  doc.ForegroundColorChosen(MakeColor(255, 0, 0));
  EXPECT_EQ(doc.ForegroundColor(), MakeColor(255, 0, 0));
  EXPECT_EQ(doc.PenColor(), MakeColor(255, 0, 0));
  EXPECT_EQ(doc.ColorDialogColor(), MakeColor(255, 0, 0));
  doc.BackgroundColorChosen(MakeColor(0, 0, 255));
  EXPECT_EQ(doc.BrushColor(), MakeColor(0, 0, 255));
  EXPECT_EQ(doc.ColorDialogColor(), MakeColor(0, 0, 255));  // one dialog, last colour
  doc.ExchangeColorBtnClick();
  EXPECT_EQ(doc.ForegroundColor(), MakeColor(0, 0, 255));
  EXPECT_EQ(doc.BackgroundColor(), MakeColor(255, 0, 0));
  EXPECT_EQ(doc.PenColor(), MakeColor(255, 0, 0));
  EXPECT_EQ(doc.BrushColor(), MakeColor(0, 0, 255));
}

TEST(EditorDocumentTest, ViewMenuChangesTheScrollBox) {
  EditorDocument doc;
  doc.ToolBarBtnMenuClick();
  EXPECT_FALSE(doc.Toggles().ToolBarVisible());
  EXPECT_EQ(doc.Layout().scroll_box, (Rect{129, 0, 738, 463}));
  doc.ToolBarTextMenuClick();  // disabled: ignored
  EXPECT_TRUE(doc.Toggles().ToolBarTextChecked());
  doc.ToolBarBtnMenuClick();
  doc.ToolBarTextMenuClick();
  EXPECT_FALSE(doc.Toggles().ToolBarCaptionsShown());
  doc.ToolsStatusMenuClick();
  doc.StatusMenuClick();
  EXPECT_EQ(doc.Layout().scroll_box, (Rect{0, 62, 738, 482}));
}

TEST(EditorDocumentTest, ScrollBarsAndWheelFollowTheDisplayedSize) {
  EditorDocument doc;
  doc.LoadPicture(Raster(1280, 1024));
  doc.FormShow();
  EXPECT_TRUE(doc.Bars().horizontal);
  EXPECT_TRUE(doc.Bars().vertical);
  EXPECT_EQ(doc.Bars().viewport, (Size{592, 384}));
  doc.MouseWheel(-120);
  EXPECT_EQ(doc.View().ScrollPosition(), (Point{0, ScrollView::kLineStep}));
  doc.ScrollTo({10000, 10000});
  EXPECT_EQ(doc.View().ScrollPosition(), (Point{1280 - 592, 1024 - 384}));
  // Narrowed until it fits: the bars go and the view scrolls back.
  for (int i = 0; i < 4; ++i) doc.NarrowToolButtonClick();  // 524 x 419
  doc.ScrollTo({10000, 10000});
  EXPECT_FALSE(doc.Bars().horizontal);
  EXPECT_TRUE(doc.Bars().vertical);
  EXPECT_EQ(doc.View().ScrollPosition(), (Point{0, 419 - 401}));
}

TEST(EditorDocumentTest, RendersOnlyTheVisiblePartWhereItShows) {
  EditorDocument doc;
  ViewMetrics metrics;
  metrics.client = {1000, 700};
  doc.SetViewMetrics(metrics);
  doc.LoadPicture(Raster(300, 200, MakeColor(7, 7, 7)));
  doc.FormShow();
  Raster out;
  const Rect where = doc.RenderVisible(out);
  EXPECT_EQ(where, Rect::FromOriginSize(doc.View().PicturePosition(), {300, 200}));
  EXPECT_EQ(out.Width(), 300);
  EXPECT_EQ(out.Pixel(299, 199), MakeColor(7, 7, 7));
  doc.MovePicture({-400, -250});  // the hand tool drags part of it off the box
  ASSERT_EQ(doc.View().PicturePosition(), (Point{-50, -51}));
  EXPECT_EQ(doc.RenderVisible(out), (Rect{0, 0, 250, 149}));
  EXPECT_EQ(out.Width(), 250);
  EXPECT_EQ(out.Height(), 149);
}

TEST(EditorDocumentTest, DestroyFreesTheImages) {
  EditorDocument doc;
  doc.LoadPicture(Raster(10, 10));
  doc.FormShow();
  doc.FormDestroy();
  EXPECT_TRUE(doc.Picture().Empty());
  EXPECT_TRUE(doc.GetHistory().Current().Empty());
  EXPECT_TRUE(doc.GetHistory().UndoImage().Empty());
}

}  // namespace
}  // namespace ksv::editor
