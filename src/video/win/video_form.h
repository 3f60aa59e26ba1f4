// The camera window "摄像头捕捉".
#pragma once

#include <windows.h>

#include "ui/window.h"
#include "video/win/video_links.h"

namespace ksv::video {

class TVideoForm : public ui::Window, public VideoApi {
 public:
  static constexpr const wchar_t* kClassName = L"TVideoForm";
  ~TVideoForm() override;
  bool CreateForm();

  HWND Handle() const override { return hwnd(); }
  // Runs a modal loop until the window is closed; the main window is shown
  // again afterwards.
  void ShowVideoModal() override;

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wparam, LPARAM lparam) override;

 private:
  bool modal_ = false;
};

}  // namespace ksv::video
