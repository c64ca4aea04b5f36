// Reading a LIF file into the card source.
#include "magstrip/lif_input.hpp"

#include <algorithm>
#include <string>

#include "common/names.hpp"
#include "lif/formats.hpp"

namespace lifcard::magstrip {

namespace {

constexpr std::size_t reportWidth = 18;
// Type 0xE0D0 keeps a fixed record size of 16 nibbles.
constexpr std::uint32_t dataRecordNibbles = 16;

bool hasRecords(std::uint16_t fileType) {
    return fileType == lif::type::data || fileType == lif::type::records ||
           fileType == lif::type::recordsAlternate;
}

void report(Console& console, std::string_view field, std::string_view value) {
    console.line(reportLabel(field, reportWidth) + std::string(value));
}

std::uint32_t numberOfRecords(const std::array<std::uint8_t, 4>& bytes) {
    return bytes[0] + 256U * bytes[1];
}

// The record size in nibbles: fixed for 0xE0D0, else the entry's size in bytes times two.
std::uint32_t recordSize(std::uint16_t fileType, const std::array<std::uint8_t, 4>& bytes) {
    return fileType == lif::type::data ? dataRecordNibbles : 2U * (bytes[2] + 256U * bytes[3]);
}

}  // namespace

std::uint64_t announcedFileSize(std::uint16_t fileType,
                                const std::array<std::uint8_t, 4>& implementationBytes) {
    if (hasRecords(fileType)) {
        return std::uint64_t{numberOfRecords(implementationBytes)} *
               recordSize(fileType, implementationBytes);
    }
    return implementationBytes[0] + 256U * implementationBytes[1] + 65536U * implementationBytes[2];
}

Result<CardSource> loadLifFile(ByteView file, Console& console) {
    const auto entry = lif::parseDirectoryEntry(file, 0);
    if (!entry) {
        return Failure{"File Too Short"};
    }

    CardSource source;
    source.fileName = upperCase(entry->fileName);
    source.fileType = entry->fileType;
    source.implementationBytes = entry->implementationBytes;
    std::string creationDate;
    for (const std::uint8_t byte : entry->creationDate) {
        creationDate += hexadecimal(byte, 2);
    }
    report(console, "FileName", source.fileName);
    report(console, "FileType", hexadecimal(entry->fileType, 4));
    report(console, "StartRecord", hexadecimal(entry->startRecord, 8));
    report(console, "FileLength", hexadecimal(entry->fileLength, 8));
    report(console, "CreationDate", creationDate);
    report(console, "VolumeNumber", hexadecimal(entry->volumeNumber, 4));

    if (entry->fileType == lif::type::text) {
        return Failure{"Invalid File Type"};
    }
    if (hasRecords(entry->fileType)) {
        report(console, "NumberOfRecords",
               hexadecimal(numberOfRecords(entry->implementationBytes), 4));
        report(console, "RecordSize",
               hexadecimal(recordSize(entry->fileType, entry->implementationBytes), 4));
    }
    const std::uint64_t fileSize = announcedFileSize(entry->fileType, entry->implementationBytes);
    if (!fitsOnCard(fileSize)) {
        return Failure{"File Too Large"};
    }
    setBodyLength(source, static_cast<std::uint32_t>(fileSize));

    // The body starts right after the entry; what the file lacks of it stays zero.
    const ByteView body = file.subspan(lif::entry::size);
    const std::size_t present = std::min<std::size_t>(body.size(), source.bodyBytes);
    std::copy_n(body.begin(), present, source.bodyBuffer.begin());
    return source;
}

}  // namespace lifcard::magstrip
