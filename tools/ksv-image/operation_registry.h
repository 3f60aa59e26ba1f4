// The operations ksv-image can run on a picture, by name. Each subsystem
// that has pixel operations registers them from a file in operations/
// with a static OperationRegistrar:
//
//   static const ksv::image_tool::OperationRegistrar kBrightness({
//       "brightness", {{"value", -255, 255}},
//       [](ksv::Raster& picture, std::span<const int> p) { ksv::Brightness(picture, p[0]); }});
//
// Names are the program's operations in lower case with hyphens.
#pragma once

#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/raster.h"

namespace ksv::image_tool {

// An integer parameter and its inclusive range.
struct Parameter {
  std::string name;
  int min = 0;
  int max = 0;
};

// Runs on the 24-bit picture in place; gets exactly one value per
// parameter, each already inside its range.
using OperationFunction = std::function<void(Raster& picture, std::span<const int> values)>;

struct Operation {
  std::string name;
  std::vector<Parameter> parameters;
  OperationFunction apply;
};

class OperationRegistry {
 public:
  // Throws std::invalid_argument for an empty or repeated name, a
  // parameter whose range is empty, or a missing function.
  void Add(Operation operation);
  const Operation* Find(std::string_view name) const;
  // In name order.
  const std::vector<Operation>& All() const { return operations_; }

 private:
  std::vector<Operation> operations_;
};

// The operations of this build, filled before main by the registrars.
OperationRegistry& Operations();

struct OperationRegistrar {
  explicit OperationRegistrar(Operation operation) { Operations().Add(std::move(operation)); }
};

}  // namespace ksv::image_tool
