#include "output/win/file_replace.h"

#include <windows.h>

#include "output/stream.h"

namespace ksv {

namespace {

// A virus scanner, the search indexer or a shell folder view may open a
// file the moment it appears, and while it holds it the move fails with a
// sharing violation; such a look lasts milliseconds, so the move is tried
// again for up to about a second before the save is given up.
constexpr int kMoveTries = 20;
constexpr DWORD kMoveRetryMs = 50;

unsigned long MoveWriteThrough(const std::filesystem::path& from, const std::filesystem::path& to) {
  DWORD code = ERROR_GEN_FAILURE;
  for (int attempt = 0; attempt < kMoveTries; ++attempt) {
    if (attempt > 0) Sleep(kMoveRetryMs);
    if (MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return 0;
    code = GetLastError();
    if (code != ERROR_SHARING_VIOLATION && code != ERROR_LOCK_VIOLATION) break;
  }
  return code != 0 ? code : ERROR_GEN_FAILURE;
}

}  // namespace

void InstallWriteThroughReplace() { SetFileReplacer(&MoveWriteThrough); }

}  // namespace ksv
