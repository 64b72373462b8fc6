// One libFuzzer program: ORVALIS_FUZZ_FUNCTION names the harness function.
#include "harness.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  orvalis::fuzz::ORVALIS_FUZZ_FUNCTION(data, size);
  return 0;
}
