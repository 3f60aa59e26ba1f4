// Resource and command identifiers shared by the .rc files and the code:
// one table of command IDs serves menus, accelerators and toolbars. Each
// window family keeps its identifiers in its own header, in its own range
// (main window 1-1999, editor 2000-3999, capture 4000-4999, camera
// 5000-5999).
#pragma once

#define IDI_KSV 1

#include "resource_main.h"
#include "resource_editor.h"
#include "resource_capture.h"
#include "resource_video.h"
