// What the editor asks of the system outside its own window: the hook
// library, the common dialogs, the shell and the wallpaper. Each is a
// replaceable function so tests can answer a dialog or watch a call
// without a person or a desktop; the program uses the defaults.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>

#include "core/raster.h"
#include "editor/output_paths.h"

namespace ksv::editor {

struct EditorSystem {
  // KSVMain.dll's, bound by the application (empty until it does).
  std::function<void()> enable_hot_key_hook;
  std::function<void()> play_voice;
  // Stores the wallpaper values in the user's desktop settings (the
  // registry); raises on a refused write.
  std::function<void(const std::string& path)> store_wallpaper;
  // The file-save dialog: the path the user confirmed, or nothing on
  // cancel. It starts from and updates `memory`; `preview` is the picture
  // about to be saved.
  std::function<std::optional<std::wstring>(HWND owner, SaveAsMemory& memory, const Raster& preview)>
      save_dialog;
  // The colour dialog, opened on `initial`; nothing when cancelled.
  std::function<std::optional<COLORREF>(HWND owner, COLORREF initial)> color_dialog;
  // ShellExecute "open" of a program with parameters.
  std::function<void(HWND owner, const std::wstring& file, const std::wstring& parameters)> shell_open;
  // The Windows folder (GetWindowsDirectory).
  std::function<std::wstring()> windows_folder;
  // Tells the system that the wallpaper values changed.
  std::function<void(const std::wstring& path)> apply_wallpaper;

  // The real system.
  static EditorSystem Default();
};

// The default dialogs, usable on their own.
std::optional<std::wstring> RunSaveDialog(HWND owner, SaveAsMemory& memory, const Raster& preview);
std::optional<COLORREF> RunColorDialog(HWND owner, COLORREF initial);

}  // namespace ksv::editor
