// The card source: the one HP-71 file that an input path hands to the card image writer.
//
// The LIF-file input and the text input fill it; the run sets HP49Target from the command
// line; the writer only reads it. The body always fills whole groups of 8 nibbles (4 bytes):
// RoundedSize is FileSize rounded up to a multiple of 8, and BodyBytes is half of it.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "common/bytes.hpp"

namespace lifcard::magstrip {

// The largest body a card carries faithfully: the BodyBytes field of a track has 4 nibbles,
// and this is the largest multiple of 4 bytes below 0x10000. Past it the field would wrap.
inline constexpr std::uint32_t largestBodyBytes = 65532;
inline constexpr std::uint32_t largestRoundedSize = 2 * largestBodyBytes;  // 131,064 nibbles

struct CardSource {
    std::string fileName;  // at least 10 characters; a track carries the first 8
    std::uint16_t fileType = 0;
    std::array<std::uint8_t, 4> implementationBytes{};
    std::uint32_t fileSize = 0;     // the body length in nibbles
    std::uint32_t roundedSize = 0;  // R: FileSize rounded up to a multiple of 8
    std::uint32_t bodyBytes = 0;    // R / 2
    ByteBuffer bodyBuffer;          // exactly BodyBytes bytes, zeros after the real body
    bool hp49Target = false;
};

// FileSize rounded up to a multiple of 8 nibbles (4 gives 8, 8 stays 8, 0 stays 0); 64-bit so
// that no announced size can wrap before it is checked against the limit.
constexpr std::uint64_t roundedSizeFor(std::uint64_t fileSize) {
    return (fileSize + 7) / 8 * 8;
}

// True when a body of `fileSize` nibbles fits a card: its BodyBytes at most 65,532.
constexpr bool fitsOnCard(std::uint64_t fileSize) {
    return roundedSizeFor(fileSize) <= largestRoundedSize;
}

// Sets FileSize, RoundedSize and BodyBytes, and sizes BodyBuffer to BodyBytes, keeping the
// bytes already in it and filling the rest with zeros. `fileSize` must fit on a card.
void setBodyLength(CardSource& source, std::uint32_t fileSize);

}  // namespace lifcard::magstrip
