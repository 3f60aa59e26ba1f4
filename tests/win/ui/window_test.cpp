#include "ui/window.h"

#include <gtest/gtest.h>

#include <new>
#include <stdexcept>
#include <vector>

#include "ui/controls.h"
#include "ui/gdi.h"
#include "ui/message_box.h"

namespace ksv::ui {
namespace {

// Records what reaches the member handler and when the object is told the
// window is gone.
class RecordingWindow : public Window {
 public:
  bool Make() {
    CreateParams p;
    p.class_name = L"KsvTestRecordingWindow";
    p.caption = L"测试窗口";
    p.style = WS_OVERLAPPEDWINDOW;
    p.width = 200;
    p.height = 100;
    return Create(p);
  }
  std::vector<UINT> seen;
  bool gone = false;
  bool handle_at_create_matched = false;

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wparam, LPARAM lparam) override {
    seen.push_back(msg);
    if (msg == WM_CREATE) handle_at_create_matched = FromHandle(hwnd()) == this;
    if (msg == WM_APP + 1) return 42;
    return DefaultHandler(msg, wparam, lparam);
  }
  void OnWindowGone() override { gone = true; }
};

TEST(WindowTest, BindsAtCreationAndDispatchesToMembers) {
  RecordingWindow w;
  ASSERT_TRUE(w.Make());
  EXPECT_TRUE(w.handle_at_create_matched);
  EXPECT_EQ(Window::FromHandle(w.hwnd()), &w);
  EXPECT_EQ(w.seen.front(), static_cast<UINT>(WM_NCCREATE));
  EXPECT_EQ(SendMessageW(w.hwnd(), WM_APP + 1, 0, 0), 42);
  wchar_t text[32] = {};
  GetWindowTextW(w.hwnd(), text, 32);
  EXPECT_STREQ(text, L"测试窗口");
}

TEST(WindowTest, DestroyedWindowClearsTheBackPointer) {
  RecordingWindow w;
  ASSERT_TRUE(w.Make());
  HWND h = w.hwnd();
  DestroyWindow(h);
  EXPECT_TRUE(w.gone);
  EXPECT_EQ(w.hwnd(), nullptr);
  EXPECT_FALSE(IsWindow(h));
}

TEST(WindowTest, ObjectDestroysItsWindow) {
  HWND h = nullptr;
  {
    RecordingWindow w;
    ASSERT_TRUE(w.Make());
    h = w.hwnd();
  }
  EXPECT_FALSE(IsWindow(h));
}

// A window whose handlers fail the way real ones do: a picture too large
// for memory, a file that cannot be read.
class ThrowingWindow : public Window {
 public:
  static constexpr UINT kOutOfMemory = WM_APP + 10;
  static constexpr UINT kBadFile = WM_APP + 11;
  static constexpr UINT kFine = WM_APP + 12;
  bool Make() {
    CreateParams p;
    p.class_name = L"KsvTestThrowingWindow";
    p.style = WS_OVERLAPPEDWINDOW;
    p.width = 200;
    p.height = 100;
    return Create(p);
  }

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wparam, LPARAM lparam) override {
    if (msg == kOutOfMemory) throw std::bad_alloc();
    if (msg == kBadFile) throw std::runtime_error("Bitmap image is not valid");
    if (msg == kFine) return 7;
    return DefaultHandler(msg, wparam, lparam);
  }
};

