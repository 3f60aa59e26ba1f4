#include "ui/forms.h"

namespace ksv::ui {

FormsRegistry& Forms() {
  static FormsRegistry forms;
  return forms;
}

}  // namespace ksv::ui
