// The full-screen overlay on which the user drags the region to capture.
#pragma once

#include <windows.h>

#include "core/raster.h"
#include "ui/forms.h"
#include "ui/window.h"

namespace ksv::capture {

class TDisPlayForm : public ui::Window, public ui::OverlayApi {
 public:
  static constexpr const wchar_t* kClassName = L"TDisPlayForm";
  ~TDisPlayForm() override;
  bool CreateForm();

  HWND Handle() const override { return hwnd(); }
  void ShowOverlay(const Raster& frozen_screen) override;
  void HideOverlay() override;

 private:
  Raster frozen_;
};

}  // namespace ksv::capture
