// Owners for the user-interface handles that are not GDI objects: image
// lists and icons, each freed by its own call.
#pragma once

#include <windows.h>
// After <windows.h>, which it needs.
#include <commctrl.h>

#include <memory>
#include <type_traits>

namespace ksv::ui {

struct ImageListDeleter {
  void operator()(HIMAGELIST list) const { ImageList_Destroy(list); }
};
using ImageListHandle = std::unique_ptr<std::remove_pointer_t<HIMAGELIST>, ImageListDeleter>;

// Only for icons the program made or loaded without LR_SHARED: shared ones
// belong to the system.
struct IconDeleter {
  void operator()(HICON icon) const { DestroyIcon(icon); }
};
using IconHandle = std::unique_ptr<std::remove_pointer_t<HICON>, IconDeleter>;

}  // namespace ksv::ui
