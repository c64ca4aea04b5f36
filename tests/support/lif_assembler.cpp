// Builds LIF volume images, LIF files and TEXT bodies from plain descriptions.
#include "tests/support/lif_assembler.hpp"

#include <algorithm>

#include "lif/text_body.hpp"

namespace lifcard::testing {

namespace {

void putBigEndian(std::span<std::uint8_t> out, std::size_t offset, std::size_t width,
                  std::uint32_t value) {
    for (std::size_t i = width; i > 0; --i) {
        out[offset + i - 1] = static_cast<std::uint8_t>(value & 0xFFU);
        value >>= 8U;
    }
}

std::uint32_t blocksFor(std::size_t bytes) {
    return static_cast<std::uint32_t>((bytes + lif::blockSize - 1) / lif::blockSize);
}

}  // namespace

ByteBuffer textBody(const std::vector<std::string>& lines, bool wholeBlocks) {
    ByteBuffer body;
    for (const std::string& line : lines) {
        lif::appendTextRecord(body, line);
    }
    lif::appendTextEndMarker(body);
    if (wholeBlocks) {
        body.resize(std::size_t{blocksFor(body.size())} * lif::blockSize, 0);
    }
    return body;
}

ByteBuffer lifFile(const lif::DirectoryEntry& entry, ByteView body) {
    const auto encoded = lif::encodeDirectoryEntry(entry);
    ByteBuffer file(encoded.size() + body.size());
    std::copy(encoded.begin(), encoded.end(), file.begin());
    std::copy(body.begin(), body.end(), file.begin() + encoded.size());
    return file;
}

lif::DirectoryEntry makeEntry(std::string_view name, std::uint16_t fileType,
                              std::array<std::uint8_t, 4> implementationBytes) {
    lif::DirectoryEntry entry;
    entry.fileName = std::string(name.substr(0, lif::entry::fileNameWidth));
    entry.fileName.resize(lif::entry::fileNameWidth, ' ');
    entry.fileType = fileType;
    entry.implementationBytes = implementationBytes;
    return entry;
}

VolumeAssembler::VolumeAssembler() {
    header_.volumeId = 0x8000;
    header_.volumeLabel = "HPLIF ";
    header_.directoryStart = 2;
    header_.system3000Id = 0x1000;
    header_.versionNumber = 1;
    header_.tracksPerSurface = 77;
    header_.numberOfSurfaces = 2;
    header_.blocksPerTrack = 16;
}

VolumeAssembler& VolumeAssembler::label(std::string_view volumeLabel) {
    header_.volumeLabel = std::string(volumeLabel.substr(0, lif::header::volumeLabelWidth));
    header_.volumeLabel.resize(lif::header::volumeLabelWidth, ' ');
    return *this;
}

VolumeAssembler& VolumeAssembler::directory(std::uint32_t startBlock,
                                            std::optional<std::uint32_t> blocks) {
    header_.directoryStart = startBlock;
    directoryBlocks_ = blocks;
    return *this;
}

VolumeAssembler& VolumeAssembler::minimumSize(std::size_t bytes) {
    minimumSize_ = bytes;
    return *this;
}

lif::DirectoryEntry& VolumeAssembler::addFile(std::string_view name, std::uint16_t fileType,
                                              ByteView body,
                                              std::array<std::uint8_t, 4> implementationBytes) {
    ByteBuffer padded(body.begin(), body.end());
    padded.resize(std::size_t{blocksFor(padded.size())} * lif::blockSize, 0);
    slots_.push_back({makeEntry(name, fileType, implementationBytes), std::move(padded)});
    return slots_.back().entry;
}

lif::DirectoryEntry& VolumeAssembler::addSlot(const lif::DirectoryEntry& slot) {
    slots_.push_back({slot, std::nullopt});
    return slots_.back().entry;
}

ByteBuffer VolumeAssembler::build() const {
    lif::VolumeHeader volume = header_;
    const std::uint32_t entriesPerBlock = lif::blockSize / lif::entry::size;
    volume.directoryBlocks = directoryBlocks_.value_or(std::max<std::uint32_t>(
        1, static_cast<std::uint32_t>((slots_.size() + entriesPerBlock - 1) / entriesPerBlock)));

    std::uint64_t nextBlock = std::uint64_t{volume.directoryStart} + volume.directoryBlocks;
    std::vector<lif::DirectoryEntry> entries;
    std::size_t end =
        std::max<std::size_t>(minimumSize_, static_cast<std::size_t>(nextBlock * lif::blockSize));
    for (const Slot& slot : slots_) {
        lif::DirectoryEntry entry = slot.entry;
        if (slot.body) {
            entry.startRecord = static_cast<std::uint32_t>(nextBlock);
            entry.fileLength = blocksFor(slot.body->size());
            nextBlock += entry.fileLength;
            end = std::max(end, static_cast<std::size_t>(nextBlock * lif::blockSize));
        }
        entries.push_back(entry);
    }

    std::array<std::uint8_t, lif::header::size> head{};
    putBigEndian(head, lif::header::volumeId, 2, volume.volumeId);
    std::copy(volume.volumeLabel.begin(), volume.volumeLabel.end(),
              head.begin() + lif::header::volumeLabel);
    putBigEndian(head, lif::header::directoryStart, 4, volume.directoryStart);
    putBigEndian(head, lif::header::system3000Id, 2, volume.system3000Id);
    putBigEndian(head, lif::header::directoryBlocks, 4, volume.directoryBlocks);
    putBigEndian(head, lif::header::versionNumber, 2, volume.versionNumber);
    putBigEndian(head, lif::header::tracksPerSurface, 4, volume.tracksPerSurface);
    putBigEndian(head, lif::header::numberOfSurfaces, 4, volume.numberOfSurfaces);
    putBigEndian(head, lif::header::blocksPerTrack, 4, volume.blocksPerTrack);
    ByteBuffer image(std::max(end, head.size()), 0);
    std::copy(head.begin(), head.end(), image.begin());

    const std::uint64_t directoryOffset = lif::blocksToBytes(volume.directoryStart);
    for (std::size_t i = 0; i < slots_.size(); ++i) {
        const std::uint64_t offset = directoryOffset + i * lif::entry::size;
        if (offset + lif::entry::size > image.size()) {
            break;  // a slot placed past the image end is left out
        }
        const auto encoded = lif::encodeDirectoryEntry(entries[i]);
        std::copy(encoded.begin(), encoded.end(),
                  image.begin() + static_cast<std::ptrdiff_t>(offset));
        if (slots_[i].body) {
            std::copy(slots_[i].body->begin(), slots_[i].body->end(),
                      image.begin() + static_cast<std::ptrdiff_t>(entries[i].bodyStart()));
        }
    }
    return image;
}

}  // namespace lifcard::testing
