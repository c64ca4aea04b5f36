// The TEXT body of an HP-71 text file: one record per line (a 2-byte big-endian length, the
// characters, a pad byte when the length is odd), closed by the end marker 0xFFFF.
#pragma once

#include <cstdint>
#include <string_view>

#include "common/bytes.hpp"

namespace lifcard::lif {

inline constexpr std::uint16_t textEndMarker = 0xFFFF;

// The records of the TEXT body that starts at `bodyStart` as lines ending in CR LF. Records
// are read while they start before `bodyEnd`, up to the end marker; a record's characters are
// not checked against `bodyEnd`. Nothing past the end of `image` is read: the walk stops
// before a length field that is not wholly inside it, and a record whose characters run past
// it is written up to its end, with CR LF, as the last line.
ByteBuffer textBodyAsLines(ByteView image, std::uint64_t bodyStart, std::uint64_t bodyEnd);

// Appends one record holding `line` (at most 0xFFFE characters) to a TEXT body.
void appendTextRecord(ByteBuffer& body, std::string_view line);

// Appends the end marker that closes a TEXT body.
void appendTextEndMarker(ByteBuffer& body);

}  // namespace lifcard::lif
