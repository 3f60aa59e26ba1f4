// The main window's icon in the notification area and its popup menu.

#include "../../../resources/resource.h"
#include "app/main_form_model.h"
#include "app/win/ksv_form.h"
#include "ui/controls.h"

namespace ksv::app {
namespace {

using ui::Wide;

constexpr UINT kTrayId = 1;

}  // namespace

bool TKSVForm::NotifyIcon(DWORD message, NOTIFYICONDATAW& data) {
  if (options_.notify_icon) return options_.notify_icon(message, data);
  return Shell_NotifyIconW(message, &data) != FALSE;
}

void TKSVForm::AddTrayIcon() {
  if (!tray_icon_) {
    tray_icon_.reset(
        static_cast<HICON>(LoadImageW(ui::ModuleInstance(), MAKEINTRESOURCEW(IDI_KSV), IMAGE_ICON,
                                      GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0)));
  }
  NOTIFYICONDATAW nid{};
  nid.cbSize = sizeof(nid);
  nid.hWnd = hwnd();
  nid.uID = kTrayId;
  nid.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  nid.uCallbackMessage = kTrayMessage;
  nid.hIcon = tray_icon_ ? tray_icon_.get() : LoadIconW(nullptr, IDI_APPLICATION);
  lstrcpynW(nid.szTip, Wide(kProductName).c_str(), static_cast<int>(std::size(nid.szTip)));
  tray_shown_ = NotifyIcon(NIM_ADD, nid);
}

void TKSVForm::RemoveTrayIcon() {
  if (!tray_shown_) return;
  NOTIFYICONDATAW nid{};
  nid.cbSize = sizeof(nid);
  nid.hWnd = hwnd();
  nid.uID = kTrayId;
  NotifyIcon(NIM_DELETE, nid);
  tray_shown_ = false;
}

void TKSVForm::ShowTrayMenu() {
  POINT pt{};
  GetCursorPos(&pt);
  // The menu closes when the user clicks elsewhere only if the window is
  // in the foreground.
  SetForegroundWindow(hwnd());
  TrackPopupMenu(tray_menu_.get(), TPM_RIGHTBUTTON | TPM_BOTTOMALIGN | TPM_RIGHTALIGN, pt.x, pt.y, 0, hwnd(),
                 nullptr);
  PostMessageW(hwnd(), WM_NULL, 0, 0);
}

}  // namespace ksv::app
