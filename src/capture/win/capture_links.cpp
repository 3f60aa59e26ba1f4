#include "capture/win/capture_links.h"

namespace ksv::capture {

CaptureLinks& Links() {
  static CaptureLinks links;
  return links;
}

}  // namespace ksv::capture
