// ksv-image: the program's picture encoders and operations for scripts.
#include <iostream>
#include <string>
#include <vector>

#include "cli.h"
#include "core/text.h"

#ifdef _WIN32
#include "output/win/file_replace.h"
#include "output/win/system_texts.h"

// Wide arguments, so file names in any script (截图1.bmp) arrive intact.
int wmain(int argc, wchar_t** argv) {
  ksv::InstallSystemErrorTexts();
  ksv::InstallWriteThroughReplace();
  std::vector<std::string> args;
  for (int i = 1; i < argc; ++i)
    args.push_back(ksv::Utf16ToUtf8(std::u16string_view(reinterpret_cast<const char16_t*>(argv[i]))));
  return ksv::image_tool::RunImageTool(args, ksv::image_tool::Operations(), std::cout, std::cerr);
}
#else
int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  return ksv::image_tool::RunImageTool(args, ksv::image_tool::Operations(), std::cout, std::cerr);
}
#endif
