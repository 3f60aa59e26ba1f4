#include "editor/win/editor_system.h"

#include <commdlg.h>
#include <shellapi.h>

#include "capture/win/hook/ksvmain.h"

namespace ksv::editor {

std::optional<COLORREF> RunColorDialog(HWND owner, COLORREF initial) {
  // The dialog's custom colours live as long as the program, as the
  // dialog's own would.
  static COLORREF custom[16] = {};
  CHOOSECOLORW cc{};
  cc.lStructSize = sizeof(cc);
  cc.hwndOwner = owner;
  cc.rgbResult = initial;
  cc.lpCustColors = custom;
  cc.Flags = CC_RGBINIT | CC_FULLOPEN | CC_ANYCOLOR;
  if (!ChooseColorW(&cc)) return std::nullopt;
  return cc.rgbResult;
}

EditorSystem EditorSystem::Default() {
  EditorSystem s;
  s.enable_hot_key_hook = [] { EnableHotKeyHook(); };
  s.play_voice = [] { PlayVoice(); };
  s.save_dialog = RunSaveDialog;
  s.color_dialog = RunColorDialog;
  s.shell_open = [](HWND owner, const std::wstring& file, const std::wstring& parameters) {
    ShellExecuteW(owner, L"open", file.c_str(), parameters.empty() ? nullptr : parameters.c_str(), nullptr,
                  SW_SHOWNORMAL);
  };
  s.windows_folder = [] {
    wchar_t buffer[MAX_PATH] = {};
    const UINT n = GetWindowsDirectoryW(buffer, MAX_PATH);
    return std::wstring(buffer, n < MAX_PATH ? n : 0);
  };
  s.apply_wallpaper = [](const std::wstring& path) {
    // The path itself, not null: current Windows only reloads the picture
    // when it is named in the call.
    SystemParametersInfoW(SPI_SETDESKWALLPAPER, 0, const_cast<wchar_t*>(path.c_str()), SPIF_SENDWININICHANGE);
  };
  return s;
}

}  // namespace ksv::editor
