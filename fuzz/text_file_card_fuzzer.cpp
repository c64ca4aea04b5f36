// Text input and card writer: any file content as a text file.
#include <cstddef>
#include <cstdint>

#include "fuzz/fuzz_check.hpp"
#include "fuzz/invariants.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    lifcard::fuzzing::requireHolds(lifcard::fuzzing::checkTextFileCard({data, size}));
    return 0;
}
