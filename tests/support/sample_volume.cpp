// Builds the bundled sample volume with the LIF volume assembler.
#include "tests/support/sample_volume.hpp"

#include "tests/support/lif_assembler.hpp"

namespace lifcard::testing {

namespace {

// A body of `size` bytes whose content counts up from `seed`, so every file is recognisable.
ByteBuffer countingBody(std::size_t size, std::uint8_t seed) {
    ByteBuffer body(size);
    for (std::size_t i = 0; i < size; ++i) {
        body[i] = static_cast<std::uint8_t>(seed + i);
    }
    return body;
}

}  // namespace

ByteBuffer sampleVolume() {
    VolumeAssembler volume;
    volume.label("SAMPLE").minimumSize(630784);
    volume.addFile("NOTES", 0x0001, textBody({"HP-71 NOTES", "10 DISP \"HELLO\"", "", "THE END"}));
    // 200 bytes of program: 400 nibbles, carried in ImplementationBytes.
    volume.addFile("HELLO", 0xE214, countingBody(200, 0x10), {0x90, 0x01, 0x00, 0x00});
    volume.addSlot(makeEntry("PURGED", 0xFFFF));
    volume.addFile("MY FILE", 0xE214, countingBody(64, 0x80), {0x80, 0x00, 0x00, 0x00});
    volume.addFile("KEYWORDS", 0xE208, countingBody(300, 0x33), {0x58, 0x02, 0x00, 0x00});
    volume.addFile("SYSROM", 0xE21C, countingBody(512, 0x00), {0x00, 0x04, 0x00, 0x00});
    // Five records of 8 bytes each.
    volume.addFile("SCORES", 0xE0F0, countingBody(40, 0x01), {0x05, 0x00, 0x08, 0x00});
    return volume.build();
}

}  // namespace lifcard::testing
