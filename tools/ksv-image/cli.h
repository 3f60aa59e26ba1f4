// ksv-image's command line:
//   ksv-image [--quality N] [OPERATION[=A[,B,C]] ...] INPUT OUTPUT
//   ksv-image --list
// INPUT is a BMP, JPEG, GIF or TIFF file; OUTPUT's extension (.bmp .jpg
// .gif .tif) chooses the encoder.
#pragma once

#include <filesystem>
#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

#include "operation_registry.h"

namespace ksv::image_tool {

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 2;

// A command line that cannot run; the message says why.
class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct OperationCall {
  const Operation* operation = nullptr;
  std::vector<int> values;
};

struct Invocation {
  bool list = false;
  bool help = false;
  int quality = 80;
  std::vector<OperationCall> operations;
  std::filesystem::path input;
  std::filesystem::path output;
};

// Arguments in UTF-8, without the program name. Throws UsageError.
Invocation ParseArguments(const std::vector<std::string>& args, const OperationRegistry& registry);

// One line per operation: its name, then "=A,B" with the parameter names
// and their ranges.
void PrintOperations(const OperationRegistry& registry, std::ostream& out);
void PrintUsage(std::ostream& out);

// Parses and runs; errors go to `err` and give kExitFailure, and then no
// output file is left behind.
int RunImageTool(const std::vector<std::string>& args, const OperationRegistry& registry, std::ostream& out,
                 std::ostream& err);

}  // namespace ksv::image_tool
