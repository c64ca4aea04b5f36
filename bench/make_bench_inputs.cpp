// Writes the benchmark inputs into a directory: VOLUME.LIF, BIG.BAS and BIG.TXT.
#include <cstdio>
#include <string>

#include "bench/bench_inputs.hpp"
#include "common/system.hpp"

namespace {

bool write(const std::string& name, lifcard::ByteView bytes) {
    const lifcard::Status written = lifcard::replaceFile(name, bytes);
    if (!written.ok()) {
        (void)std::fprintf(stderr, "make_bench_inputs: cannot write %s: %s\n", name.c_str(),
                           written.failure().reason.c_str());
    }
    return written.ok();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        (void)std::fputs("usage: make_bench_inputs DIRECTORY\n", stderr);
        return 2;
    }
    const std::string directory = std::string(argv[1]) + "/";
    const std::string text = lifcard::bench::largestTextFile();
    const bool ok = write(directory + "VOLUME.LIF", lifcard::bench::fullVolume()) &&
                    write(directory + "BIG.BAS", lifcard::bench::largestLifFile()) &&
                    write(directory + "BIG.TXT", lifcard::bytesOf(text));
    return ok ? 0 : 1;
}
