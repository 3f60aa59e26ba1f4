// Menus, accelerator tables and dispatch from a window's command rows
// (core/commands.h). A window builds its menu bar, popups and shortcut
// table here and routes WM_COMMAND through a table of its member
// handlers, so every window's menus look and behave the same way.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <span>
#include <string_view>
#include <type_traits>

#include "core/commands.h"

namespace ksv::ui {

struct MenuDeleter {
  void operator()(HMENU menu) const { DestroyMenu(menu); }
};
// A menu nobody else owns. A menu bar given to a window belongs to the
// window from then on: release() it there.
using MenuHandle = std::unique_ptr<std::remove_pointer_t<HMENU>, MenuDeleter>;

struct AcceleratorDeleter {
  void operator()(HACCEL table) const { DestroyAcceleratorTable(table); }
};
using AcceleratorHandle = std::unique_ptr<std::remove_pointer_t<HACCEL>, AcceleratorDeleter>;

// The bitmap an item with a menu picture shows (its CommandRow::image);
// null for none. The bitmaps stay the caller's and must outlive the menu.
using MenuPicture = std::function<HBITMAP(int image)>;

// The menu bar with the top menus `tops`, left to right: items show their
// caption, a tab and the shortcut text; radio items their bullet.
MenuHandle BuildMenuBar(std::span<const CommandRow> rows, std::span<const std::string_view> tops,
                        const MenuPicture& picture = {});
// The popup menu `top` (a right-button menu).
MenuHandle BuildPopupMenu(std::span<const CommandRow> rows, std::string_view top,
                          const MenuPicture& picture = {});
// The shortcuts of the items in the menus `menus`, for RegisterAccelerators.
AcceleratorHandle BuildAccelerators(std::span<const CommandRow> rows,
                                    std::span<const std::string_view> menus);

void SetMenuChecked(HMENU menu, int id, bool checked);
void SetMenuEnabled(HMENU menu, int id, bool enabled);
bool MenuChecked(HMENU menu, int id);
// False too for an item the menu does not have.
bool MenuEnabled(HMENU menu, int id);

// Shows the check marks and greys of `rules` for `state` in `menu`.
template <class State>
void ApplyMenuRules(HMENU menu, std::span<const CommandRule<State>> rules, const State& state) {
  for (const CommandRule<State>& r : rules) {
    if (r.checked) SetMenuChecked(menu, r.id, r.checked(state));
    if (r.enabled) SetMenuEnabled(menu, r.id, r.enabled(state));
  }
}

// One row of a window's dispatch table: the command and its handler.
template <class Window>
struct CommandHandler {
  int id = 0;
  void (Window::*handler)() = nullptr;
};

// Runs the handler of `id`; false when the table has none.
template <class Window>
bool RunCommand(Window& window, std::span<const CommandHandler<Window>> table, int id) {
  for (const CommandHandler<Window>& h : table) {
    if (h.id != id) continue;
    (window.*h.handler)();
    return true;
  }
  return false;
}

// A control's notification (BN_CLICKED, EN_CHANGE) and its handler.
template <class Window>
struct NotificationHandler {
  int id = 0;
  int code = 0;
  void (Window::*handler)() = nullptr;
};

// Runs the handler of `id`'s notification `code`; false when the table
// has none.
template <class Window>
bool RunNotification(Window& window, std::span<const NotificationHandler<Window>> table, int id, int code) {
  for (const NotificationHandler<Window>& h : table) {
    if (h.id != id || h.code != code) continue;
    (window.*h.handler)();
    return true;
  }
  return false;
}

}  // namespace ksv::ui
