#include "editor/win/editor_links.h"

namespace ksv::editor {

EditorLinks& Links() {
  static EditorLinks links;
  return links;
}

}  // namespace ksv::editor
