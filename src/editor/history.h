// The one-step history of whole-picture operations. The three images are
// copy-on-write rasters: a push or an undo shares pixels and copies none;
// the one copy is made when the picture is next written.
#pragma once

#include "core/raster.h"

namespace ksv::editor {

class History {
 public:
  // Opening a picture: all three images hold it, so an undo straight away
  // shows the picture as it was opened.
  void Prime(const Raster& picture);

  // PushHistory, after an operation that records a step has changed the
  // picture: redo := picture, undo := current, current := picture.
  void Push(const Raster& picture);

  // UnDoMenuClick and ReDoMenuClick: the picture to show (the undo or redo
  // image), which also becomes the current image. A second undo in a row
  // gives the same picture again.
  Raster Undo();
  Raster Redo();

  // Frees the images (the window is going away).
  void Release();

  const Raster& Current() const { return current_; }  // BakImage1
  const Raster& RedoImage() const { return redo_; }   // BakImage2
  const Raster& UndoImage() const { return undo_; }   // BakImage3

 private:
  Raster current_;
  Raster redo_;
  Raster undo_;
};

}  // namespace ksv::editor
