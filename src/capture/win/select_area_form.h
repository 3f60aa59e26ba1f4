// The selection frame: a blue ring round the area the control and fixed
// region modes will take.
#pragma once

#include <windows.h>

#include "ui/forms.h"
#include "ui/window.h"

namespace ksv::capture {

class TSelectAreaForm : public ui::Window, public ui::SelectFrameApi {
 public:
  static constexpr const wchar_t* kClassName = L"TSelectAreaForm";
  ~TSelectAreaForm() override;
  bool CreateForm();

  HWND Handle() const override { return hwnd(); }
  void ShowFrame(const RECT& screen_rect) override;
  void HideFrame() override;
};

}  // namespace ksv::capture
