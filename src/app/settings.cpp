#include "app/settings.h"

#include <algorithm>

#include "app/settings_store.h"

namespace ksv {

namespace {

constexpr RegRoot kHklm = RegRoot::LocalMachine;
constexpr SettingKind kInt = SettingKind::Integer;
constexpr SettingKind kStr = SettingKind::String;

const char* Switch(bool on) { return on ? "1" : "0"; }

std::string Read(Registry& reg, std::string_view key, bool create, std::string_view name, SettingKind kind) {
  return ReadSettingText(reg, kHklm, key, create, name, kind);
}

void Write(Registry& reg, std::string_view key, std::string_view name, SettingKind kind,
           std::string_view text) {
  WriteSetting(reg, kHklm, key, true, name, kind, text);
}

// A spin edit taking a loaded text: its change check may put the default
// back and show the message.
void LoadSize(std::string& control, std::string text, int default_value, const MessageSink& show_message) {
  control = std::move(text);
  const FieldCheck check = CheckSizeText(control, default_value);
  if (check.new_text) control = *check.new_text;
  if (check.message && show_message) show_message(*check.message);
}

}  // namespace

std::string ExecutableFolder(std::string_view exe_path) {
  const std::size_t slash = exe_path.find_last_of("\\/:");
  return std::string(slash == std::string_view::npos ? std::string_view() : exe_path.substr(0, slash + 1));
}

std::string AutoStartCommand(std::string_view exe_folder) {
  return "\"" + std::string(exe_folder) + "KSV.exe\" s";
}

bool InitializeSettingsStore(Registry& reg, std::string_view exe_folder) {
  // The key, not its value: the key "High" is created by the last write
  // only, so its absence is a store that was never (or never completely)
  // filled. A single missing value is no first run; writing the whole table
  // then would put every default over the user's stored settings.
  if (SettingKeyExists(reg, kHklm, kHighKey, false)) return false;
  Write(reg, kKsvKey, "Install_Dir", kStr, exe_folder);
  Write(reg, kKsvKey, "Ver", kStr, kVersion);
  Write(reg, kConventionalKey, "Sound", kStr, "1");
  Write(reg, kConventionalKey, "Mouse", kStr, "1");
  Write(reg, kConventionalKey, "Hide", kStr, "1");
  Write(reg, kConventionalKey, "Delay", kInt, "0");
  Write(reg, kConventionalKey, "Width", kStr, "600");
  Write(reg, kConventionalKey, "Height", kStr, "400");
  Write(reg, kSaveKey, "Comp", kStr, "80");
  Write(reg, kSaveKey, "Dir", kStr, "");
  Write(reg, kSaveKey, "Temp", kStr, kDefaultNameTemplate);
  Write(reg, kSaveKey, "Time", kStr, "0");
  Write(reg, kSaveKey, "Type", kStr, "1");
  Write(reg, kHighKey, "Quit", kInt, "0");
  return true;
}

std::string ReadVersion(Registry& reg) { return Read(reg, kKsvKey, true, "Ver", kStr); }

void LoadSettings(Registry& reg, Settings& settings, const MessageSink& show_message) {
  ConventionalPage& general = settings.conventional;
  SavePage& save = settings.save;
  HighPage& high = settings.high;

  high.AutoStart = SettingValueExists(reg, kHklm, kRunKey, false, kRunValue);

  // An empty folder shows the documents folder without storing it, so the
  // default keeps following the user's shell folder.
  save.SaveDir = Read(reg, kSaveKey, false, "Dir", kStr);
  if (save.SaveDir.empty())
    save.SaveDir = ReadSettingText(reg, RegRoot::CurrentUser, kShellFoldersKey, false, kPersonalValue, kStr);

  save.FNameTemp = Read(reg, kSaveKey, false, "Temp", kStr);
  if (const auto fixed = CheckNameTemplate(save.FNameTemp).new_text) save.FNameTemp = *fixed;

  save.NameASTime = Read(reg, kSaveKey, true, "Time", kStr) == "1";
  general.IncludeMouse = Read(reg, kConventionalKey, true, "Mouse", kStr) == "1";

  // Only a stored delay other than 0 ticks the box; a missing value is no
  // stored delay.
  const std::string delay = Read(reg, kConventionalKey, true, "Delay", kInt);
  general.DelayTime = !delay.empty() && delay != "0";

  general.HideMainForm = Read(reg, kConventionalKey, true, "Hide", kStr) == "1";
  save.PicFormatRadioGroup =
      std::clamp(StrToInt(Read(reg, kSaveKey, false, "Type", kStr)), -1, kPicFormatCount - 1);
  save.JpgCompTrackBar =
      std::clamp(StrToInt(Read(reg, kSaveKey, false, "Comp", kStr)), kJpgCompMin, kJpgCompMax);
  general.OverSound = Read(reg, kConventionalKey, true, "Sound", kStr) == "1";
  high.QuitMain = std::clamp(StrToInt(Read(reg, kHighKey, true, "Quit", kInt)), -1, kQuitMainCount - 1);

  LoadSize(general.WidthValue, Read(reg, kConventionalKey, true, "Width", kStr), kDefaultFixedWidth,
           show_message);
  LoadSize(general.HeightValue, Read(reg, kConventionalKey, true, "Height", kStr), kDefaultFixedHeight,
           show_message);
  settings.fixed.FixedWidth = SpinEditValue(general.WidthValue);
  settings.fixed.FixedHeight = SpinEditValue(general.HeightValue);
}

void SaveConventionalPage(Registry& reg, const ConventionalPage& page, FixedSize& fixed) {
  fixed.FixedWidth = SpinEditValue(page.WidthValue);
  fixed.FixedHeight = SpinEditValue(page.HeightValue);
  Write(reg, kConventionalKey, "Width", kStr, page.WidthValue);
  Write(reg, kConventionalKey, "Height", kStr, page.HeightValue);
  Write(reg, kConventionalKey, "Mouse", kStr, Switch(page.IncludeMouse));
  Write(reg, kConventionalKey, "Sound", kStr, Switch(page.OverSound));
  Write(reg, kConventionalKey, "Hide", kStr, Switch(page.HideMainForm));
  // Computed in 64 bits: a delay text too large for milliseconds in 32 bits
  // then fails the integer write instead of wrapping around.
  const long long delay = page.DelayTime ? static_cast<long long>(StrToInt(page.DelayTimeCap)) * 1000 : 0;
  Write(reg, kConventionalKey, "Delay", kInt, std::to_string(delay));
}

void SaveSavePage(Registry& reg, const SavePage& page) {
  Write(reg, kSaveKey, "Type", kStr, std::to_string(page.PicFormatRadioGroup));
  Write(reg, kSaveKey, "Comp", kStr, std::to_string(page.JpgCompTrackBar));
  if (!page.NameASTime) {
    Write(reg, kSaveKey, "Time", kStr, "0");
    Write(reg, kSaveKey, "Temp", kStr, page.FNameTemp);
    Write(reg, kSaveKey, "Dir", kStr, page.SaveDir);
  } else {
    Write(reg, kSaveKey, "Time", kStr, "1");
  }
}

void SaveHighPage(Registry& reg, const HighPage& page, std::string_view exe_folder) {
  Write(reg, kHighKey, "Quit", kInt, std::to_string(page.QuitMain));
  if (page.AutoStart)
    WriteSetting(reg, kHklm, kRunKey, false, kRunValue, kStr, AutoStartCommand(exe_folder));
  else
    DeleteSetting(reg, kHklm, kRunKey, false, kRunValue);
  Write(reg, kHighKey, "Minimize", kInt, page.StartToTray ? "1" : "0");
}

bool CloseRequestQuits(Registry& reg) { return Read(reg, kHighKey, false, "Quit", kInt) != "0"; }

}  // namespace ksv
