// Holds keys down in this thread's keyboard state for the life of the
// object, as while the user types a shortcut, and puts the state back
// afterwards. Keys named as released are cleared for the same time, so a
// modifier left over from an earlier test cannot change what is typed.
#pragma once

#include <windows.h>

#include <cstring>
#include <initializer_list>

namespace ksv::wintest {

class KeysHeld {
 public:
  explicit KeysHeld(std::initializer_list<int> down, std::initializer_list<int> released = {}) {
    GetKeyboardState(saved_);
    BYTE state[256];
    std::memcpy(state, saved_, sizeof state);
    for (int key : down) state[key] = 0x80;
    for (int key : released) state[key] = 0;
    SetKeyboardState(state);
  }
  ~KeysHeld() { SetKeyboardState(saved_); }
  KeysHeld(const KeysHeld&) = delete;
  KeysHeld& operator=(const KeysHeld&) = delete;

 private:
  BYTE saved_[256];
};

}  // namespace ksv::wintest
