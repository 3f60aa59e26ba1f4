// Texts the editor's output actions build around the naming rule: the
// wallpaper file's place, the save dialog's memory within a run, and the
// picture packed as a clipboard DIB.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/raster.h"

namespace ksv::editor {

// "<Windows folder>\Web\Wallpaper" (UTF-8; a folder given with a trailing
// backslash, such as a drive root, does not get a second one).
std::string WallpaperFolder(std::string_view windows_folder);
// The wallpaper file for the name template: "<folder>\<template>.bmp".
std::string WallpaperPath(std::string_view windows_folder, std::string_view name_template);

// The save dialog remembers the last chosen name and folder for the rest of
// the run; it opens with "jietu" the first time.
class SaveAsMemory {
 public:
  static constexpr const char* kInitialName = "jietu";
  const std::string& FileName() const { return name_; }
  const std::string& Folder() const { return folder_; }
  // The path the user confirmed (before the format's extension is added).
  void Remember(std::string_view chosen_path);

 private:
  std::string name_ = kInitialName;
  std::string folder_;
};

// The picture as a packed device-independent bitmap for the clipboard: a
// 40-byte BITMAPINFOHEADER (24 bits, no compression, rows bottom-up as the
// clipboard expects) followed by the rows.
std::vector<std::uint8_t> PackedDib(const Raster& picture);
inline constexpr std::size_t kBitmapInfoHeaderSize = 40;

}  // namespace ksv::editor
