// Frame placement, ring shape, crops, cursor placement, the overlay's band
// and readout, and the region cut the overlay's drag leads to.
#include "capture/capture_geometry.h"

#include <gtest/gtest.h>

#include "capture/overlay_geometry.h"
#include "editor/picture_load.h"

namespace ksv::capture {
namespace {

TEST(FrameGeometry, WindowFrameRingLiesJustOutsideTheWindow) {
  struct Case {
    Rect window;
    Rect frame;
  } cases[] = {
      {{100, 50, 400, 250}, {95, 45, 405, 255}},
      {{0, 0, 1280, 800}, {-5, -5, 1285, 805}},
      {{-20, -10, 5, 3}, {-25, -15, 10, 8}},
  };
  for (const Case& c : cases) {
    const Rect f = WindowFrameBounds(c.window);
    EXPECT_EQ(f, c.frame) << c.window;
    EXPECT_EQ(f.Width(), c.window.Width() + 10);
    // The ring's inner edge is the window's edge: no ring pixel inside.
    const RingRects ring = FrameRing(f.GetSize());
    EXPECT_EQ((Rect{f.left + ring.inner.left, f.top + ring.inner.top, f.left + ring.inner.right,
                    f.top + ring.inner.bottom}),
              c.window);
  }
}

TEST(FrameGeometry, FixedFrameCentresOnTheCursorRoundingTowardZero) {
  struct Case {
    Point cursor;
    Size fixed;
    Rect frame;
    Rect area;
  } cases[] = {
      {{640, 400}, {600, 400}, {340, 200, 950, 610}, {345, 205, 945, 605}},
      {{100, 100}, {51, 33}, {75, 84, 136, 127}, {80, 89, 131, 122}},
      {{0, 0}, {3, 3}, {-1, -1, 12, 12}, {4, 4, 7, 7}},
      {{-7, 5}, {1, 1}, {-7, 5, 4, 16}, {-2, 10, -1, 11}},
  };
  for (const Case& c : cases) {
    const Rect f = FixedFrameBounds(c.cursor, c.fixed);
    EXPECT_EQ(f, c.frame) << c.cursor << " " << c.fixed;
    const Rect a = FixedFrameArea(f, c.fixed);
    EXPECT_EQ(a, c.area);
    EXPECT_EQ(a.GetSize(), c.fixed);
  }
}

TEST(FrameGeometry, RingIsThreePixelsTwoInsideTheBounds) {
  const RingRects r = FrameRing({218, 91});
  EXPECT_EQ(r.outer, (Rect{2, 2, 216, 89}));
  EXPECT_EQ(r.inner, (Rect{5, 5, 213, 86}));
}

TEST(Crop, ClipsToTheScreen) {
  struct Case {
    Rect r;
    Rect clipped;
  } cases[] = {
      {{2, 3, 8, 9}, {2, 3, 8, 9}},
      {{-5, -5, 4, 4}, {0, 0, 4, 4}},
      {{6, 7, 20, 20}, {6, 7, 10, 10}},
      {{12, 0, 20, 5}, {}},
      {{3, 3, 3, 8}, {}},
      {{-9, -9, 30, 30}, {0, 0, 10, 10}},
  };
  Raster screen(10, 10);
  for (int y = 0; y < 10; ++y) {
    for (int x = 0; x < 10; ++x) screen.SetPixel(x, y, MakeColor(x, y, 99));
  }
  for (const Case& c : cases) {
    EXPECT_EQ(ClipToScreen(c.r, {10, 10}), c.clipped) << c.r;
    const Raster p = CropPicture(screen, c.r);
    ASSERT_EQ(p.Width(), c.clipped.Width()) << c.r;
    ASSERT_EQ(p.Height(), c.clipped.Height()) << c.r;
    for (int y = 0; y < p.Height(); ++y) {
      for (int x = 0; x < p.Width(); ++x) {
        ASSERT_EQ(p.Pixel(x, y), MakeColor(c.clipped.left + x, c.clipped.top + y, 99));
      }
    }
  }
}

TEST(Cursor, PlacedByItsHotSpot) {
  struct Case {
    Point mouse;
    Point hot;
    Size image;
    Rect screen;
    Point origin;
  } cases[] = {
      // An arrow: hot spot at its tip.
      {{100, 80}, {0, 0}, {32, 32}, {100, 80, 132, 112}, {0, 0}},
      // An I-beam: hot spot in its middle.
      {{100, 80}, {16, 16}, {32, 32}, {84, 64, 116, 96}, {0, 0}},
      // Clipped at the top-left corner.
      {{3, 2}, {16, 16}, {32, 32}, {0, 0, 19, 18}, {-13, -14}},
      // Clipped at the bottom-right corner of a 200 x 150 screen.
      {{195, 148}, {4, 4}, {32, 32}, {191, 144, 200, 150}, {0, 0}},
      // Entirely off the screen.
      {{-40, 10}, {0, 0}, {32, 32}, {}, {0, 0}},
  };
  for (const Case& c : cases) {
    const CursorPatch p = PlaceCursor(c.mouse, c.hot, c.image, {200, 150});
    EXPECT_EQ(p.screen, c.screen) << c.mouse;
    EXPECT_EQ(p.image_origin, c.origin) << c.mouse;
    if (!p.screen.Empty()) {
      // The hot spot, in patch coordinates, is the mouse position.
      EXPECT_EQ(p.screen.left + p.image_origin.x + c.hot.x, c.mouse.x);
      EXPECT_EQ(p.screen.top + p.image_origin.y + c.hot.y, c.mouse.y);
    }
  }
}

TEST(Delay, WholeSecondsUpToAMinute) {
  struct Case {
    const char* text;
    int seconds;
  } cases[] = {{"1", 1}, {"5", 5},  {"60", 60}, {"61", 60},         {"0", 0},  {"", 0},
               {"x", 0}, {"-3", 0}, {"2 ", 0},  {"99999999999", 0}, {"007", 7}};
  for (const Case& c : cases) EXPECT_EQ(DelaySeconds(c.text), c.seconds) << c.text;
}

TEST(Overlay, BandRunsDownAcrossUpAndHome) {
  const auto path = BandPath({300, 200}, {100, 50});
  const std::array<Point, 5> expected{{{300, 200}, {300, 50}, {100, 50}, {100, 200}, {300, 200}}};
  EXPECT_EQ(path, expected);
  EXPECT_EQ(BandBounds({300, 200}, {100, 50}), (Rect{100, 50, 301, 201}));
}

TEST(Overlay, ReadoutShowsAbsoluteSizesBesideTheCursor) {
  struct Case {
    Point start, cursor;
    const char* w;
    const char* h;
  } cases[] = {{{100, 50}, {300, 200}, "宽:200", "高:150"},
               {{300, 200}, {100, 50}, "宽:200", "高:150"},
               {{10, 10}, {10, 10}, "宽:0", "高:0"}};
  for (const Case& c : cases) {
    const Readout r = MakeReadout(c.start, c.cursor);
    EXPECT_EQ(r.width_caption, c.w);
    EXPECT_EQ(r.height_caption, c.h);
    EXPECT_EQ(r.panel_origin, (Point{c.cursor.x + 5, c.cursor.y + 5}));
  }
}

// The picture a drag gives, whichever corner it starts from: the inside of
// the band, 198 x 148 pixels, stretched over 200 x 150.
TEST(RegionCut, SameRectangleFromAllFourDirections) {
  Raster canvas(400, 300);
  for (int y = 0; y < 300; ++y) {
    for (int x = 0; x < 400; ++x)
      canvas.SetPixel(x, y, MakeColor(x & 0xFF, y & 0xFF, (x >> 8) + 16 * (y >> 8)));
  }
  const Point corners[4][2] = {
      {{300, 200}, {100, 50}}, {{100, 50}, {300, 200}}, {{300, 50}, {100, 200}}, {{100, 200}, {300, 50}}};
  const Raster first = editor::CutRegion(canvas, corners[0][0], corners[0][1]);
  ASSERT_EQ(first.Width(), 200);
  ASSERT_EQ(first.Height(), 150);
  EXPECT_EQ(first.Pixel(0, 0), canvas.Pixel(101, 51));
  EXPECT_EQ(first.Pixel(199, 149), canvas.Pixel(298, 198));
  for (int x = 0; x < 200; ++x) {
    for (int y : {0, 149}) {
      // No pixel of the band's rows or columns.
      const Color c = first.Pixel(x, y);
      EXPECT_NE(c, canvas.Pixel(100, 50));
      EXPECT_NE(c, canvas.Pixel(300, 200));
    }
  }
  for (const auto& drag : corners) {
    EXPECT_TRUE(editor::CutRegion(canvas, drag[0], drag[1]).SamePixels(first)) << drag[0] << " " << drag[1];
  }
}

}  // namespace
}  // namespace ksv::capture