TEST(WindowTest, HandlerErrorIsReportedAndEndsOnlyThatMessage) {
  ThrowingWindow w;
  ASSERT_TRUE(w.Make());
  std::vector<MessageBoxCall> calls;
  ScopedMessageBoxInterceptor intercept([&](const MessageBoxCall& c) {
    calls.push_back(c);
    return IDOK;
  });
  EXPECT_EQ(SendMessageW(w.hwnd(), ThrowingWindow::kBadFile, 0, 0), 0);
  EXPECT_EQ(SendMessageW(w.hwnd(), ThrowingWindow::kOutOfMemory, 0, 0), 0);
  // The window lives on and answers its next message.
  EXPECT_EQ(SendMessageW(w.hwnd(), ThrowingWindow::kFine, 0, 0), 7);
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_EQ(calls[0].owner, w.hwnd());
  EXPECT_EQ(calls[0].text, L"Bitmap image is not valid");
  EXPECT_EQ(calls[0].caption, L"墨隼捕手");
  EXPECT_EQ(calls[0].flags & MB_ICONMASK, static_cast<UINT>(MB_ICONERROR));
  EXPECT_EQ(calls[1].text, Wide(std::bad_alloc().what()));
}

TEST(WindowTest, ErrorsRaisedWhileAReportIsOpenShowNoSecondBox) {
  // A timer keeps ticking inside the message box's loop; when its handler
  // fails too, whichever window it belongs to, the open box is the report.
  ThrowingWindow first;
  ThrowingWindow second;
  ASSERT_TRUE(first.Make());
  ASSERT_TRUE(second.Make());
  std::vector<std::wstring> shown;
  ScopedMessageBoxInterceptor intercept([&](const MessageBoxCall& c) {
    shown.push_back(c.text);
    if (shown.size() == 1) {
      SendMessageW(first.hwnd(), ThrowingWindow::kOutOfMemory, 0, 0);
      SendMessageW(second.hwnd(), ThrowingWindow::kOutOfMemory, 0, 0);
    }
    return IDOK;
  });
  SendMessageW(first.hwnd(), ThrowingWindow::kBadFile, 0, 0);
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0], L"Bitmap image is not valid");
  // Once the box is closed the next error is reported again.
  SendMessageW(second.hwnd(), ThrowingWindow::kBadFile, 0, 0);
  EXPECT_EQ(shown.size(), 2u);
}

TEST(WindowTest, ClassBrushIsMadeOncePerColour) {
  // Every window of a class shares the class's brush; asking again for the
  // colour of a class that exists gives the brush it already has.
  HBRUSH blue = SolidClassBrush(RGB(0, 0, 255));
  ASSERT_NE(blue, nullptr);
  EXPECT_EQ(SolidClassBrush(RGB(0, 0, 255)), blue);
  EXPECT_NE(SolidClassBrush(RGB(255, 0, 0)), blue);
  EXPECT_EQ(GetObjectType(blue), static_cast<DWORD>(OBJ_BRUSH));
}

TEST(MessageBoxTest, InterceptorSeesTheBoxInsteadOfTheUser) {
  std::vector<MessageBoxCall> calls;
  {
    ScopedMessageBoxInterceptor intercept([&](const MessageBoxCall& c) {
      calls.push_back(c);
      return IDOK;
    });
    EXPECT_EQ(ShowMessage(nullptr, L"已经保存到指定目录下！"), IDOK);
    ShowError(nullptr, L"Bitmap image is not valid");
  }
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_EQ(calls[0].text, L"已经保存到指定目录下！");
  EXPECT_EQ(calls[0].caption, L"墨隼捕手");
  EXPECT_EQ(calls[0].flags & MB_TYPEMASK, static_cast<UINT>(MB_OK));
  EXPECT_EQ(calls[1].flags & MB_ICONMASK, static_cast<UINT>(MB_ICONERROR));
}

TEST(GdiTest, OwnersReleaseTheirHandles) {
  HBRUSH raw = CreateSolidBrush(RGB(1, 2, 3));
  {
    Brush b(raw);
    EXPECT_EQ(GetObjectType(raw), static_cast<DWORD>(OBJ_BRUSH));
    Brush moved = std::move(b);
    EXPECT_FALSE(b);
    EXPECT_EQ(moved.get(), raw);
  }
  EXPECT_EQ(GetObjectType(raw), 0u);  // deleted once, by the last owner
}

}  // namespace
}  // namespace ksv::ui
