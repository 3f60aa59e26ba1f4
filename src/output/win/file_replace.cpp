#include "output/win/file_replace.h"

#include <windows.h>

#include "output/stream.h"

namespace ksv {

namespace {

unsigned long MoveWriteThrough(const std::filesystem::path& from, const std::filesystem::path& to) {
  if (MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return 0;
  const DWORD code = GetLastError();
  return code != 0 ? code : ERROR_GEN_FAILURE;
}

}  // namespace

void InstallWriteThroughReplace() { SetFileReplacer(&MoveWriteThrough); }

}  // namespace ksv
