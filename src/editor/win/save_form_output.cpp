// The editor's ways of getting the picture out: save under the automatic
// name, save as, clipboard, wallpaper, the save folder, and the help items.
#include <windows.h>

#include <cstring>
#include <exception>
#include <filesystem>
#include <system_error>

#include "core/text.h"
#include "editor/output_paths.h"
#include "editor/win/save_form.h"
#include "output/naming.h"
#include "output/output_error.h"
#include "output/picture_files.h"
#include "output/win/system_texts.h"
#include "ui/controls.h"
#include "ui/message_box.h"

namespace ksv::editor {

namespace {

constexpr wchar_t kSavedMessage[] = L"已经保存到指定目录下！";
constexpr wchar_t kCopiedMessage[] = L"已成功复制到剪贴板！";
constexpr wchar_t kClipboardFailed[] = L"不能把图像复制到剪贴板，剪贴板可能正被其他程序占用。";
constexpr wchar_t kEmptyClipboardPicture[] = L"图像为空，不能复制到剪贴板";

// The option page "存储" as it stands now.
OutputSettings LiveOutputSettings() {
  return Links().main != nullptr ? Links().main->LiveOutputSettings() : OutputSettings{};
}

// Runs one output step; an error is shown as the program's error report
// and the result says the action must stop.
template <typename F>
bool Reported(HWND owner, F&& step) {
  try {
    step();
    return true;
  } catch (const std::exception& e) {
    ui::ShowError(owner, ui::Wide(e.what()));
    return false;
  }
}

}  // namespace

void TSaveForm::SaveToolButtonClick() {
  const OutputSettings settings = LiveOutputSettings();
  const Raster& picture = doc_.Picture();
  if (!Reported(hwnd(), [&] { SaveEditorPicture(picture, settings, CurrentDateTimeTexts()); })) return;
  ui::ShowMessage(hwnd(), kSavedMessage, MB_OK | MB_ICONINFORMATION);
}

void TSaveForm::SaveASToolButtonClick() {
  if (!system_.save_dialog) return;
  const std::optional<std::wstring> chosen = system_.save_dialog(hwnd(), save_as_memory_, doc_.Picture());
  if (!chosen || chosen->empty()) return;
  // The format is the one configured on the main window, read after the
  // dialog closed; the dialog's own type list does not choose it.
  const OutputSettings settings = LiveOutputSettings();
  Reported(hwnd(), [&] { SaveEditorPictureAs(doc_.Picture(), settings, ui::Utf8(*chosen)); });
}

void TSaveForm::CopyToClipMenuClick() {
  const Raster& picture = doc_.Picture();
  if (picture.Empty()) {
    ui::ShowError(hwnd(), kEmptyClipboardPicture);
    return;
  }
  if (!OpenClipboard(hwnd())) {
    ui::ShowError(hwnd(), kClipboardFailed);
    return;
  }
  EmptyClipboard();
  // The packed DIB is the copy itself; success is reported only when the
  // clipboard took it.
  bool copied = false;
  const std::vector<std::uint8_t> dib = PackedDib(picture);
  if (HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, dib.size())) {
    if (void* at = GlobalLock(memory)) {
      std::memcpy(at, dib.data(), dib.size());
      GlobalUnlock(memory);
      copied = SetClipboardData(CF_DIB, memory) != nullptr;
      if (!copied) GlobalFree(memory);
    } else {
      GlobalFree(memory);
    }
  }
  if (copied) {
    // A device bitmap too, for programs that only take CF_BITMAP as it was
    // put there.
    const auto* header = reinterpret_cast<const BITMAPINFO*>(dib.data());
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateDIBitmap(screen, &header->bmiHeader, CBM_INIT, dib.data() + kBitmapInfoHeaderSize,
                                    header, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    if (bitmap != nullptr && SetClipboardData(CF_BITMAP, bitmap) == nullptr) DeleteObject(bitmap);
  }
  CloseClipboard();
  if (copied) {
    ui::ShowMessage(hwnd(), kCopiedMessage, MB_OK | MB_ICONINFORMATION);
  } else {
    ui::ShowError(hwnd(), kClipboardFailed);
  }
}

void TSaveForm::SetWallPaperMenuClick() {
  const OutputSettings settings = LiveOutputSettings();
  const std::string windows =
      system_.windows_folder ? ui::Utf8(system_.windows_folder()) : std::string("C:\\WINDOWS");
  const std::string folder = WallpaperFolder(windows);
  const std::string path = WallpaperPath(windows, settings.name_template);
  // A folder that cannot be made shows up as the file write's failure.
  std::error_code ignored;
  std::filesystem::create_directories(PathFromText(folder), ignored);
  if (!Reported(hwnd(), [&] { SavePicture(doc_.Picture(), 0, PathFromText(path), settings.jpeg_quality); })) {
    return;
  }
  if (system_.store_wallpaper && !Reported(hwnd(), [&] { system_.store_wallpaper(path); })) return;
  if (system_.apply_wallpaper) system_.apply_wallpaper(ui::Wide(path));
}

void TSaveForm::OpenMenuClick() {
  if (system_.shell_open) system_.shell_open(hwnd(), L"Explorer.exe", ui::Wide(LiveOutputSettings().folder));
}

void TSaveForm::CancelToolButtonClick() { FormClose(); }

void TSaveForm::MailUSMenuClick() {
  if (Links().main != nullptr) Links().main->OpenMail();
}

void TSaveForm::HomePageMenuClick() {
  if (Links().main != nullptr) Links().main->OpenHomePage();
}

void TSaveForm::AboutMenuClick() {
  if (Links().main != nullptr) Links().main->OpenUpdateHistory();
}

}  // namespace ksv::editor
