// The Windows registry behind the Registry interface, through the wide
// registry API. Keys are opened with full access, so writes under
// HKEY_LOCAL_MACHINE need administrator rights.
#pragma once

#include <memory>
#include <string_view>

#include "app/registry.h"

namespace ksv {

class WindowsRegistry : public Registry {
 public:
  std::unique_ptr<RegistryKey> OpenKey(RegRoot root, std::string_view path, bool create) override;
};

// The instance the program's settings go through.
WindowsRegistry& SystemRegistry();

}  // namespace ksv
