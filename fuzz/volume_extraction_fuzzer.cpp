// Volume extraction: any file content as a LIF volume image.
#include <cstddef>
#include <cstdint>

#include "fuzz/fuzz_check.hpp"
#include "fuzz/invariants.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    lifcard::fuzzing::requireHolds(lifcard::fuzzing::checkVolumeExtraction({data, size}));
    return 0;
}
