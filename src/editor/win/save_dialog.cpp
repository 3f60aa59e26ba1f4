// The save-as dialog: the system's file-save dialog with a small preview
// of the picture below the standard controls. The preview's dialog
// template is built in memory, so the dialog needs no resources.
#include <windows.h>
// After windows.h, which it needs.
#include <commdlg.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "core/text.h"
#include "editor/win/editor_system.h"
#include "ui/controls.h"
#include "ui/gdi.h"

namespace ksv::editor {

namespace {

using ui::Wide;

constexpr int kPreviewId = 0x4A0;
constexpr int kPreviewTextId = 0x4A1;

struct DialogContext {
  const Raster* preview = nullptr;
};

class TemplateWriter {
 public:
  void Word(WORD w) {
    bytes_.insert(bytes_.end(), reinterpret_cast<BYTE*>(&w), reinterpret_cast<BYTE*>(&w) + 2);
  }
  void Dword(DWORD d) {
    bytes_.insert(bytes_.end(), reinterpret_cast<BYTE*>(&d), reinterpret_cast<BYTE*>(&d) + 4);
  }
  void AlignDword() {
    while (bytes_.size() % 4 != 0) bytes_.push_back(0);
  }
  // A control: style, position and size in dialog units, id and the
  // atom of a predefined class.
  void Control(DWORD style, short x, short y, short cx, short cy, WORD id, WORD class_atom) {
    AlignDword();
    Dword(style);
    Dword(0);  // extended style
    Word(static_cast<WORD>(x));
    Word(static_cast<WORD>(y));
    Word(static_cast<WORD>(cx));
    Word(static_cast<WORD>(cy));
    Word(id);
    Word(0xFFFF);
    Word(class_atom);
    Word(0);  // no title
    Word(0);  // no creation data
  }
  std::vector<BYTE>& Bytes() { return bytes_; }

 private:
  std::vector<BYTE> bytes_;
};

// A child dialog template with the preview picture and a line for its size.
std::vector<BYTE> PreviewTemplate() {
  TemplateWriter w;
  w.Dword(WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | DS_3DLOOK | DS_CONTROL | DS_SETFONT);
  w.Dword(0);  // extended style
  w.Word(2);   // controls
  w.Word(0);
  w.Word(0);
  w.Word(260);  // width and height in dialog units
  w.Word(78);
  w.Word(0);  // no menu
  w.Word(0);  // standard class
  w.Word(0);  // no title
  w.Word(9);  // the dialogs' own font, 9 points
  for (const wchar_t* c = L"MS Shell Dlg"; *c != L'\0'; ++c) w.Word(static_cast<WORD>(*c));
  w.Word(0);
  w.Control(WS_CHILD | WS_VISIBLE | SS_OWNERDRAW, 8, 2, 120, 72, kPreviewId, 0x0082);
  w.Control(WS_CHILD | WS_VISIBLE | SS_LEFT, 136, 4, 116, 24, kPreviewTextId, 0x0082);
  // The template must start on a DWORD boundary of its own allocation.
  return std::move(w.Bytes());
}

void DrawPreview(const DRAWITEMSTRUCT& item, const Raster& picture) {
  const RECT& r = item.rcItem;
  FillRect(item.hDC, &r, GetSysColorBrush(COLOR_APPWORKSPACE));
  if (picture.Empty()) return;
  const int box_w = r.right - r.left - 4;
  const int box_h = r.bottom - r.top - 4;
  if (box_w <= 0 || box_h <= 0) return;
  // Fit inside the box, never enlarged, keeping the proportions.
  const double scale = std::min(
      {1.0, static_cast<double>(box_w) / picture.Width(), static_cast<double>(box_h) / picture.Height()});
  const int w = std::max(1, static_cast<int>(picture.Width() * scale));
  const int h = std::max(1, static_cast<int>(picture.Height() * scale));
  const int x = r.left + (r.right - r.left - w) / 2;
  const int y = r.top + (r.bottom - r.top - h) / 2;
  BITMAPINFO bi = ui::TopDownDibInfo(picture.Width(), picture.Height());
  const int old_mode = SetStretchBltMode(item.hDC, HALFTONE);
  SetBrushOrgEx(item.hDC, 0, 0, nullptr);
  StretchDIBits(item.hDC, x, y, w, h, 0, 0, picture.Width(), picture.Height(), picture.Bits(), &bi,
                DIB_RGB_COLORS, SRCCOPY);
  SetStretchBltMode(item.hDC, old_mode);
}

UINT_PTR CALLBACK PreviewHook(HWND dialog, UINT msg, WPARAM, LPARAM lparam) {
  if (msg == WM_INITDIALOG) {
    const auto* ofn = reinterpret_cast<const OPENFILENAMEW*>(lparam);
    SetWindowLongPtrW(dialog, DWLP_USER, static_cast<LONG_PTR>(ofn->lCustData));
    const auto* context = reinterpret_cast<const DialogContext*>(ofn->lCustData);
    if (context != nullptr && context->preview != nullptr) {
      const std::wstring text = L"预览：" + std::to_wstring(context->preview->Width()) + L" × " +
                                std::to_wstring(context->preview->Height());
      SetDlgItemTextW(dialog, kPreviewTextId, text.c_str());
    }
    return TRUE;
  }
  if (msg == WM_DRAWITEM) {
    const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lparam);
    const auto* context = reinterpret_cast<const DialogContext*>(GetWindowLongPtrW(dialog, DWLP_USER));
    if (item->CtlID == kPreviewId && context != nullptr && context->preview != nullptr) {
      DrawPreview(*item, *context->preview);
      return TRUE;
    }
  }
  return FALSE;
}

}  // namespace

