// The main window: mode buttons, option pages, menus, status bar and the
// tray icon. It owns the capture timer and the live settings.
#pragma once

#include <windows.h>

#include <string>

#include "ui/window.h"

namespace ksv::app {

class TKSVForm : public ui::Window {
 public:
  static constexpr const wchar_t* kClassName = L"TKSVForm";

  // Creates the window (hidden). Returns false when it could not be made.
  bool CreateForm();
  void Show();

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wparam, LPARAM lparam) override;

 private:
  void FormCreate();
  void FormClose();
  void QuitClick();

  HWND status_bar_ = nullptr;  // child window, destroyed with the form
};

}  // namespace ksv::app
