#include "app/registry_memory.h"

#include <algorithm>
#include <utility>

namespace ksv {

namespace {

bool SameName(std::string_view a, std::string_view b) {
  auto fold = [](char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; };
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [&](char x, char y) { return fold(x) == fold(y); });
}

// Splits a key path at backslashes as the system does: a leading backslash
// makes the path invalid, doubled and trailing ones are passed over.
std::optional<std::vector<std::string_view>> SplitPath(std::string_view path) {
  if (!path.empty() && path.front() == '\\') return std::nullopt;
  std::vector<std::string_view> parts;
  std::size_t start = 0;
  while (start < path.size()) {
    std::size_t end = path.find('\\', start);
    if (end == std::string_view::npos) end = path.size();
    if (end > start) parts.push_back(path.substr(start, end - start));
    start = end + 1;
  }
  return parts;
}

}  // namespace

struct MemoryRegistry::Node {
  std::string name;
  std::vector<std::pair<std::string, RegValue>> values;
  std::vector<std::unique_ptr<Node>> children;

  std::pair<std::string, RegValue>* FindValue(std::string_view value_name) {
    for (auto& v : values)
      if (SameName(v.first, value_name)) return &v;
    return nullptr;
  }
  Node* FindChild(std::string_view child_name) const {
    for (const auto& c : children)
      if (SameName(c->name, child_name)) return c.get();
    return nullptr;
  }
  void Store(std::string_view value_name, RegValue value) {
    if (auto* v = FindValue(value_name))
      v->second = std::move(value);
    else
      values.emplace_back(std::string(value_name), std::move(value));
  }
};

class MemoryRegistry::Key : public RegistryKey {
 public:
  Key(MemoryRegistry* owner, Node* node, RegRoot root, std::string path)
      : owner_(owner), node_(node), root_(root), path_(std::move(path)) {}

  bool HasValue(std::string_view name) override { return node_->FindValue(name) != nullptr; }

  std::optional<RegValue> Query(std::string_view name) override {
    if (const auto* v = node_->FindValue(name)) return v->second;
    return std::nullopt;
  }

  bool SetString(std::string_view name, std::string_view text) override {
    Set(name, RegValue::MakeString(std::string(text)));
    return true;
  }

  bool SetInteger(std::string_view name, std::int32_t value) override {
    Set(name, RegValue::MakeInteger(value));
    return true;
  }

  bool DeleteValue(std::string_view name) override {
    auto& values = node_->values;
    const auto it =
        std::find_if(values.begin(), values.end(), [&](const auto& v) { return SameName(v.first, name); });
    if (it == values.end()) return true;
    owner_->changes_.push_back({root_, path_, it->first, std::nullopt});
    values.erase(it);
    return true;
  }

 private:
  void Set(std::string_view name, RegValue value) {
    owner_->changes_.push_back({root_, path_, std::string(name), value});
    node_->Store(name, std::move(value));
  }

  MemoryRegistry* owner_;  // not owned; outlives the key
  Node* node_;             // owned by the registry's tree
  RegRoot root_;
  std::string path_;
};

MemoryRegistry::MemoryRegistry() {
  for (auto& r : roots_) r = std::make_unique<Node>();
}

MemoryRegistry::~MemoryRegistry() = default;

MemoryRegistry::Node* MemoryRegistry::Find(RegRoot root, std::string_view path, bool create) const {
  const auto parts = SplitPath(path);
  if (!parts) return nullptr;
  Node* node = roots_[root == RegRoot::LocalMachine ? 0 : 1].get();
  for (const auto part : *parts) {
    Node* child = node->FindChild(part);
    if (!child) {
      if (!create) return nullptr;
      node->children.push_back(std::make_unique<Node>());
      child = node->children.back().get();
      child->name = std::string(part);
    }
    node = child;
  }
  return node;
}

std::unique_ptr<RegistryKey> MemoryRegistry::OpenKey(RegRoot root, std::string_view path, bool create) {
  Node* node = Find(root, path, create);
  if (!node) return nullptr;
  return std::make_unique<Key>(this, node, root, std::string(path));
}

bool MemoryRegistry::HasKey(RegRoot root, std::string_view path) const {
  return Find(root, path, false) != nullptr;
}

std::optional<RegValue> MemoryRegistry::Value(RegRoot root, std::string_view path,
                                              std::string_view name) const {
  Node* node = Find(root, path, false);
  if (!node) return std::nullopt;
  if (const auto* v = node->FindValue(name)) return v->second;
  return std::nullopt;
}

std::vector<std::string> MemoryRegistry::ValueNames(RegRoot root, std::string_view path) const {
  std::vector<std::string> names;
  if (Node* node = Find(root, path, false))
    for (const auto& v : node->values) names.push_back(v.first);
  return names;
}

void MemoryRegistry::Put(RegRoot root, std::string_view path, std::string_view name, RegValue value) {
  if (Node* node = Find(root, path, true)) node->Store(name, std::move(value));
}

}  // namespace ksv
