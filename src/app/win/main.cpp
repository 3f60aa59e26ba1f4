// Entry point of KSV.exe: initialise, create the windows, run the loop.
#include <windows.h>
#include <commctrl.h>

#include "app/win/ksv_form.h"
#include "capture/win/display_form.h"
#include "capture/win/select_area_form.h"
#include "editor/win/save_form.h"
#include "video/win/video_form.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_WIN95_CLASSES | ICC_BAR_CLASSES | ICC_TAB_CLASSES |
                                            ICC_STANDARD_CLASSES | ICC_USEREX_CLASSES};
  InitCommonControlsEx(&icc);

  // The five windows, each once for the whole run, in this order: the main
  // window comes first so it owns the taskbar button.
  ksv::app::TKSVForm main_form;
  if (!main_form.CreateForm()) return 1;
  ksv::capture::TSelectAreaForm select_area_form;
  select_area_form.CreateForm();
  ksv::editor::TSaveForm save_form;
  save_form.CreateForm();
  ksv::capture::TDisPlayForm display_form;
  display_form.CreateForm();
  ksv::video::TVideoForm video_form;
  video_form.CreateForm();
  main_form.Show();

  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return static_cast<int>(msg.wParam);
}
