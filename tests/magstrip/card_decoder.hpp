// An independent reader of card images for the tests: unpacks the nibbles and walks the
// tracks by their TrackLength fields, so a test can compare fields instead of raw bytes.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "common/bytes.hpp"

namespace lifcard::testing {

struct DecodedTrack {
    std::uint32_t trackLength = 0;
    std::uint32_t fixedOne = 0;
    std::uint32_t trackNumber = 0;
    std::uint32_t trackCount = 0;
    std::uint32_t trackBytes = 0;
    std::uint32_t bodyBytes = 0;
    std::uint32_t fileType = 0;
    std::string fileName;  // the 8 characters a track carries
    std::array<std::uint8_t, 4> implementationBytes{};
    bool zeroFieldsClear = false;  // every zero field of the header and the closing field
    ByteBuffer data;
};

struct DecodedCard {
    std::string objectHeader;
    std::uint32_t prolog = 0;
    std::uint32_t stringLength = 0;
    std::string magic;
    std::vector<DecodedTrack> tracks;
    std::size_t nibbleCount = 0;  // where the string object ends, in stream nibbles
};

// The card image in `file`, or nothing when a track runs past the file or the string object
// does not end exactly at the file's last nibble (or before a last pad nibble of 0).
std::optional<DecodedCard> decodeCard(ByteView file);

// The track data of all tracks, in order.
ByteBuffer trackDataOf(const DecodedCard& card);

}  // namespace lifcard::testing
