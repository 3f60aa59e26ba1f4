// The program's settings as stored under HKEY_LOCAL_MACHINE "SOFTWARE\KSV":
// the first-run defaults, loading them into the option pages at start-up,
// and storing one page when its OK button is pressed. The page structs
// mirror the controls of the three pages, which are the live settings; the
// registry only persists them.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "app/option_rules.h"
#include "app/registry.h"

namespace ksv {

inline constexpr std::string_view kKsvKey = "SOFTWARE\\KSV";
inline constexpr std::string_view kConventionalKey = "SOFTWARE\\KSV\\Settings\\Conventional";
inline constexpr std::string_view kSaveKey = "SOFTWARE\\KSV\\Settings\\Save";
inline constexpr std::string_view kHighKey = "SOFTWARE\\KSV\\Settings\\High";
inline constexpr std::string_view kRunKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr std::string_view kRunValue = "KSV";
// Under HKEY_CURRENT_USER; read only.
inline constexpr std::string_view kShellFoldersKey =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
inline constexpr std::string_view kPersonalValue = "Personal";
inline constexpr std::string_view kVersion = "V1.6";

// Index ranges of the controls the stored numbers are put into; the
// controls bring an out-of-range number into these ranges.
inline constexpr int kPicFormatCount = 4;  // "bmp", "jpg", "gif", "tif"
inline constexpr int kQuitMainCount = 2;   // "最小化到托盘", "退出主程序"
inline constexpr int kJpgCompMin = 1;
inline constexpr int kJpgCompMax = 100;

// Page "常规". Member names are the controls'.
struct ConventionalPage {
  bool OverSound = true;
  bool IncludeMouse = true;
  bool DelayTime = false;
  std::string DelayTimeCap = "1";  // whole seconds, never loaded
  bool HideMainForm = true;
  std::string WidthValue = "600";
  std::string HeightValue = "400";
};

// Page "存储". `NameASTemp` is the other radio button, chosen whenever
// `NameASTime` is not.
struct SavePage {
  bool NameASTime = false;
  std::string FNameTemp{kDefaultNameTemplate};
  std::string SaveDir;
  int PicFormatRadioGroup = 1;  // -1 when no item is chosen
  int JpgCompTrackBar = 80;
};

// Page "高级".
struct HighPage {
  bool AutoStart = false;
  bool StartToTray = false;  // never shown; stored as "Minimize" only
  int QuitMain = 0;          // -1 when no item is chosen
};

// The fixed-region size used by the capture cycle. It follows the spin
// edits only at start-up and on OK of "常规".
struct FixedSize {
  int FixedWidth = kDefaultFixedWidth;
  int FixedHeight = kDefaultFixedHeight;
};

struct Settings {
  ConventionalPage conventional;
  SavePage save;
  HighPage high;
  FixedSize fixed;
};

// The folder part of an executable's path, with its trailing backslash.
std::string ExecutableFolder(std::string_view exe_path);

// The autostart command stored in the Run key. The path is quoted so that a
// folder with blanks cannot be taken for another program.
std::string AutoStartCommand(std::string_view exe_folder);

// Writes the whole default table unless the key "SOFTWARE\KSV\Settings\High"
// exists. Only the table's last write creates that key, so a run cut short
// before it is repeated in full; a value missing from an existing store is
// left missing and reads as the loading rules say. True when the defaults
// were written.
bool InitializeSettingsStore(Registry& reg, std::string_view exe_folder);

// The stored version suffix ("V1.6"), appended to the main window's caption.
std::string ReadVersion(Registry& reg);

// Called with each message a page check shows while loading.
using MessageSink = std::function<void(const std::string& message)>;

// The loading steps of start-up after the caption, in their order:
// autostart, save folder (falling back to the user's documents folder),
// template, naming choice, cursor, delay, hide, format, JPEG quality, sound,
// close action and the fixed-region size. The page checks apply as they
// would when the controls take the values. RegistryError or
// ConversionError ends the loading at the failing step; `settings` then
// holds the values loaded so far and the designed defaults for the rest.
void LoadSettings(Registry& reg, Settings& settings, const MessageSink& show_message);

// OK of "常规": `fixed` takes the spin edits' values, then Width, Height,
// Mouse, Sound, Hide and Delay are stored. A delay text that is not a number
// raises ConversionError with the values before Delay already stored.
void SaveConventionalPage(Registry& reg, const ConventionalPage& page, FixedSize& fixed);

// OK of "存储": Type and Comp; with `NameASTemp` chosen Time "0", Temp and
// Dir, otherwise only Time "1".
void SaveSavePage(Registry& reg, const SavePage& page);

// OK of "高级": Quit, the Run value (stored or deleted, in the existing Run
// key only) and Minimize.
void SaveHighPage(Registry& reg, const HighPage& page, std::string_view exe_folder);

// The main window's close request: false (hide to the tray) when the stored
// close action is 0, true (quit) otherwise, also when none is stored.
bool CloseRequestQuits(Registry& reg);

}  // namespace ksv
