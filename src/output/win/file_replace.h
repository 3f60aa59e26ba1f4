// The Win32 way of putting a finished picture file in its place.
#pragma once

namespace ksv {

// Makes FileStream replace its target with MoveFileExW, with
// MOVEFILE_WRITE_THROUGH so the move itself reaches the disk before the
// save is reported; called once at start-up.
void InstallWriteThroughReplace();

}  // namespace ksv
