// An in-memory registry that behaves like the Windows one as far as the
// program can tell: keys open only when present unless asked to create them
// (parents included), names are case-insensitive and keep the spelling they
// were created with, values keep their type and are replaced by any write.
// Used by tests of every subsystem that stores settings.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/registry.h"

namespace ksv {

// One change made through an open key, in the order made. `value` is empty
// for a deletion; deleting a value that does not exist changes nothing and
// is not recorded.
struct RegChange {
  RegRoot root;
  std::string path;  // as the key was opened
  std::string name;
  std::optional<RegValue> value;
  bool operator==(const RegChange&) const = default;
};

class MemoryRegistry : public Registry {
 public:
  MemoryRegistry();
  ~MemoryRegistry() override;
  MemoryRegistry(const MemoryRegistry&) = delete;
  MemoryRegistry& operator=(const MemoryRegistry&) = delete;

  // Open keys refer into this registry and must not outlive it.
  std::unique_ptr<RegistryKey> OpenKey(RegRoot root, std::string_view path, bool create) override;

  // Direct access for setting up and checking, not recorded as changes.
  bool HasKey(RegRoot root, std::string_view path) const;
  std::optional<RegValue> Value(RegRoot root, std::string_view path, std::string_view name) const;
  // Value names of a key in the order they were first written.
  std::vector<std::string> ValueNames(RegRoot root, std::string_view path) const;
  // Creates the key when needed and stores the value with any type.
  void Put(RegRoot root, std::string_view path, std::string_view name, RegValue value);

  const std::vector<RegChange>& Changes() const { return changes_; }
  void ClearChanges() { changes_.clear(); }

 private:
  struct Node;
  class Key;
  Node* Find(RegRoot root, std::string_view path, bool create) const;

  std::unique_ptr<Node> roots_[2];
  std::vector<RegChange> changes_;
};

}  // namespace ksv
