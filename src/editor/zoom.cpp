#include "editor/zoom.h"

#include <cstdint>
#include <utility>

namespace ksv::editor {

bool Zoom::Enlarge(Size picture) {
  const Size current = Displayed(picture);
  const Size next{current.width * 5 / 4, current.height * 5 / 4};
  if (next.width > kMaxDisplayedSide || next.height > kMaxDisplayedSide || next.Empty()) return false;
  zoomed_ = true;
  displayed_ = next;
  if (next.width > kNarrowButtonMinWidth) narrow_enabled_ = true;
  if (next.width > kEnlargeButtonMaxWidth) enlarge_enabled_ = false;
  return true;
}

bool Zoom::Narrow(Size picture) {
  const Size current = Displayed(picture);
  const Size next{current.width * 4 / 5, current.height * 4 / 5};
  if (next.Empty()) return false;
  zoomed_ = true;
  displayed_ = next;
  if (next.width < kNarrowButtonMinWidth) narrow_enabled_ = false;
  if (next.width <= kEnlargeButtonMaxWidth) enlarge_enabled_ = true;
  return true;
}

void Zoom::SetDisplayed(Size displayed) {
  if (zoomed_) displayed_ = displayed;
}

void Zoom::SwapDisplayed() {
  if (zoomed_) std::swap(displayed_.width, displayed_.height);
}

int DisplayToSource(int d, int displayed, int source) {
  if (displayed <= 0) return 0;
  const std::int64_t num = (2 * static_cast<std::int64_t>(d) + 1) * source;
  const std::int64_t den = 2 * static_cast<std::int64_t>(displayed);
  std::int64_t q = num / den;
  if (num % den != 0 && num < 0) --q;  // round down, also left of the picture
  return static_cast<int>(q);
}

Point ViewToPicture(Point view, Size displayed, Size picture) {
  return {DisplayToSource(view.x, displayed.width, picture.width),
          DisplayToSource(view.y, displayed.height, picture.height)};
}

}  // namespace ksv::editor
