#include "editor/history.h"

namespace ksv::editor {

void History::Prime(const Raster& picture) {
  current_ = picture;
  redo_ = picture;
  undo_ = picture;
}

void History::Push(const Raster& picture) {
  redo_ = picture;
  undo_ = current_;
  current_ = picture;
}

Raster History::Undo() {
  current_ = undo_;
  return current_;
}

Raster History::Redo() {
  current_ = redo_;
  return current_;
}

void History::Release() {
  current_ = Raster();
  redo_ = Raster();
  undo_ = Raster();
}

}  // namespace ksv::editor
