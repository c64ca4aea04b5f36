// The header swap over bytes in memory.
#include "headswap/header_swap.hpp"

#include <algorithm>
#include <cstdint>

#include "common/object_header.hpp"

namespace lifcard::headswap {

std::string headerText(ByteView firstBytes) {
    std::string text;
    text.reserve(objectHeaderSize);
    std::uint8_t transferByte = 0x00;
    for (std::size_t position = 0; position < objectHeaderSize; ++position) {
        if (position < firstBytes.size()) {
            transferByte = firstBytes[position];
        }
        text.push_back(static_cast<char>(transferByte));
    }
    return text;
}

std::string_view newHeaderFor(ByteView firstBytes) {
    return swappedObjectHeader(headerText(firstBytes));
}

ByteBuffer swappedContent(ByteView content) {
    ByteBuffer swapped(content.begin(), content.end());
    const ByteView header = bytesOf(newHeaderFor(content));
    if (header.empty()) {
        return swapped;
    }
    // Only a file of 7 bytes or more can match, so growing it never leaves a gap.
    swapped.resize(std::max(swapped.size(), header.size()));
    std::copy(header.begin(), header.end(), swapped.begin());
    return swapped;
}

}  // namespace lifcard::headswap
