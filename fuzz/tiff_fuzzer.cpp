// Any bytes as a TIFF file: ksv::DecodeTiff either returns a picture that
// keeps the readers' size rule or refuses with an exception (OutputError, or
// bad_alloc / length_error for memory it cannot have). Every other outcome
// -- a crash, a sanitizer report, a hang, memory beyond libFuzzer's limits
// -- is a fault of the reader.
#include <cstddef>
#include <cstdint>
#include <exception>
#include <span>

#include "fuzz_check.h"
#include "output/tiff_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  try {
    ksv::fuzz::CheckDib(ksv::DecodeTiff(std::span<const std::uint8_t>(data, size)));
  } catch (const std::exception&) {
    // A refusal is the right answer to most inputs.
  }
  return 0;
}
