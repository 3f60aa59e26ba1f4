// The whole cycle under Wine: the capture button's synthetic Ctrl+B goes
// through the hook library, and the next ticks hand the right picture to
// the overlay or the editor.
#include "capture/win/capture_service.h"

#include <gtest/gtest.h>

#include "capture/win/hook/ksvmain.h"
#include "capture/win/select_area_form.h"
#include "forms_fake.h"
#include "ui/gdi.h"

namespace ksv::capture {
namespace {

using testing::FakeForms;
using testing::PumpUntil;

class FakeOverlay : public OverlayApi {
 public:
  HWND Handle() const override { return nullptr; }
  void ShowOverlay(const Raster& frozen) override {
    shown = true;
    picture = frozen;
  }
  void HideOverlay() override { shown = false; }
  bool shown = false;
  Raster picture;
};

class CaptureServiceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(frame.CreateForm());
    forms = std::make_unique<FakeForms>();
    saved_overlay = Links().overlay;
    Links().overlay = &overlay;
    forms->main.settings.conventional.HideMainForm = false;
    service.ArmCapture();
    PumpUntil([] { return false; }, std::chrono::milliseconds(50));
    while (GetDownHotKey()) {
    }
  }
  void TearDown() override {
    // Leaves the process-wide cycle armed and in the default mode.
    service.ChooseMode(CaptureMode::Region);
    service.ArmCapture();
    Links().overlay = saved_overlay;
    forms.reset();
  }

  // Ticks like Timer1 until the condition holds.
  bool TickUntil(const std::function<bool()>& condition) {
    return PumpUntil([&] {
      if (forms->main.timer) service.Timer1Timer();
      return condition();
    });
  }

  CaptureService& service = CaptureService::Instance();
  TSelectAreaForm frame;
  std::unique_ptr<FakeForms> forms;
  FakeOverlay overlay;
  OverlayApi* saved_overlay = nullptr;
};

TEST_F(CaptureServiceTest, CaptureButtonInRegionModeShowsTheOverlayWithTheScreen) {
  service.CutBtnClick();
  ASSERT_TRUE(TickUntil([&] { return overlay.shown; }));
  EXPECT_EQ(overlay.picture.Width(), GetSystemMetrics(SM_CXSCREEN));
  EXPECT_EQ(overlay.picture.Height(), GetSystemMetrics(SM_CYSCREEN));
  EXPECT_FALSE(forms->main.timer);
  EXPECT_TRUE(forms->editor.loads.empty());
  service.OverlayCancelled();
  EXPECT_TRUE(forms->main.timer);
}

TEST_F(CaptureServiceTest, FullScreenGoesStraightToTheEditor) {
  service.ChooseMode(CaptureMode::FullScreen);
  EXPECT_EQ(forms->main.mode, CaptureMode::FullScreen);
  service.CutBtnClick();
  ASSERT_TRUE(TickUntil([&] { return forms->editor.shown; }));
  EXPECT_EQ(forms->editor.loads, std::vector<std::string>{"LoadFullScreen"});
  EXPECT_EQ(forms->editor.picture.Width(), GetSystemMetrics(SM_CXSCREEN));
  EXPECT_FALSE(forms->editor.modal);
  EXPECT_FALSE(forms->main.timer);
}

TEST_F(CaptureServiceTest, ActiveWindowTakesTheForegroundWindow) {
  service.ChooseMode(CaptureMode::ActiveWindow);
  HWND window = CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE | WS_BORDER, 120, 90, 170, 110,
                                nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  SetForegroundWindow(window);
  ASSERT_TRUE(PumpUntil([&] { return GetForegroundWindow() == window; }));
  service.CutBtnClick();
  ASSERT_TRUE(TickUntil([&] { return forms->editor.shown; }));
  EXPECT_EQ(forms->editor.loads, std::vector<std::string>{"LoadPicture"});
  EXPECT_EQ(forms->editor.picture.Width(), 170);
  EXPECT_EQ(forms->editor.picture.Height(), 110);
  DestroyWindow(window);
}

TEST_F(CaptureServiceTest, FixedRegionWaitsWithTheFrameAndTakesTheClick) {
  forms->main.settings.fixed = {40, 30};
  service.ChooseMode(CaptureMode::FixRegion);
  SetCursorPos(400, 300);
  service.CutBtnClick();
  ASSERT_TRUE(TickUntil([&] { return service.Cycle().WaitingForClick(); }));
  EXPECT_TRUE(IsWindowVisible(frame.hwnd()));
  RECT r{};
  GetWindowRect(frame.hwnd(), &r);
  EXPECT_EQ(r.left, 400 - 20);
  EXPECT_EQ(r.top, 300 - 15);
  EXPECT_EQ(r.right - r.left, 50);
  EXPECT_TRUE(forms->main.timer);

  mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
  mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
  ASSERT_TRUE(TickUntil([&] { return forms->editor.shown; }));
  EXPECT_EQ(forms->editor.loads, std::vector<std::string>{"LoadPicture"});
  EXPECT_EQ(forms->editor.picture.Width(), 40);
  EXPECT_EQ(forms->editor.picture.Height(), 30);
  EXPECT_FALSE(IsWindowVisible(frame.hwnd()));
  EXPECT_FALSE(forms->main.timer);
  EXPECT_FALSE(GetMouseDown());
}

}  // namespace
}  // namespace ksv::capture
