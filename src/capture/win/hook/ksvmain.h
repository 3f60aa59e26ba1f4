// The exports of KSVMain.dll: a system-wide watch on Ctrl+B and on mouse
// clicks, polled by the capture timer, and the capture sound.
#pragma once

#include <windows.h>

// Plain C calling convention: the names stay undecorated in the 32-bit
// DLL, so the exports read the same in both builds.
#ifdef KSVMAIN_BUILDING
#define KSVMAIN_API extern "C" __declspec(dllexport)
#else
#define KSVMAIN_API extern "C" __declspec(dllimport)
#endif

// From now on every press of Ctrl+B is recorded (and kept from the focused
// program, as a registered hotkey would be). Harmless when already on.
KSVMAIN_API void EnableHotKeyHook();
KSVMAIN_API void DisableHotKeyHook();
// TRUE once for each recorded press.
KSVMAIN_API BOOL GetDownHotKey();
// From now on a click anywhere is recorded; the click is swallowed so it
// does not also press whatever lies under the mouse.
KSVMAIN_API void EnableMouseHook();
KSVMAIN_API void DisableMouseHook();
// TRUE while a recorded click has not been cleared with SetMouseDown(FALSE).
KSVMAIN_API BOOL GetMouseDown();
KSVMAIN_API void SetMouseDown(BOOL down);
// Plays the capture sound without waiting for it.
KSVMAIN_API void PlayVoice();
