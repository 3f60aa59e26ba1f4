// Drives this thread's windows from a test: dispatches messages the way the
// program's loop does (menu shortcuts first).
#pragma once

#include <chrono>
#include <functional>

namespace ksv::wintest {

// Dispatches what is queued now.
void PumpPending();

// Dispatches messages until `done` holds or the timeout passes; true when
// `done` held.
bool PumpUntil(const std::function<bool()>& done,
               std::chrono::milliseconds timeout = std::chrono::seconds(5));

}  // namespace ksv::wintest
