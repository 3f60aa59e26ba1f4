#include "cycle_fake.h"

namespace ksv::capture::testing {

Color ScreenColor(int x, int y) { return MakeColor(x, y, (x * 7 + y * 13) & 0xFF); }

void FakeHook::EnableHotKeyHook() {
  log_.push_back("EnableHotKeyHook");
  hotkey_on = true;
}
void FakeHook::DisableHotKeyHook() {
  log_.push_back("DisableHotKeyHook");
  hotkey_on = false;
}
bool FakeHook::GetDownHotKey() {
  if (presses == 0) return false;
  --presses;
  log_.push_back("GetDownHotKey");
  return true;
}
void FakeHook::EnableMouseHook() {
  log_.push_back("EnableMouseHook");
  mouse_on = true;
}
void FakeHook::DisableMouseHook() {
  log_.push_back("DisableMouseHook");
  mouse_on = false;
}
bool FakeHook::GetMouseDown() {
  if (mouse_down) log_.push_back("GetMouseDown");
  return mouse_down;
}
void FakeHook::SetMouseDown(bool down) {
  log_.push_back(down ? "SetMouseDown(true)" : "SetMouseDown(false)");
  mouse_down = down;
}
void FakeHook::PressHotKey() {
  if (hotkey_on) ++presses;
}
void FakeHook::Click() {
  if (mouse_on) mouse_down = true;
}

FakeScreen::FakeScreen(CallLog& log) : log_(log) {
  image = Raster(size.width, size.height);
  for (int y = 0; y < size.height; ++y) {
    for (int x = 0; x < size.width; ++x) image.SetPixel(x, y, ScreenColor(x, y));
  }
}
Raster FakeScreen::GrabScreen() {
  log_.push_back("GrabScreen");
  return image;
}
void FakeScreen::DrawCursor(Raster& working) {
  log_.push_back("DrawCursor");
  if (working.Contains(cursor.x, cursor.y)) working.SetPixel(cursor.x, cursor.y, 0xFFFFFF);
}
Point FakeScreen::CursorPos() { return cursor; }
std::optional<Rect> FakeScreen::ForegroundWindowRect() {
  log_.push_back("CropForegroundWindow");
  return foreground;
}
std::optional<Rect> FakeScreen::WindowRectUnderCursor() { return under_cursor; }

void FakeFrame::Place(const Rect& b) {
  if (!visible || !(bounds == b)) log_.push_back("FramePlace");
  visible = true;
  bounds = b;
}
void FakeFrame::BringToForeground() {}
void FakeFrame::Hide() {
  if (visible) log_.push_back("FrameHide");
  visible = false;
}

void FakeHost::SetTimerEnabled(bool enabled) {
  log_.push_back(enabled ? "Timer1On" : "Timer1Off");
  timer = enabled;
}
void FakeHost::ShowMode(CaptureMode m) {
  log_.push_back("ShowMode");
  mode = m;
}
void FakeHost::SetIncludeCursorChecked(bool checked) { include_cursor = checked; }
void FakeHost::HideMainWindow() {
  log_.push_back("HideMainWindow");
  main_visible = false;
}
void FakeHost::ShowMainWindow() {
  log_.push_back("ShowMainWindow");
  main_visible = true;
}
void FakeHost::LoadFullScreen(const Raster& canvas) {
  log_.push_back("LoadFullScreen");
  loaded = canvas;
}
void FakeHost::LoadPicture(const Raster& picture) {
  log_.push_back("LoadPicture");
  loaded = picture;
}
void FakeHost::ShowEditor() {
  log_.push_back("ShowEditor");
  editor_visible = true;
}
void FakeHost::ShowOverlay(const Raster& frozen_screen) {
  log_.push_back("ShowOverlay");
  overlay_visible = true;
  overlay_picture = frozen_screen;
}

}  // namespace ksv::capture::testing
