#include "ui/window.h"

#include <gtest/gtest.h>

#include <vector>

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
