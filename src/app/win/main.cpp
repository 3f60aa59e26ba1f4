// Entry point of KSV.exe: initialise, create the windows, run the loop.
#include <windows.h>
// After <windows.h>, which they need.
#include <commctrl.h>
#include <objbase.h>
#include <shellapi.h>

#include "app/win/forms.h"
#include "app/win/ksv_form.h"
#include "app/win/registry_win.h"
#include "capture/win/display_form.h"
#include "capture/win/select_area_form.h"
#include "editor/win/save_form.h"
#include "output/win/file_replace.h"
#include "output/win/system_texts.h"
#include "ui/message_loop.h"
#include "video/win/video_form.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  // The folder dialog of the page "存储" needs COM in this thread.
  const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
  INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_WIN95_CLASSES | ICC_BAR_CLASSES | ICC_TAB_CLASSES |
                                            ICC_STANDARD_CLASSES | ICC_USEREX_CLASSES};
  InitCommonControlsEx(&icc);
  // Failed saves name the system's own reason, and finished pictures are
  // moved into place with write-through.
  ksv::InstallSystemErrorTexts();
  ksv::InstallWriteThroughReplace();

  // Only the first argument counts: "s" (exactly) starts in the tray, and
  // so does any other argument.
  ksv::app::TKSVFormOptions options;
  int argc = 0;
  if (LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc)) {
    if (argc >= 2) {
      const std::wstring first = argv[1];
      options.first_argument = std::u16string(first.begin(), first.end());
    }
    LocalFree(argv);
  }

  // The five windows, each once for the whole run, in this order: the main
  // window comes first so it owns the taskbar button.
  ksv::app::TKSVForm main_form(ksv::SystemRegistry());
  if (!main_form.CreateForm(std::move(options))) return 1;
  ksv::capture::TSelectAreaForm select_area_form;
  select_area_form.CreateForm();
  ksv::editor::TSaveForm save_form;
  save_form.CreateForm();
  ksv::app::ConnectEditor(save_form);
  ksv::capture::TDisPlayForm display_form;
  display_form.CreateForm();
  ksv::video::TVideoForm video_form;
  video_form.CreateForm();
  if (main_form.ShowAtStart()) main_form.OpenMainWindow();

  const int code = ksv::ui::RunMessageLoop();
  if (SUCCEEDED(com)) CoUninitialize();
  return code;
}
