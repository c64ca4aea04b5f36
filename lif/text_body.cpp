// Reading TEXT bodies as lines and building them from lines.
#include "lif/text_body.hpp"

#include <algorithm>
#include <array>

namespace lifcard::lif {

namespace {

// Every extracted line ends in CR LF.
constexpr std::array<std::uint8_t, 2> carriageReturnLineFeed{0x0D, 0x0A};

}  // namespace

ByteBuffer textBodyAsLines(ByteView image, std::uint64_t bodyStart, std::uint64_t bodyEnd) {
    ByteBuffer lines;
    std::uint64_t position = bodyStart;
    // A line never takes more bytes than its record, and the last record read may run up to
    // a whole record length past the body end: room for that much is made once.
    const std::uint64_t lastByte =
        std::min<std::uint64_t>(image.size(), bodyEnd + 2 + textEndMarker);
    if (bodyStart < lastByte) {
        lines.reserve(static_cast<std::size_t>(lastByte - bodyStart));
    }
    while (position < bodyEnd) {
        const auto length = readBigEndian(image, position, 2);
        if (!length || *length == textEndMarker) {
            break;
        }
        position += 2;
        const std::uint64_t available = image.size() - position;  // position is inside
        const bool cut = *length > available;
        const auto characters = image.subspan(static_cast<std::size_t>(position),
                                              static_cast<std::size_t>(cut ? available : *length));
        if (!characters.empty()) {
            lines.insert(lines.end(), characters.begin(), characters.end());
        }
        lines.push_back(carriageReturnLineFeed[0]);
        lines.push_back(carriageReturnLineFeed[1]);
        if (cut) {
            break;
        }
        position += *length + (*length & 1U);
    }
    return lines;
}

void appendTextRecord(ByteBuffer& body, std::string_view line) {
    const auto length = static_cast<std::uint16_t>(line.size());
    body.push_back(static_cast<std::uint8_t>(length >> 8U));
    body.push_back(static_cast<std::uint8_t>(length & 0xFFU));
    const ByteView characters = bytesOf(line);
    body.insert(body.end(), characters.begin(), characters.end());
    if ((length & 1U) != 0) {
        body.push_back(0x00);
    }
}

void appendTextEndMarker(ByteBuffer& body) {
    body.push_back(0xFF);
    body.push_back(0xFF);
}

}  // namespace lifcard::lif
