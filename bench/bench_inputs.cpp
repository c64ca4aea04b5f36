// Builds the benchmark inputs with the LIF volume assembler.
#include "bench/bench_inputs.hpp"

#include <array>
#include <cstdint>
#include <stdexcept>
#include <vector>

#include "tests/support/lif_assembler.hpp"

namespace lifcard::bench {

namespace {

constexpr std::size_t volumeBytes = 630784;
constexpr std::size_t blockBytes = 256;
constexpr int slotCount = 300;
constexpr std::size_t largestBody = 65532;

ByteBuffer patternBody(std::size_t size, std::uint8_t seed) {
    ByteBuffer body(size);
    for (std::size_t i = 0; i < size; ++i) {
        body[i] = static_cast<std::uint8_t>(seed + i * 7);
    }
    return body;
}

// Numbered BASIC-like lines that fill a TEXT body of `blocks` blocks, end marker included.
std::vector<std::string> textLines(std::size_t blocks, int seed) {
    std::vector<std::string> lines;
    std::size_t used = 2;  // the end marker
    for (int number = 10;; number += 10) {
        std::string line = std::to_string(number) + " DISP \"LINE " + std::to_string(seed) + "/" +
                           std::to_string(number) + "\"";
        const std::size_t record = 2 + line.size() + (line.size() & 1U);
        if (used + record > blocks * blockBytes) {
            return lines;
        }
        used += record;
        lines.push_back(std::move(line));
    }
}

std::array<std::uint8_t, 4> littleEndian(std::uint32_t value) {
    return {static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8U),
            static_cast<std::uint8_t>(value >> 16U), static_cast<std::uint8_t>(value >> 24U)};
}

}  // namespace

ByteBuffer fullVolume() {
    testing::VolumeAssembler volume;
    volume.label("BENCH").minimumSize(volumeBytes);
    for (int i = 0; i < slotCount; ++i) {
        const std::string name = "FILE" + std::to_string(1000 + i);
        if (i % 25 == 12) {
            volume.addSlot(testing::makeEntry(name, 0xFFFF));
            continue;
        }
        const std::size_t blocks = 1 + static_cast<std::size_t>(i * 5 % 15);
        const std::size_t bytes = blocks * blockBytes;
        const auto seed = static_cast<std::uint8_t>(i);
        switch (i % 8) {
            case 0:
                volume.addFile(name, 0x0001, testing::textBody(textLines(blocks, i)));
                break;
            case 1:
            case 5:
                volume.addFile(name, 0xE214, patternBody(bytes, seed), littleEndian(2 * bytes));
                break;
            case 2:
                volume.addFile(name, 0xE208, patternBody(bytes, seed), littleEndian(2 * bytes));
                break;
            case 3:
                volume.addFile(name, 0xE21C, patternBody(bytes, seed), littleEndian(2 * bytes));
                break;
            case 4:  // records of 16 bytes
                volume.addFile(name, 0xE0F0, patternBody(bytes, seed),
                               {static_cast<std::uint8_t>(bytes / 16),
                                static_cast<std::uint8_t>(bytes / 16 >> 8U), 16, 0});
                break;
            case 6:
                volume.addFile(name, 0xE20C, patternBody(bytes, seed), littleEndian(2 * bytes));
                break;
            default:
                volume.addFile(name, i % 16 == 7 ? 0xE204 : 0xE300, patternBody(bytes, seed),
                               littleEndian(2 * bytes));
                break;
        }
    }
    ByteBuffer image = volume.build();
    if (image.size() != volumeBytes) {
        throw std::logic_error("the benchmark volume does not fill one disk exactly");
    }
    return image;
}

ByteBuffer largestLifFile() {
    const lif::DirectoryEntry entry =
        testing::makeEntry("BIGPROG", 0xE214, {0xF8, 0xFF, 0x01, 0x00});
    return testing::lifFile(entry, patternBody(largestBody, 0x21));
}

std::string largestTextFile() {
    // 255 records of 254 characters (256 bytes each) and one of 248 (250 bytes): 65,530
    // bytes of records and the 2-byte end marker.
    std::string text;
    for (int i = 0; i < 256; ++i) {
        const std::size_t length = i < 255 ? 254 : 248;
        std::string line = std::to_string(10 * (i + 1)) + " REM ";
        for (std::size_t k = 0; line.size() < length; ++k) {
            line += static_cast<char>('A' + (i + k) % 26);
        }
        text += line + "\r\n";
    }
    return text;
}

}  // namespace lifcard::bench
