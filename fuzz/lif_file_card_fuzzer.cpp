// LIF-file input and card writer: any file content as a LIF file.
#include <cstddef>
#include <cstdint>

#include "fuzz/fuzz_check.hpp"
#include "fuzz/invariants.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    lifcard::fuzzing::requireHolds(lifcard::fuzzing::checkLifFileCard({data, size}));
    return 0;
}
