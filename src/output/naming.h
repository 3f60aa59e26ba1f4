// The naming rule for stored pictures: a base name from the clock or from
// the name template and a counter, the configured folder and the
// extension of the configured format; and the save flows of the editor
// and the camera window built on it.
//
// Automatic names never replace an existing picture: template names skip
// numbers whose file exists (the counter moves past them), and a time name
// that is taken gets "_2", "_3", ... before the extension. Save-as, where
// the user chose the name, replaces.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "core/raster.h"

namespace ksv {

// What the option page "存储" holds at the moment of a save. Texts are
// UTF-8.
struct OutputSettings {
  bool name_by_time = false;           // NameASTime ticked, else NameASTemp
  std::string name_template = "截图";  // FNameTemp
  std::string folder;                  // SaveDir, used as typed
  int format = 1;                      // PicFormatRadioGroup: bmp, jpg, gif, tif
  int jpeg_quality = 80;               // JpgCompTrackBar, 1..100
};

// The process-wide counter of template names: 1 at start, never stored;
// the editor's save and the camera's single still read it and add 1, in
// both naming modes.
extern int OutputNameCounter;

// Today's date in the user's short date format and the current time in
// the user's long time format (the Win32 layer reads them from the
// locale).
struct DateTimeTexts {
  std::string date;
  std::string time;
};

// The text with every character that a file name cannot hold
// (\ / : * ? " < > | and control characters) replaced by "-".
std::string CleanFileNameText(std::string_view text);
// date + "_" + time, both cleaned: "2008-10-01" and "10:10:10" give
// "2008-10-01_10-10-10".
std::string TimeBaseName(const DateTimeTexts& now);
// The template followed directly by the number: "截图" and 1 give "截图1".
std::string TemplateBaseName(std::string_view name_template, int number);
// folder + "\" + name, unchecked: an empty folder gives "\name", a folder
// ending in "\" a doubled separator.
std::string JoinFolder(std::string_view folder, std::string_view name);

// Whether a file exists at a path text (joined with "\").
using PathTaken = std::function<bool(const std::string& path_text)>;
bool PathTextExists(const std::string& path_text);

// The path text of the editor's next save; advances `counter` by 1 (more
// when template numbers are skipped). A format outside the table saves as
// JPEG, the default, and the name ends in ".jpg".
std::string NextEditorSavePath(const OutputSettings& settings, const DateTimeTexts& now, int& counter,
                               const PathTaken& taken = PathTextExists);

// Save-as: the chosen name with the configured format's extension always
// appended ("a.jpg" with gif gives "a.jpg.gif").
std::string SaveAsPath(std::string_view chosen_name, int format);

// Where the capture driver saves a still and where its conversion goes.
struct StillPaths {
  std::string bmp;     // the driver's BMP file
  std::string target;  // the converted file; empty when the BMP is the result
  int format = 0;
};

// The single still: named like the editor's save, from the same counter.
StillPaths NextSingleStillPaths(const OutputSettings& settings, const DateTimeTexts& now, int& counter,
                                const PathTaken& taken = PathTextExists);
// A continuous still: template names take the continuous count (the
// first free number from it; the count itself is the caller's).
StillPaths ContinuousStillPaths(const OutputSettings& settings, const DateTimeTexts& now,
                                int continuous_count, const PathTaken& taken = PathTextExists);

// The editor's "完成": names the picture with OutputNameCounter and writes
// it by the format table. Returns the path text (nothing is written for a
// format outside the table). Throws OutputError.
std::string SaveEditorPicture(const Raster& picture, const OutputSettings& settings,
                              const DateTimeTexts& now);
// The editor's "另存为" with the name chosen in the dialog; replaces.
std::string SaveEditorPictureAs(const Raster& picture, const OutputSettings& settings,
                                std::string_view chosen_name);
// Converts a still's BMP file by its format and deletes it; a missing BMP
// file is skipped (false). Throws OutputError.
bool ConvertStill(const StillPaths& still, int jpeg_quality);

}  // namespace ksv
