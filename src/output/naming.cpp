#include "output/naming.h"

#include <climits>
#include <filesystem>
#include <initializer_list>
#include <system_error>

#include "output/output_error.h"
#include "output/picture_files.h"

namespace ksv {

int OutputNameCounter = 1;

namespace {

// A folder crowded beyond this many taken names gets the last candidate
// rather than an endless search.
constexpr int kMaxTries = 1000000;

bool StemTaken(const std::string& stem, std::initializer_list<std::string_view> extensions,
               const PathTaken& taken) {
  for (std::string_view ext : extensions) {
    if (taken(stem + std::string(ext))) return true;
  }
  return false;
}

// The stem (folder + "\" + base name) of the next automatic name. A still
// is taken when either its BMP or its converted file exists, because the
// driver's BMP would replace the one and the conversion the other.
std::string AutomaticStem(const OutputSettings& settings, const DateTimeTexts& now, int& number,
                          std::initializer_list<std::string_view> extensions, const PathTaken& taken) {
  if (settings.name_by_time) {
    const std::string stem = JoinFolder(settings.folder, TimeBaseName(now));
    if (!StemTaken(stem, extensions, taken)) return stem;
    std::string candidate;
    for (int n = 2; n < kMaxTries; ++n) {
      candidate = stem + "_" + std::to_string(n);
      if (!StemTaken(candidate, extensions, taken)) break;
    }
    return candidate;
  }
  for (int tries = 0; tries < kMaxTries && number < INT_MAX; ++tries, ++number) {
    if (!StemTaken(JoinFolder(settings.folder, TemplateBaseName(settings.name_template, number)), extensions,
                   taken))
      break;
  }
  return JoinFolder(settings.folder, TemplateBaseName(settings.name_template, number));
}

StillPaths StillFromStem(const std::string& stem, int format) {
  StillPaths still;
  still.bmp = stem + ".bmp";
  still.format = format;
  if (format >= 1 && format <= 3) still.target = stem + std::string(FormatExtension(format));
  return still;
}

}  // namespace

std::string CleanFileNameText(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    const unsigned char u = static_cast<unsigned char>(c);
    if (u < 0x20 || c == '\\' || c == '/' || c == ':' || c == '*' || c == '?' || c == '"' || c == '<' ||
        c == '>' || c == '|')
      c = '-';
  }
  return out;
}

std::string TimeBaseName(const DateTimeTexts& now) {
  return CleanFileNameText(now.date) + "_" + CleanFileNameText(now.time);
}

std::string TemplateBaseName(std::string_view name_template, int number) {
  return std::string(name_template) + std::to_string(number);
}

std::string JoinFolder(std::string_view folder, std::string_view name) {
  std::string path(folder);
  path += '\\';
  path += name;
  return path;
}

bool PathTextExists(const std::string& path_text) {
  std::error_code ec;
  return std::filesystem::exists(PathFromText(path_text), ec);
}

std::string NextEditorSavePath(const OutputSettings& settings, const DateTimeTexts& now, int& counter,
                               const PathTaken& taken) {
  const std::string_view ext = FormatExtension(settings.format);
  int number = counter;
  const std::string stem = AutomaticStem(settings, now, number, {ext}, taken);
  // Both naming modes move the counter on; a time name leaves `number`
  // where it was.
  counter = number + 1;
  return stem + std::string(ext);
}

std::string SaveAsPath(std::string_view chosen_name, int format) {
  return std::string(chosen_name) + std::string(FormatExtension(format));
}

StillPaths NextSingleStillPaths(const OutputSettings& settings, const DateTimeTexts& now, int& counter,
                                const PathTaken& taken) {
  int number = counter;
  const std::string stem =
      AutomaticStem(settings, now, number, {".bmp", FormatExtension(settings.format)}, taken);
  counter = number + 1;
  return StillFromStem(stem, settings.format);
}

StillPaths ContinuousStillPaths(const OutputSettings& settings, const DateTimeTexts& now,
                                int continuous_count, const PathTaken& taken) {
  int number = continuous_count;
  const std::string stem =
      AutomaticStem(settings, now, number, {".bmp", FormatExtension(settings.format)}, taken);
  return StillFromStem(stem, settings.format);
}

std::string SaveEditorPicture(const Raster& picture, const OutputSettings& settings,
                              const DateTimeTexts& now) {
  const std::string path = NextEditorSavePath(settings, now, OutputNameCounter);
  SavePicture(picture, settings.format, PathFromText(path), settings.jpeg_quality);
  return path;
}

std::string SaveEditorPictureAs(const Raster& picture, const OutputSettings& settings,
                                std::string_view chosen_name) {
  const std::string path = SaveAsPath(chosen_name, settings.format);
  SavePicture(picture, settings.format, PathFromText(path), settings.jpeg_quality);
  return path;
}

bool ConvertStill(const StillPaths& still, int jpeg_quality) {
  const std::filesystem::path bmp = PathFromText(still.bmp);
  const std::filesystem::path target = PathFromText(still.target);
  switch (still.format) {
    case 1:
      return ConvertBmpToJpeg(bmp, target, jpeg_quality);
    case 2:
      return ConvertBmpToGif(bmp, target);
    case 3:
      return ConvertBmpToTiff(bmp, target);
    default:
      return false;
  }
}

}  // namespace ksv
