// The one step every harness ends with: a broken property stops the fuzzer with its
// description, so libFuzzer saves the input as a crash.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>

namespace lifcard::fuzzing {

inline void requireHolds(const std::string& fault) {
    if (!fault.empty()) {
        std::fprintf(stderr, "property broken: %s\n", fault.c_str());
        std::abort();
    }
}

}  // namespace lifcard::fuzzing
