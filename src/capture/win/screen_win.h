// The Win32 side of grabbing: the primary screen, the cursor over it and
// the rectangles of the windows the capture modes take.
#pragma once

#include <windows.h>

#include <optional>

#include "capture/capture_geometry.h"
#include "core/raster.h"

namespace ksv::capture {

Size PrimaryScreenSize();

// A copy of the whole primary screen as it shows now: the screen's device
// context copied (plain source copy) into a working bitmap in the screen's
// own format, then read out as 24-bit pixels.
Raster GrabScreen();

// The cursor shown over the window under the mouse. That window may belong
// to another thread, whose cursor is only visible to a thread attached to
// its input. The handle is borrowed: never destroy it.
HCURSOR TargetCursor();

// Draws the cursor under the mouse into a grabbed screen, at its natural
// size, with its hot spot on the mouse position.
void DrawCursor(Raster& working);
// The same with a given cursor and mouse position. False when the
// cursor's image cannot be read.
bool DrawCursorAt(Raster& working, HCURSOR cursor, POINT mouse);

Point CursorPosition();
std::optional<Rect> WindowRect(HWND hwnd);
std::optional<Rect> ForegroundWindowRect();
// The window or child control under the mouse.
std::optional<Rect> WindowRectUnderCursor();

}  // namespace ksv::capture
