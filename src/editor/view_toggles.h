// The four check items of the view menu "视图(&V)", all checked at first.
#pragma once

namespace ksv::editor {

class ViewToggles {
 public:
  // Each click flips its item's check mark.
  void ClickToolBarButtons() { tool_bar_ = !tool_bar_; }         // ToolBarBtnMenu "工具栏按钮"
  void ClickToolBarText() { tool_bar_text_ = !tool_bar_text_; }  // ToolBarTextMenu "文字标签"
  void ClickToolsPanel() { tools_panel_ = !tools_panel_; }       // ToolsStatusMenu "绘图工具栏"
  void ClickStatusBar() { status_bar_ = !status_bar_; }          // StatusMenu "状态栏"

  bool ToolBarButtonsChecked() const { return tool_bar_; }
  bool ToolBarTextChecked() const { return tool_bar_text_; }
  bool ToolsPanelChecked() const { return tools_panel_; }
  bool StatusBarChecked() const { return status_bar_; }

  bool ToolBarVisible() const { return tool_bar_; }
  // The captions item can only be used while the toolbar shows; it keeps its
  // check mark meanwhile.
  bool ToolBarTextEnabled() const { return tool_bar_; }
  bool ToolBarCaptionsShown() const { return tool_bar_text_; }
  bool ToolsPanelVisible() const { return tools_panel_; }
  bool StatusBarVisible() const { return status_bar_; }

 private:
  bool tool_bar_ = true;
  bool tool_bar_text_ = true;
  bool tools_panel_ = true;
  bool status_bar_ = true;
};

}  // namespace ksv::editor
