// The image editor window "图像编辑": toolbar, tool panel with the colour
// swatches, tool buttons and property pages, the scroll box with the
// picture, the status bar and the menus. The window-less rules live in
// EditorDocument; this class owns the controls, forwards their events to
// the document and shows what it says.
#pragma once

#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>

#include <array>
#include <memory>
#include <string>

#include "core/raster.h"
#include "editor/editor_commands.h"
#include "editor/editor_document.h"
#include "editor/output_paths.h"
#include "editor/tool_panel.h"
#include "editor/win/editor_links.h"
#include "editor/win/editor_system.h"
#include "editor/win/panel_window.h"
#include "editor/win/tool_panel_window.h"
#include "ui/commands.h"
#include "ui/handles.h"
#include "ui/window.h"

namespace ksv::editor {

// Identifiers: menu items and toolbar buttons carry CommandId(command)
// (editor_commands.h); the panel's controls their own.
inline constexpr int kToolButtonBase = 2200;  // plus the Tool's number
inline constexpr int kPenStyleBase = 2240;    // SolidPen .. ClearPen
inline constexpr int kBrushStyleBase = 2250;  // SolidBrush .. DiagCrossBrush
inline constexpr int kPenStyleCount = 6;
inline constexpr int kBrushStyleCount = 8;

enum class PageControl {
  kPenSize,
  kTextEdit,
  kTextPropertiesBtn,
  kTextLabel,
  kRadius,
  kMagnificationEdit,
  kRadiusEdit,
  kShapeSquare,
  kShapeRound,
  kUseBorder,
  kUseCursor,
  kEnlargeBtn,
  kNarrowBtn,
  kActualSizeBtn,
  kArbitraryDegreesText,
  kArbitraryDegreesBtn,
  kTransverseEdit,
  kLongitudinalAxisEdit,
  kTranslationOKBtn,
  kCount,
};
inline constexpr int kPageControlBase = 2300;

class TSaveForm : public ui::Window {
 public:
  static constexpr const wchar_t* kClassName = L"TSaveForm";
  TSaveForm();
  ~TSaveForm() override;

  // Creates the hidden window and registers it as the program's editor.
  bool CreateForm();

  // Where the captures come in (the application hands them on from the
  // capture side).
  HWND Handle() const { return hwnd(); }
  // A whole-screen canvas.
  void LoadFullScreen(const Raster& canvas);
  // The overlay's frozen screen; the drag began at drag_start (screen
  // coordinates) and ends where the cursor is now.
  void LoadRegion(const Raster& canvas, POINT drag_start);
  // A ready picture (active window, control, fixed region).
  void LoadPicture(const Raster& picture);
  // Shows the editor; with modal set, returns when it is closed.
  void ShowEditor(bool modal);
  bool EditorVisible() const;

  // The document: picture, history, zoom, status texts.
  const EditorDocument& Document() const { return doc_; }
  const Raster& Picture() const { return doc_.Picture(); }
  // Operations of the later tool, transform and effect code change the
  // picture through here and then call PushHistory when theirs records a
  // step.
  void SetPicture(Raster picture);
  // Panel 4 shows the timing of the timed effects.
  void SetStatusText(StatusPanel panel, std::string text);

  // What the controls show (read back from the controls themselves).
  std::wstring StatusBarText(StatusPanel panel) const;
  bool ToolButtonEnabled(EditorCommand command) const;
  bool ToolButtonVisible() const;
  HWND ToolBar() const { return tool_bar_; }
  HWND StatusBar() const { return status_bar_; }
  HWND ScrollBoxHandle() const { return scroll_box_.hwnd(); }
  HWND ToolsPanelHandle() const { return tools_panel_.hwnd(); }
  HWND PageControlHandle(PageControl control) const;
  HWND ToolButtonHandle(Tool tool) const { return tool_buttons_[static_cast<int>(tool)]; }
  std::optional<ToolPage> ShownPage() const { return shown_page_; }
  const ToolGroup& Tools() const { return tools_; }
  bool MenuItemChecked(EditorCommand command) const;
  bool MenuItemEnabled(EditorCommand command) const;

  // The system the window talks to; tests replace parts of it.
  EditorSystem& System() { return system_; }

