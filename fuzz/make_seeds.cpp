// Writes the seed corpus of every harness, built with the tests' fixture builders, so that no
// seed is an opaque blob: make_seeds DIRECTORY writes DIRECTORY/HARNESS/NAME for each seed.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "tests/magstrip/worked_example.hpp"
#include "tests/support/lif_assembler.hpp"

namespace {

using namespace lifcard;
using namespace lifcard::testing;
using namespace std::string_literals;

struct Seed {
    std::string harness;
    std::string name;
    ByteBuffer bytes;
};

ByteBuffer counting(std::size_t size) {
    ByteBuffer bytes(size);
    for (std::size_t i = 0; i < size; ++i) {
        bytes[i] = static_cast<std::uint8_t>(i * 7 + 1);
    }
    return bytes;
}

ByteBuffer textOf(std::string_view text) {
    return {text.begin(), text.end()};
}

std::vector<Seed> volumeSeeds() {
    VolumeAssembler everyKind;
    everyKind.label("SEEDS");
    everyKind.addFile("NOTES", 0x0001, textBody({"10 DISP \"HI\"", "", "ODD"}));
    everyKind.addFile("GAME", 0xE214, counting(300), {0x58, 0x02, 0, 0});
    everyKind.addSlot(makeEntry("GONE", 0xFFFF));
    everyKind.addFile("SYSROM", 0xE21C, counting(256));
    everyKind.addFile("SCORES", 0xE0F0, counting(40), {5, 0, 8, 0});
    everyKind.addFile("STRANGE", 0xE20E, counting(10));

    VolumeAssembler hostile;
    hostile.addFile("../UP", 0xE214, counting(16));
    hostile.addFile("A/B\0C"s, 0xE0D1, textBody({"X"}));
    hostile.addFile("          ", 0x0001, textBody({}));
    auto far = makeEntry("FAR", 0xE21D);
    far.startRecord = 0xFFFFFFF0;
    far.fileLength = 0x20;
    hostile.addSlot(far);

    VolumeAssembler empty;
    empty.directory(2, 4);
    return {{"volume_extraction", "every-kind", everyKind.build()},
            {"volume_extraction", "hostile-names", hostile.build()},
            {"volume_extraction", "empty-directory", empty.build()}};
}

std::vector<Seed> lifFileSeeds() {
    auto demo = makeEntry("DEMO", 0xE214, {0x10, 0, 0, 0});
    demo.creationDate = {0x99, 0x12, 0x31, 0x23, 0x59, 0x00};
    return {
        {"lif_file_card", "worked-example", lifFile(demo, workedExampleBody)},
        {"lif_file_card", "two-tracks",
         lifFile(makeEntry("LONG", 0xE208, {0x10, 0x0A, 0, 0}), counting(1300))},
        {"lif_file_card", "records",
         lifFile(makeEntry("SCORES", 0xE0F0, {5, 0, 8, 0}), counting(40))},
        {"lif_file_card", "data", lifFile(makeEntry("DATA", 0xE0D0, {3, 0, 0, 0}), counting(24))},
        {"lif_file_card", "text-type", lifFile(makeEntry("NOTES", 0x0001), textBody({"AB"}))},
        {"lif_file_card", "too-large", lifFile(makeEntry("BIG", 0xE214, {0xF9, 0xFF, 1, 0}), {})},
        {"lif_file_card", "short", ByteBuffer(31, 0x20)},
    };
}

std::vector<Seed> textSeeds() {
    return {
        {"text_file_card", "lines", textOf("10 DISP \"HELLO\"\r\n20 END\r\n")},
        {"text_file_card", "rules",
         textOf("A\rB\nLF ONLY\nCUT\x1AHERE\r\n\x1A"
                "AFTER")},
        {"text_file_card", "no-final-line-end", textOf("ODD\r\nLAST")},
        {"text_file_card", "largest", ByteBuffer(65528, 'x')},
        {"text_file_card", "empty", {}},
    };
}

std::vector<Seed> headerSeeds() {
    return {
        {"header_swap", "hp48", textOf("HPHP48-R\x2C\x2A\x50\x00\xFF"s)},
        {"header_swap", "hp49", textOf("HPHP49-B")},
        {"header_swap", "seven-bytes", textOf("HPHP48-")},
        {"header_swap", "card", workedExampleCard(false)},
    };
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fputs("usage: make_seeds DIRECTORY\n", stderr);
        return 2;
    }
    const std::filesystem::path root = argv[1];
    for (const auto& group : {volumeSeeds(), lifFileSeeds(), textSeeds(), headerSeeds()}) {
        for (const Seed& seed : group) {
            std::filesystem::create_directories(root / seed.harness);
            std::ofstream file(root / seed.harness / seed.name, std::ios::binary | std::ios::trunc);
            file.write(reinterpret_cast<const char*>(seed.bytes.data()),
                       static_cast<std::streamsize>(seed.bytes.size()));
            if (!file) {
                std::fprintf(stderr, "make_seeds: cannot write %s\n", seed.name.c_str());
                return 1;
            }
        }
    }
    return 0;
}
