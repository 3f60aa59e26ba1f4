// Failures of the picture writers and readers. The message is the text the
// user sees in the application's error report, in UTF-8.
#pragma once

#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>

namespace ksv {

class OutputError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The texts of the run-time library whose behaviour the writers keep.
inline constexpr const char kBitmapNotValid[] = "Bitmap image is not valid";
inline constexpr const char kStreamWriteError[] = "Stream write error";
inline constexpr const char kStreamReadError[] = "Stream read error";

// "Cannot create file "<path>". <reason>"
std::string CannotCreateFileMessage(const std::filesystem::path& path, std::string_view reason);
// "Cannot open file "<path>". <reason>"
std::string CannotOpenFileMessage(const std::filesystem::path& path, std::string_view reason);

// The path as UTF-8 text, for messages.
std::string PathToText(const std::filesystem::path& path);

// A path from UTF-8 text built by the naming rule, which joins with "\" as
// the target system does. On Windows the text is taken as it is; elsewhere
// (the native build of the tests and tools) "\" becomes "/".
std::filesystem::path PathFromText(std::string_view utf8);

}  // namespace ksv
