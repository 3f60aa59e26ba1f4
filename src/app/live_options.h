// The option pages as the other subsystems need them: each declares the
// few values it reads, and these turn the pages' live state into them.
#pragma once

#include "app/settings.h"
#include "capture/capture_cycle.h"
#include "output/naming.h"

namespace ksv {

// The page "存储": naming, folder, format and JPEG quality of a save.
OutputSettings OutputSettingsOf(const Settings& settings);

// The page "常规" and the fixed size: whether the main window hides for a
// capture, the delay (whole seconds typed in the delay field, when
// ticked) and the fixed region.
capture::CaptureOptions CaptureOptionsOf(const Settings& settings);

}  // namespace ksv
