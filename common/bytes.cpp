// Bounds-checked byte-order readers over byte views.
#include "common/bytes.hpp"

#include <string_view>

namespace lifcard {

std::optional<ByteView> sliceOf(ByteView bytes, std::uint64_t offset, std::uint64_t length) {
    if (!rangeInside(bytes, offset, length)) {
        return std::nullopt;
    }
    return bytes.subspan(static_cast<std::size_t>(offset), static_cast<std::size_t>(length));
}

std::optional<std::uint32_t> readBigEndian(ByteView bytes, std::uint64_t offset,
                                           std::size_t width) {
    if (width > 4 || !rangeInside(bytes, offset, width)) {
        return std::nullopt;
    }
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < width; ++i) {
        value = (value << 8U) | bytes[static_cast<std::size_t>(offset) + i];
    }
    return value;
}

std::optional<std::uint32_t> readLittleEndian(ByteView bytes, std::uint64_t offset,
                                              std::size_t width) {
    if (width > 4 || !rangeInside(bytes, offset, width)) {
        return std::nullopt;
    }
    std::uint32_t value = 0;
    for (std::size_t i = width; i > 0; --i) {
        value = (value << 8U) | bytes[static_cast<std::size_t>(offset) + i - 1];
    }
    return value;
}

std::string charactersOf(ByteView bytes) {
    return {bytes.begin(), bytes.end()};
}

ByteView bytesOf(std::string_view text) {
    // A char and a std::uint8_t have the same size and alignment; the view only reads.
    return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

}  // namespace lifcard
