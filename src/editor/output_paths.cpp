#include "editor/output_paths.h"

#include <cstring>

namespace ksv::editor {

std::string WallpaperFolder(std::string_view windows_folder) {
  std::string folder(windows_folder);
  if (folder.empty() || folder.back() != '\\') folder += '\\';
  return folder + "Web\\Wallpaper";
}

std::string WallpaperPath(std::string_view windows_folder, std::string_view name_template) {
  return WallpaperFolder(windows_folder) + "\\" + std::string(name_template) + ".bmp";
}

void SaveAsMemory::Remember(std::string_view chosen_path) {
  const std::size_t slash = chosen_path.find_last_of("\\/");
  if (slash == std::string_view::npos) {
    name_ = std::string(chosen_path);
    return;
  }
  folder_ = std::string(chosen_path.substr(0, slash));
  name_ = std::string(chosen_path.substr(slash + 1));
}

namespace {

void Put16(std::uint8_t* at, std::uint16_t v) {
  at[0] = static_cast<std::uint8_t>(v);
  at[1] = static_cast<std::uint8_t>(v >> 8);
}
void Put32(std::uint8_t* at, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) at[i] = static_cast<std::uint8_t>(v >> (8 * i));
}

}  // namespace

std::vector<std::uint8_t> PackedDib(const Raster& picture) {
  const int width = picture.Width();
  const int height = picture.Height();
  const std::size_t stride = static_cast<std::size_t>(picture.Stride());
  const std::size_t image_size = stride * static_cast<std::size_t>(height);
  std::vector<std::uint8_t> dib(kBitmapInfoHeaderSize + image_size, 0);
  std::uint8_t* h = dib.data();
  Put32(h + 0, kBitmapInfoHeaderSize);
  Put32(h + 4, static_cast<std::uint32_t>(width));
  Put32(h + 8, static_cast<std::uint32_t>(height));  // positive: bottom-up
  Put16(h + 12, 1);                                  // planes
  Put16(h + 14, 24);                                 // bits per pixel
  Put32(h + 16, 0);                                  // BI_RGB
  Put32(h + 20, static_cast<std::uint32_t>(image_size));
  Put32(h + 24, 3780);  // 96 dots per inch in pixels per metre
  Put32(h + 28, 3780);
  // The raster's rows are already padded to four bytes, as a DIB's are.
  for (int y = 0; y < height; ++y) {
    std::memcpy(h + kBitmapInfoHeaderSize + static_cast<std::size_t>(height - 1 - y) * stride, picture.Row(y),
                stride);
  }
  return dib;
}

}  // namespace ksv::editor
