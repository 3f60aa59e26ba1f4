#include "ui/commands.h"

#include <vector>

#include "ui/controls.h"

namespace ksv::ui {

namespace {

BYTE AccelFlags(unsigned modifiers) {
  BYTE f = FVIRTKEY;
  if (modifiers & kCtrl) f |= FCONTROL;
  if (modifiers & kAlt) f |= FALT;
  if (modifiers & kShift) f |= FSHIFT;
  return f;
}

void Fill(HMENU menu, const std::vector<MenuNode>& nodes, const MenuPicture& picture) {
  for (const MenuNode& n : nodes) {
    switch (n.kind) {
      case MenuNode::Kind::kSeparator:
        AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
        break;
      case MenuNode::Kind::kSubmenu: {
        HMENU sub = CreatePopupMenu();
        Fill(sub, n.children, picture);
        AppendMenuW(menu, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(sub), Wide(n.caption).c_str());
        break;
      }
      case MenuNode::Kind::kItem: {
        const CommandRow& row = *n.row;
        const auto id = static_cast<UINT>(row.id);
        AppendMenuW(menu, MF_STRING, id, Wide(MenuItemText(row)).c_str());
        MENUITEMINFOW mii{};
        mii.cbSize = sizeof(mii);
        if (row.Has(kRadioItem)) {
          mii.fMask |= MIIM_FTYPE;
          mii.fType = MFT_RADIOCHECK;
        }
        if (HBITMAP bmp = (picture && row.image >= 0) ? picture(row.image) : nullptr) {
          mii.fMask |= MIIM_BITMAP;
          mii.hbmpItem = bmp;
        }
        if (mii.fMask != 0) SetMenuItemInfoW(menu, id, FALSE, &mii);
        if (row.Has(kDefaultItem)) SetMenuDefaultItem(menu, id, FALSE);
        break;
      }
    }
  }
}

}  // namespace

MenuHandle BuildMenuBar(std::span<const CommandRow> rows, std::span<const std::string_view> tops,
                        const MenuPicture& picture) {
  MenuHandle bar(CreateMenu());
  if (!bar) return bar;
  for (std::string_view top : tops) {
    HMENU popup = CreatePopupMenu();
    Fill(popup, MenuTree(rows, top), picture);
    AppendMenuW(bar.get(), MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(popup), Wide(top).c_str());
  }
  return bar;
}

MenuHandle BuildPopupMenu(std::span<const CommandRow> rows, std::string_view top,
                          const MenuPicture& picture) {
  MenuHandle popup(CreatePopupMenu());
  if (popup) Fill(popup.get(), MenuTree(rows, top), picture);
  return popup;
}

AcceleratorHandle BuildAccelerators(std::span<const CommandRow> rows,
                                    std::span<const std::string_view> menus) {
  std::vector<ACCEL> accels;
  for (const CommandRow* row : ShortcutRows(rows, menus))
    accels.push_back({AccelFlags(row->shortcut.modifiers), static_cast<WORD>(row->shortcut.key),
                      static_cast<WORD>(row->id)});
  if (accels.empty()) return {};
  return AcceleratorHandle(CreateAcceleratorTableW(accels.data(), static_cast<int>(accels.size())));
}

void SetMenuChecked(HMENU menu, int id, bool checked) {
  CheckMenuItem(menu, static_cast<UINT>(id), MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
}

void SetMenuEnabled(HMENU menu, int id, bool enabled) {
  EnableMenuItem(menu, static_cast<UINT>(id), MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
}

bool MenuChecked(HMENU menu, int id) {
  const UINT state = GetMenuState(menu, static_cast<UINT>(id), MF_BYCOMMAND);
  return state != static_cast<UINT>(-1) && (state & MF_CHECKED) != 0;
}

bool MenuEnabled(HMENU menu, int id) {
  const UINT state = GetMenuState(menu, static_cast<UINT>(id), MF_BYCOMMAND);
  return state != static_cast<UINT>(-1) && (state & (MF_GRAYED | MF_DISABLED)) == 0;
}

}  // namespace ksv::ui