std::optional<std::wstring> RunSaveDialog(HWND owner, SaveAsMemory& memory, const Raster& preview) {
  static const wchar_t kFilter[] =
      L"Bitmaps (*.bmp)\0*.bmp\0JPEG Image File (*.jpg)\0*.jpg\0GIF Image (*.gif)\0*.gif\0Tiff "
      L"(*.tif)\0*.tif\0";
  std::vector<wchar_t> file(32768, L'\0');
  const std::wstring initial = Wide(memory.FileName());
  std::copy_n(initial.begin(), std::min(initial.size(), file.size() - 1), file.begin());
  const std::wstring folder = Wide(memory.Folder());

  // The template goes into memory of its own, which is DWORD aligned.
  const std::vector<BYTE> bytes = PreviewTemplate();
  std::vector<DWORD> aligned((bytes.size() + 3) / 4, 0);
  std::memcpy(aligned.data(), bytes.data(), bytes.size());

  DialogContext context{&preview};
  OPENFILENAMEW ofn{};
  ofn.lStructSize = sizeof(ofn);
  ofn.hwndOwner = owner;
  ofn.hInstance = reinterpret_cast<HINSTANCE>(aligned.data());
  ofn.lpstrFilter = kFilter;
  ofn.nFilterIndex = 1;
  ofn.lpstrFile = file.data();
  ofn.nMaxFile = static_cast<DWORD>(file.size());
  ofn.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
  ofn.lpstrTitle = L"图像另存为";
  ofn.Flags = OFN_EXPLORER | OFN_ENABLEHOOK | OFN_ENABLETEMPLATEHANDLE | OFN_ENABLESIZING | OFN_HIDEREADONLY |
              OFN_PATHMUSTEXIST;
  ofn.lpfnHook = PreviewHook;
  ofn.lCustData = reinterpret_cast<LPARAM>(&context);
  if (!GetSaveFileNameW(&ofn)) return std::nullopt;
  const std::wstring chosen(file.data());
  memory.Remember(Utf16ToUtf8(std::u16string(chosen.begin(), chosen.end())));
  return chosen;
}

}  // namespace ksv::editor
