// The image editor window.
#pragma once

#include <windows.h>

#include "core/raster.h"
#include "ui/forms.h"
#include "ui/window.h"

namespace ksv::editor {

class TSaveForm : public ui::Window, public ui::EditorApi {
 public:
  static constexpr const wchar_t* kClassName = L"TSaveForm";
  ~TSaveForm() override;

  // Creates the hidden window and registers it as the program's editor.
  bool CreateForm();

  HWND Handle() const override { return hwnd(); }
  void LoadFullScreen(const Raster& canvas) override;
  void LoadRegion(const Raster& canvas, POINT drag_start) override;
  void LoadPicture(const Raster& picture) override;
  void ShowEditor(bool modal) override;
  bool EditorVisible() const override;

  const Raster& Picture() const { return picture_; }

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wparam, LPARAM lparam) override;

 private:
  Raster picture_;
};

}  // namespace ksv::editor
