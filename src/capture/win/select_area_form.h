// The selection frame: a blue ring round the area the control and fixed
// region modes will take. A borderless topmost window whose window region
// leaves only the ring, so it is neither drawn nor hit anywhere else.
#pragma once

#include <windows.h>

#include "capture/capture_geometry.h"
#include "capture/win/capture_links.h"
#include "ui/window.h"

namespace ksv::capture {

class TSelectAreaForm : public ui::Window, public SelectFrameApi {
 public:
  static constexpr const wchar_t* kClassName = L"TSelectAreaForm";
  static constexpr COLORREF kColor = 0x00FF0000;  // blue
  ~TSelectAreaForm() override;
  bool CreateForm();

  HWND Handle() const override { return hwnd(); }
  // The ring goes round screen_rect, kFrameMargin pixels away.
  void ShowFrame(const RECT& screen_rect) override;
  void HideFrame() override;

  // Moves the window to these bounds, gives it its ring and shows it.
  void PlaceFrame(const Rect& bounds);

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wparam, LPARAM lparam) override;

 private:
  void SetRing(Size size);
  void FormShow();

  Size ring_size_;
};

}  // namespace ksv::capture
