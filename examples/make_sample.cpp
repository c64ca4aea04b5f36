// Writes the bundled sample volume, made by the tests' LIF volume assembler, to a file.
#include <cstdio>

#include "common/system.hpp"
#include "tests/support/sample_volume.hpp"

int main(int argc, char** argv) {
    if (argc != 2) {
        static_cast<void>(std::fputs("usage: make_sample VOLUME.LIF\n", stderr));
        return 2;
    }
    const lifcard::ByteBuffer volume = lifcard::testing::sampleVolume();
    const lifcard::Status written = lifcard::replaceFile(argv[1], volume);
    if (!written.ok()) {
        static_cast<void>(std::fprintf(stderr, "make_sample: cannot write %s: %s\n", argv[1],
                                       written.failure().reason.c_str()));
        return 1;
    }
    return 0;
}
