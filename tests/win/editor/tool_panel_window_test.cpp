#include "editor/win/tool_panel_window.h"

#include <gtest/gtest.h>

#include <string>

#include "editor/tool_panel.h"
#include "editor/win/save_form.h"
#include "editor_fake.h"

namespace ksv::editor {
namespace {

using testing::FakeCapture;
using testing::FakeMainForm;
using testing::ScopedForms;

class ToolPanelWindowTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(form_.CreateForm()); }

  // Where `child` lies in the client area of its parent.
  static Rect PlaceInParent(HWND child) {
    RECT r{};
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
    return Rect{r.left, r.top, r.right, r.bottom};
  }

  FakeMainForm main_;
  FakeCapture capture_{main_.calls};
  ScopedForms forms_{&main_, &capture_};
  TSaveForm form_;
};

TEST_F(ToolPanelWindowTest, IsAChildOfTheEditorWithAClassOfItsOwn) {
  HWND panel = form_.ToolsPanelHandle();
  ASSERT_NE(panel, nullptr);
  wchar_t cls[64] = {};
  GetClassNameW(panel, cls, 64);
  EXPECT_STREQ(cls, ToolPanelWindow::kClassName);
  EXPECT_EQ(GetParent(panel), form_.hwnd());
  EXPECT_NE(GetWindowLongPtrW(panel, GWL_STYLE) & WS_CHILD, 0);
  // The tool buttons and the property pages live inside it.
  EXPECT_TRUE(IsChild(panel, form_.ToolButtonHandle(Tool::kHandle)));
  EXPECT_TRUE(IsChild(panel, form_.PageControlHandle(PageControl::kTextEdit)));
}

TEST_F(ToolPanelWindowTest, LaysOutItsPartsWheneverItIsSized) {
  // Sized on its own, without the editor laying it out: the tool box and
  // the property pages follow the panel's new size.
  HWND panel = form_.ToolsPanelHandle();
  HWND tools_box = GetParent(form_.ToolButtonHandle(Tool::kHandle));
  HWND pages_box = GetParent(GetParent(form_.PageControlHandle(PageControl::kTextEdit)));
  const Size sizes[] = {{FormMetrics{}.tools_panel_width, 420}, {FormMetrics{}.tools_panel_width, 640}};
  for (const Size& size : sizes) {
    SetWindowPos(panel, nullptr, 0, 0, size.width, size.height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    RECT client{};
    GetClientRect(panel, &client);
    const ToolsPanelLayout expected = ComputeToolsPanelLayout({client.right, client.bottom});
    EXPECT_EQ(PlaceInParent(tools_box), expected.tools) << "panel height " << size.height;
    EXPECT_EQ(PlaceInParent(pages_box), expected.pages) << "panel height " << size.height;
  }
}

}  // namespace
}  // namespace ksv::editor
