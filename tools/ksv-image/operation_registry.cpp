#include "operation_registry.h"

#include <algorithm>
#include <stdexcept>

namespace ksv::image_tool {

void OperationRegistry::Add(Operation operation) {
  if (operation.name.empty()) throw std::invalid_argument("an operation needs a name");
  if (Find(operation.name) != nullptr)
    throw std::invalid_argument("operation registered twice: " + operation.name);
  if (!operation.apply) throw std::invalid_argument("operation without a function: " + operation.name);
  for (const Parameter& p : operation.parameters) {
    if (p.name.empty() || p.min > p.max)
      throw std::invalid_argument("bad parameter of operation " + operation.name);
  }
  const auto at = std::lower_bound(operations_.begin(), operations_.end(), operation.name,
                                   [](const Operation& o, const std::string& name) { return o.name < name; });
  operations_.insert(at, std::move(operation));
}

const Operation* OperationRegistry::Find(std::string_view name) const {
  for (const Operation& o : operations_)
    if (o.name == name) return &o;
  return nullptr;
}

OperationRegistry& Operations() {
  static OperationRegistry registry;
  return registry;
}

}  // namespace ksv::image_tool
