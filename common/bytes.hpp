// Byte views and the two byte-order readers that every format of the suite is read with.
//
// LIF structures store their numbers big-endian; the sub-fields of a directory entry's
// ImplementationBytes are little-endian. Both readers take a view and a 64-bit offset and
// refuse, instead of reading past the end, any range that is not wholly inside the view.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace lifcard {

using ByteView = std::span<const std::uint8_t>;
using ByteBuffer = std::vector<std::uint8_t>;

// True when the `length` bytes from `offset` on lie wholly inside `bytes`.
constexpr bool rangeInside(ByteView bytes, std::uint64_t offset, std::uint64_t length) {
    return offset <= bytes.size() && length <= bytes.size() - offset;
}

// The `length` bytes from `offset` on, or nothing when they are not wholly inside `bytes`.
std::optional<ByteView> sliceOf(ByteView bytes, std::uint64_t offset, std::uint64_t length);

// Up to four bytes from `offset` on as an unsigned number, first byte most significant.
std::optional<std::uint32_t> readBigEndian(ByteView bytes, std::uint64_t offset, std::size_t width);

// Up to four bytes from `offset` on as an unsigned number, first byte least significant.
std::optional<std::uint32_t> readLittleEndian(ByteView bytes, std::uint64_t offset,
                                              std::size_t width);

// Bytes taken one per character, NUL and control bytes included.
std::string charactersOf(ByteView bytes);

// A text's characters as bytes, one byte per character.
ByteView bytesOf(std::string_view text);

}  // namespace lifcard
