// Volume extraction: header report, directory walk and the three extraction modes.
#include "diskpeel/extraction.hpp"

#include <algorithm>

#include "common/names.hpp"
#include "lif/text_body.hpp"

namespace lifcard::diskpeel {

namespace {

constexpr std::size_t labelWidth = 19;

void reportNumber(Console& console, std::string_view field, std::uint32_t value) {
    console.line(reportLabel(field, labelWidth) + hexadecimal(value, 4));
}

// The bytes from `start` up to `end`, cut at the end of the image.
ByteView bytesWithin(ByteView image, std::uint64_t start, std::uint64_t end) {
    const std::uint64_t first = std::min<std::uint64_t>(start, image.size());
    const std::uint64_t last = std::clamp<std::uint64_t>(end, first, image.size());
    return image.subspan(static_cast<std::size_t>(first), static_cast<std::size_t>(last - first));
}

}  // namespace

ByteBuffer volumeImage(ByteBuffer fileContent) {
    if (fileContent.size() < minimumImageSize) {
        fileContent.resize(minimumImageSize, 0);
    }
    return fileContent;
}

void printHeaderReport(Console& console, ByteView image) {
    const lif::VolumeHeader volume = lif::parseVolumeHeader(image).value_or(lif::VolumeHeader{});
    reportNumber(console, "VolumeID", volume.volumeId);
    console.line(reportLabel("VolumeLabel", labelWidth) + volume.volumeLabel);
    reportNumber(console, "DirectoryStart", volume.directoryStart);
    reportNumber(console, "System3000ID", volume.system3000Id);
    reportNumber(console, "DirectoryBlocks", volume.directoryBlocks);
    reportNumber(console, "VersionNumber", volume.versionNumber);
    reportNumber(console, "TracksPerSurface", volume.tracksPerSurface);
    reportNumber(console, "NumberOfSurfaces", volume.numberOfSurfaces);
    reportNumber(console, "BlocksPerTrack", volume.blocksPerTrack);
}

std::string entryLine(const lif::DirectoryEntry& entry) {
    return entry.fileName + " (" + hexadecimal(entry.fileType, 4) + ")";
}

std::string outputName(const lif::DirectoryEntry& entry) {
    return plainFileName(trimControls(entry.fileName)) +
           std::string(lif::ruleForFileType(entry.fileType).extension);
}

ByteBuffer outputBytes(ByteView image, std::uint64_t entryOffset,
                       const lif::DirectoryEntry& entry) {
    const std::uint64_t bodyStart = entry.bodyStart();
    const std::uint64_t bodyEnd = bodyStart + entry.bodyLength();
    switch (lif::ruleForFileType(entry.fileType).mode) {
        case lif::ExtractionMode::text:
            return lif::textBodyAsLines(image, bodyStart, bodyEnd);
        case lif::ExtractionMode::raw: {
            const ByteView body = bytesWithin(image, bodyStart, bodyEnd);
            return {body.begin(), body.end()};
        }
        case lif::ExtractionMode::lifFile:
            break;
    }
    const ByteView slot = bytesWithin(image, entryOffset, entryOffset + lif::entry::size);
    const ByteView body = bytesWithin(image, bodyStart, bodyEnd);
    ByteBuffer file;
    file.reserve(slot.size() + body.size());
    file.insert(file.end(), slot.begin(), slot.end());
    file.insert(file.end(), body.begin(), body.end());
    return file;
}

bool walkDirectory(ByteView image, Console& console, OutputSink& sink) {
    const lif::VolumeHeader volume = lif::parseVolumeHeader(image).value_or(lif::VolumeHeader{});
    const std::uint64_t directoryEnd =
        lif::blocksToBytes(volume.directoryStart) + lif::blocksToBytes(volume.directoryBlocks);
    bool allStored = true;
    for (std::uint64_t position = lif::blocksToBytes(volume.directoryStart);
         position < directoryEnd; position += lif::entry::size) {
        // An empty slot is known by its type alone, and most slots of a long directory are.
        const auto fileType =
            readBigEndian(image, position + lif::entry::fileType, lif::entry::fileTypeWidth);
        if (fileType && lif::isEmptySlot(static_cast<std::uint16_t>(*fileType))) {
            continue;
        }
        const auto entry = lif::parseDirectoryEntry(image, position);
        if (!entry) {
            break;  // the slot does not lie wholly inside the image
        }
        console.line(entryLine(*entry));
        const std::string name = outputName(*entry);
        const Status stored = sink.store(name, outputBytes(image, position, *entry));
        if (!stored.ok()) {
            console.errorLine("diskpeel: cannot write " + name + ": " + stored.failure().reason);
            allStored = false;
        }
    }
    return allStored;
}

}  // namespace lifcard::diskpeel
