#include "video/win/video_links.h"

namespace ksv::video {

VideoLinks& Links() {
  static VideoLinks links;
  return links;
}

}  // namespace ksv::video
