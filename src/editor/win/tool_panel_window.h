// The editor's tool panel (sToolsPanel) as a child window of its own class:
// it holds the colour panel, the tool buttons and the property pages, hands
// their commands and notifications to the form like every panel, and lays
// its parts out again whenever it is sized.
#pragma once

#include <windows.h>

#include <functional>

#include "editor/win/panel_window.h"

namespace ksv::editor {

class ToolPanelWindow : public PanelWindow {
 public:
  static constexpr const wchar_t* kClassName = L"TKsvToolPanel";
  bool CreateToolPanel(HWND form, int id) { return CreatePanel(form, form, id, true, kClassName); }
  // Places the parts for the panel's new client size.
  std::function<void()> on_layout;

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wparam, LPARAM lparam) override {
    if (msg == WM_SIZE && on_layout) on_layout();
    return PanelWindow::HandleMessage(msg, wparam, lparam);
  }
};

}  // namespace ksv::editor
