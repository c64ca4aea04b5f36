// The LIF formats the suite shares: the volume header, the 32-byte directory entry, the file
// types with their output extensions and extraction modes, and the block arithmetic.
//
// Numbers in the header and in an entry are big-endian; the sub-fields of ImplementationBytes
// are little-endian. Positions and lengths count in blocks of 256 bytes; every byte offset is
// computed in 64 bits, so no block number (up to 0xFFFFFFFF) can wrap.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "common/bytes.hpp"

namespace lifcard::lif {

inline constexpr std::uint64_t blockSize = 256;

constexpr std::uint64_t blocksToBytes(std::uint32_t blocks) {
    return std::uint64_t{blocks} * blockSize;
}

// Field offsets and widths of the volume header at offset 0 of a volume image.
namespace header {
inline constexpr std::size_t volumeId = 0;
inline constexpr std::size_t volumeLabel = 2;
inline constexpr std::size_t volumeLabelWidth = 6;
inline constexpr std::size_t directoryStart = 8;
inline constexpr std::size_t system3000Id = 12;
inline constexpr std::size_t directoryBlocks = 16;
inline constexpr std::size_t versionNumber = 20;
inline constexpr std::size_t tracksPerSurface = 24;
inline constexpr std::size_t numberOfSurfaces = 28;
inline constexpr std::size_t blocksPerTrack = 32;
inline constexpr std::size_t size = 36;  // the bytes the suite reads
}  // namespace header

struct VolumeHeader {
    std::uint16_t volumeId = 0;
    std::string volumeLabel;
    std::uint32_t directoryStart = 0;
    std::uint16_t system3000Id = 0;
    std::uint32_t directoryBlocks = 0;
    std::uint16_t versionNumber = 0;
    std::uint32_t tracksPerSurface = 0;
    std::uint32_t numberOfSurfaces = 0;
    std::uint32_t blocksPerTrack = 0;
};

// The header at the start of `image`; nothing when the image is shorter than the header.
std::optional<VolumeHeader> parseVolumeHeader(ByteView image);

// Field offsets and widths of a directory entry.
namespace entry {
inline constexpr std::size_t fileName = 0;
inline constexpr std::size_t fileNameWidth = 10;
inline constexpr std::size_t fileType = 10;
inline constexpr std::size_t fileTypeWidth = 2;
inline constexpr std::size_t startRecord = 12;
inline constexpr std::size_t startRecordWidth = 4;
inline constexpr std::size_t fileLength = 16;
inline constexpr std::size_t fileLengthWidth = 4;
inline constexpr std::size_t creationDate = 20;
inline constexpr std::size_t creationDateWidth = 6;
inline constexpr std::size_t volumeNumber = 26;
inline constexpr std::size_t volumeNumberWidth = 2;
inline constexpr std::size_t implementationBytes = 28;
inline constexpr std::size_t implementationBytesWidth = 4;
inline constexpr std::size_t size = 32;
static_assert(fileNameWidth + fileTypeWidth + startRecordWidth + fileLengthWidth +
                  creationDateWidth + volumeNumberWidth + implementationBytesWidth ==
              size);
static_assert(implementationBytes + implementationBytesWidth == size);
}  // namespace entry

struct DirectoryEntry {
    std::string fileName;  // exactly 10 characters, padding included
    std::uint16_t fileType = 0;
    std::uint32_t startRecord = 0;
    std::uint32_t fileLength = 0;
    std::array<std::uint8_t, entry::creationDateWidth> creationDate{};
    std::uint16_t volumeNumber = 0;
    std::array<std::uint8_t, entry::implementationBytesWidth> implementationBytes{};

    // Where the body lies in the source volume, in bytes (64-bit, cannot wrap).
    [[nodiscard]] std::uint64_t bodyStart() const { return blocksToBytes(startRecord); }
    [[nodiscard]] std::uint64_t bodyLength() const { return blocksToBytes(fileLength); }
};

// The entry whose 32 bytes begin at `offset`; nothing unless they lie wholly inside `bytes`.
std::optional<DirectoryEntry> parseDirectoryEntry(ByteView bytes, std::uint64_t offset);

// The fields back in their 32-byte form.
std::array<std::uint8_t, entry::size> encodeDirectoryEntry(const DirectoryEntry& entry);

// File types with special handling.
namespace type {
inline constexpr std::uint16_t emptySlot = 0x0000;
inline constexpr std::uint16_t unusedSlot = 0xFFFF;  // does not end the directory
inline constexpr std::uint16_t text = 0x0001;
inline constexpr std::uint16_t data = 0xE0D0;
inline constexpr std::uint16_t records = 0xE0F0;
inline constexpr std::uint16_t recordsAlternate = 0xE0F1;
}  // namespace type

// Types 0 and 0xFFFF mark a slot that holds no file.
constexpr bool isEmptySlot(std::uint16_t fileType) {
    return fileType == type::emptySlot || fileType == type::unusedSlot;
}

enum class ExtractionMode {
    text,     // the TEXT body becomes lines of text with CR LF line ends
    raw,      // the body alone
    lifFile,  // the directory entry followed by the body
};

struct FileTypeRule {
    std::string_view extension;  // four characters, the dot included
    ExtractionMode mode;
};

// The output extension and extraction mode of a file type; a code the table does not list
// gets ".UFO" and LIF-file extraction.
FileTypeRule ruleForFileType(std::uint16_t fileType);

}  // namespace lifcard::lif
