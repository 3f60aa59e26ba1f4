// The view's display modes: actual size, where the displayed size follows
// the picture, and zoomed, where the picture is stretched over a displayed
// size of its own that the zoom buttons scale by 5/4 and 4/5.
#pragma once

#include "core/geometry.h"

namespace ksv::editor {

class Zoom {
 public:
  // Below this displayed width the toolbar's narrow button is disabled.
  static constexpr int kNarrowButtonMinWidth = 40;
  // Above this displayed width the toolbar's enlarge button is disabled.
  static constexpr int kEnlargeButtonMaxWidth = 4000;
  // Window coordinates end at 32767; a step that would take either displayed
  // side past this is not made, whichever button asks for it.
  static constexpr int kMaxDisplayedSide = 32000;

  bool Zoomed() const { return zoomed_; }
  Size Displayed(Size picture) const { return zoomed_ ? displayed_ : picture; }

  // Enabled state of the toolbar's two zoom buttons. The buttons of the
  // scaling page are always usable and call the same steps.
  bool EnlargeButtonEnabled() const { return enlarge_enabled_; }
  bool NarrowButtonEnabled() const { return narrow_enabled_; }

  // One step from the current displayed size, truncating, so rounding
  // accumulates (101 -> 126 -> 100). A step that would pass
  // kMaxDisplayedSide, or leave a side of 0 pixels (which no further step
  // could bring back), does nothing; the result says whether a step was made.
  bool Enlarge(Size picture);
  bool Narrow(Size picture);
  // Back to actual size; the buttons keep their state.
  void ActualSize() { zoomed_ = false; }

  // Used by undo and redo (1:1 while staying zoomed) and by the quarter
  // turn (sides swapped). In actual-size mode the displayed size is the
  // picture's anyway, so these change nothing there.
  void SetDisplayed(Size displayed);
  void SwapDisplayed();

 private:
  bool zoomed_ = false;
  Size displayed_;
  bool enlarge_enabled_ = true;
  bool narrow_enabled_ = true;
};

// The source index shown at display index d when `source` pixels are shown
// over `displayed` pixels: the pixel under the centre of the display pixel.
// Indices outside 0..displayed-1 map outside the source too. The display
// scaler enlarges with this same mapping, so a readout names the pixel seen.
int DisplayToSource(int d, int displayed, int source);

// A point on the displayed picture to the picture pixel under it; may lie
// outside the picture when the point does.
Point ViewToPicture(Point view, Size displayed, Size picture);

}  // namespace ksv::editor
