// Reading and writing the LIF volume header and directory entry, and the file-type table.
#include "lif/formats.hpp"

#include <algorithm>

namespace lifcard::lif {

namespace {

// Reads a big-endian field that the caller has already bounds-checked as a whole.
std::uint32_t field(ByteView bytes, std::uint64_t offset, std::size_t width) {
    return readBigEndian(bytes, offset, width).value_or(0);
}

void putBigEndian(std::span<std::uint8_t> out, std::size_t offset, std::size_t width,
                  std::uint32_t value) {
    for (std::size_t i = width; i > 0; --i) {
        out[offset + i - 1] = static_cast<std::uint8_t>(value & 0xFFU);
        value >>= 8U;
    }
}

}  // namespace

std::optional<VolumeHeader> parseVolumeHeader(ByteView image) {
    if (!rangeInside(image, 0, header::size)) {
        return std::nullopt;
    }
    VolumeHeader volume;
    volume.volumeId = static_cast<std::uint16_t>(field(image, header::volumeId, 2));
    volume.volumeLabel = charactersOf(image.subspan(header::volumeLabel, header::volumeLabelWidth));
    volume.directoryStart = field(image, header::directoryStart, 4);
    volume.system3000Id = static_cast<std::uint16_t>(field(image, header::system3000Id, 2));
    volume.directoryBlocks = field(image, header::directoryBlocks, 4);
    volume.versionNumber = static_cast<std::uint16_t>(field(image, header::versionNumber, 2));
    volume.tracksPerSurface = field(image, header::tracksPerSurface, 4);
    volume.numberOfSurfaces = field(image, header::numberOfSurfaces, 4);
    volume.blocksPerTrack = field(image, header::blocksPerTrack, 4);
    return volume;
}

std::optional<DirectoryEntry> parseDirectoryEntry(ByteView bytes, std::uint64_t offset) {
    const auto slot = sliceOf(bytes, offset, entry::size);
    if (!slot) {
        return std::nullopt;
    }
    const ByteView raw = *slot;
    DirectoryEntry parsed;
    parsed.fileName = charactersOf(raw.subspan(entry::fileName, entry::fileNameWidth));
    parsed.fileType = static_cast<std::uint16_t>(field(raw, entry::fileType, entry::fileTypeWidth));
    parsed.startRecord = field(raw, entry::startRecord, entry::startRecordWidth);
    parsed.fileLength = field(raw, entry::fileLength, entry::fileLengthWidth);
    std::copy_n(raw.begin() + entry::creationDate, entry::creationDateWidth,
                parsed.creationDate.begin());
    parsed.volumeNumber =
        static_cast<std::uint16_t>(field(raw, entry::volumeNumber, entry::volumeNumberWidth));
    std::copy_n(raw.begin() + entry::implementationBytes, entry::implementationBytesWidth,
                parsed.implementationBytes.begin());
    return parsed;
}

std::array<std::uint8_t, entry::size> encodeDirectoryEntry(const DirectoryEntry& source) {
    std::array<std::uint8_t, entry::size> out{};
    std::fill_n(out.begin(), entry::fileNameWidth, ' ');
    std::copy_n(source.fileName.begin(), std::min(source.fileName.size(), entry::fileNameWidth),
                out.begin());
    putBigEndian(out, entry::fileType, entry::fileTypeWidth, source.fileType);
    putBigEndian(out, entry::startRecord, entry::startRecordWidth, source.startRecord);
    putBigEndian(out, entry::fileLength, entry::fileLengthWidth, source.fileLength);
    std::copy(source.creationDate.begin(), source.creationDate.end(),
              out.begin() + entry::creationDate);
    putBigEndian(out, entry::volumeNumber, entry::volumeNumberWidth, source.volumeNumber);
    std::copy(source.implementationBytes.begin(), source.implementationBytes.end(),
              out.begin() + entry::implementationBytes);
    return out;
}

FileTypeRule ruleForFileType(std::uint16_t fileType) {
    struct Row {
        std::uint16_t first;
        std::uint16_t last;
        FileTypeRule rule;
    };
    using enum ExtractionMode;
    static constexpr std::array<Row, 31> table{{
        {0x0001, 0x0001, {".TXT", text}},    {0xE020, 0xE020, {".W41", lifFile}},
        {0xE030, 0xE030, {".X41", lifFile}}, {0xE040, 0xE040, {".A41", lifFile}},
        {0xE050, 0xE050, {".K41", lifFile}}, {0xE051, 0xE051, {".R75", lifFile}},
        {0xE052, 0xE052, {".T75", lifFile}}, {0xE053, 0xE053, {".A75", lifFile}},
        {0xE058, 0xE058, {".D75", lifFile}}, {0xE060, 0xE060, {".S41", lifFile}},
        {0xE070, 0xE070, {".R41", lifFile}}, {0xE080, 0xE080, {".P41", lifFile}},
        {0xE088, 0xE088, {".B75", lifFile}}, {0xE089, 0xE089, {".L75", lifFile}},
        {0xE08A, 0xE08A, {".W75", lifFile}}, {0xE08B, 0xE08B, {".R75", lifFile}},
        {0xE0B0, 0xE0B0, {".B75", lifFile}}, {0xE0D0, 0xE0D0, {".D41", lifFile}},
        {0xE0D1, 0xE0D1, {".TXT", text}},    {0xE0D5, 0xE0D5, {".TXT", text}},
        {0xE0F0, 0xE0F1, {".DAT", lifFile}}, {0xE204, 0xE207, {".BIN", lifFile}},
        {0xE208, 0xE20B, {".LEX", lifFile}}, {0xE20C, 0xE20D, {".KEY", lifFile}},
        {0xE214, 0xE217, {".BAS", lifFile}}, {0xE218, 0xE219, {".FTH", lifFile}},
        {0xE21C, 0xE21F, {".ROM", raw}},     {0xE222, 0xE223, {".GRA", lifFile}},
        {0xE224, 0xE225, {".ADR", lifFile}}, {0xE22C, 0xE22D, {".OBJ", lifFile}},
        {0xE22E, 0xE22F, {".SYM", lifFile}},
    }};
    for (const Row& row : table) {
        if (fileType >= row.first && fileType <= row.last) {
            return row.rule;
        }
    }
    return {".UFO", lifFile};
}

}  // namespace lifcard::lif
