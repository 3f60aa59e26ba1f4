#include "editor/win/editor_system.h"

#include <commdlg.h>
#include <shellapi.h>

#include <stdexcept>

#include "ui/controls.h"

namespace ksv::editor {

namespace {

// The user's desktop settings: written only where the key already exists,
// as the system keeps it; a value the system refuses is an error.
void StoreWallpaperValues(const std::string& path) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS)
    return;
  const auto set = [key](const wchar_t* name, const char* quoted_name, const std::wstring& text) {
    const DWORD bytes = static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t));
    if (RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()), bytes) !=
        ERROR_SUCCESS) {
      RegCloseKey(key);
      throw std::runtime_error(std::string("Failed to set data for ") + quoted_name);
    }
  };
  set(L"Wallpaper", "'Wallpaper'", ui::Wide(path));
  set(L"TileWallpaper", "'TileWallpaper'", L"0");
  set(L"WallpaperStyle", "'WallpaperStyle'", L"2");
  RegCloseKey(key);
}

}  // namespace

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
  s.store_wallpaper = StoreWallpaperValues;
  s.apply_wallpaper = [](const std::wstring& path) {
    // The path itself, not null: current Windows only reloads the picture
    // when it is named in the call.
    SystemParametersInfoW(SPI_SETDESKWALLPAPER, 0, const_cast<wchar_t*>(path.c_str()), SPIF_SENDWININICHANGE);
  };
  return s;
}

}  // namespace ksv::editor
