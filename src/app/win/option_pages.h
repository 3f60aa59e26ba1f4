// The option pages' radio groups, which the window's command handler
// keeps exclusive itself (the buttons are not automatic radio buttons).
#pragma once

#include <windows.h>

#include <span>

namespace ksv::app {

// The group `id` belongs to; empty when it is no radio button.
std::span<const int> RadioGroupOf(int id);
void SetRadioIndex(HWND parent, std::span<const int> group, int index);

}  // namespace ksv::app
