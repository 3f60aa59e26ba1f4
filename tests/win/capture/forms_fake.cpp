#include "forms_fake.h"

namespace ksv::capture::testing {

FakeForms::FakeForms() : saved_(Links()) {
  Links().main = &main;
  Links().editor = &editor;
  Links().capture = &capture;
}

FakeForms::~FakeForms() {
  Links().main = saved_.main;
  Links().editor = saved_.editor;
  Links().capture = saved_.capture;
}

}  // namespace ksv::capture::testing
