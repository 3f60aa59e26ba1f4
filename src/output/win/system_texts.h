// The Win32 sources of the naming rule's date and time texts and of the
// system's reason in "Cannot create file" messages.
#pragma once

#include <string>

#include "output/naming.h"

namespace ksv {

// One reading of the clock, formatted with the user's short date format
// and long time format. Reading the clock once keeps a save at midnight
// from pairing the old date with the new day's time.
DateTimeTexts CurrentDateTimeTexts();

// The system's message for a Windows error code, in UTF-8, without the
// trailing line break ("" when the system has none).
std::string SystemErrorMessage(unsigned long code);

// Makes the picture writers report the system's own messages; called once
// at start-up.
void InstallSystemErrorTexts();

}  // namespace ksv