  // Window events.
  void FormShow();
  void FormActivate();
  void FormClose();
  void FormDestroy();
  void FormMouseWheel(int delta);

  // Menu items and buttons: every command, by its number.
  void RunCommand(EditorCommand command);
  // The menu shortcuts, registered with the message loop.
  HACCEL Accelerators() const { return accelerators_.get(); }

  // History.
  void PushHistory();
  void UnDoMenuClick();
  void ReDoMenuClick();

  // Zoom and view.
  void EnlargeToolButtonClick();
  void NarrowToolButtonClick();
  void ActualSizeToolButtonClick();
  void CenterPicture();
  void ToolBarBtnMenuClick();
  void ToolBarTextMenuClick();
  void ToolsStatusMenuClick();
  void StatusMenuClick();

  // Colours.
  void ForeGroundColorMouseDown();
  void BackGroundColorMouseDown();
  void ExchangeColorBtnClick();

  // Tool panel.
  void ToolButtonClick(Tool tool);
  void ShowPage(ToolPage page);
  int PenStyleIndex() const { return pen_style_; }
  int BrushStyleIndex() const { return brush_style_; }

  // The picture control, in Pic coordinates.
  void PicMouseDown(Point view);
  void PicMouseMove(Point view);
  void PicMouseUp(Point view);

  // Output actions.
  void SaveToolButtonClick();
  void SaveASToolButtonClick();
  void CopyToClipMenuClick();
  void SetWallPaperMenuClick();
  void OpenMenuClick();
  void CancelToolButtonClick();
  void MailUSMenuClick();
  void HomePageMenuClick();
  void AboutMenuClick();
  void ArbitraryDegreesMenuClick();

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wparam, LPARAM lparam) override;

 private:
  void FormCreate();
  void CreateToolBar();
  void CreateMenuBar();
  void CreateStatusBar();
  void CreateToolsPanel();
  void CreatePages();
  void LayoutControls();
  void LayoutToolsPanel();
  // After any change of the document's view: controls, bars and picture.
  void ViewChanged();
  void UpdateStatusBar();
  void UpdateZoomButtons();
  void UpdateViewMenu();
  void ResizeWindow(Size outer);
  void PaintColorPanel(HDC dc, const RECT& client);
  void ColorPanelMouseDown(POINT at);
  bool DrawOwnerItem(const DRAWITEMSTRUCT& item);
  LRESULT OnNotify(NMHDR& header);
  void OnCommand(int id, int code, HWND control);
  // The menu items' and toolbar buttons' handlers, by identifier.
  static std::span<const ui::CommandHandler<TSaveForm>> CommandHandlers();

  EditorDocument doc_;
  EditorSystem system_;
  SaveAsMemory save_as_memory_;
  ToolGroup tools_;
  std::optional<ToolPage> shown_page_;
  int pen_style_ = 0;
  int brush_style_ = 0;

  // Child controls, destroyed with the form.
  HWND tool_bar_ = nullptr;
  HWND status_bar_ = nullptr;
  HWND hints_ = nullptr;
  HMENU menu_ = nullptr;  // owned by the window once set
  ui::AcceleratorHandle accelerators_;
  ui::ImageListHandle tool_images_;
  ToolPanelWindow tools_panel_;
  PanelWindow color_panel_;
  PanelWindow tools_box_;  // sPanelTools
  PanelWindow pages_box_;  // AttributeToolbox
  std::array<std::unique_ptr<PanelWindow>, kToolPageCount> pages_;
  std::array<HWND, kToolPageCount> page_frames_{};  // the pages' group boxes
  ScrollBox scroll_box_;
  HWND exchange_button_ = nullptr;
  std::array<HWND, kToolCount> tool_buttons_{};
  std::array<HWND, kPenStyleCount> pen_buttons_{};
  std::array<HWND, kBrushStyleCount> brush_buttons_{};
  std::array<HWND, static_cast<int>(PageControl::kCount)> page_controls_{};
  std::array<ui::IconHandle, kToolCount> tool_icons_;
  std::array<std::wstring, kStatusPanelCount> shown_status_;
  bool modal_ = false;
};

}  // namespace ksv::editor
