// Header swap: any file content as an HP 48/49 object file.
#include <cstddef>
#include <cstdint>

#include "fuzz/fuzz_check.hpp"
#include "fuzz/invariants.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    lifcard::fuzzing::requireHolds(lifcard::fuzzing::checkHeaderSwap({data, size}));
    return 0;
}
