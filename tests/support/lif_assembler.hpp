// A small LIF volume assembler: builds volume images, LIF files and TEXT bodies for the tests,
// the fuzz seeds and the bundled sample, so that no fixture is an opaque blob.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/bytes.hpp"
#include "lif/formats.hpp"

namespace lifcard::testing {

// A TEXT body holding `lines` and the end marker, padded with zeros to whole blocks.
ByteBuffer textBody(const std::vector<std::string>& lines, bool wholeBlocks = true);

// A LIF file: the entry's 32 bytes followed by `body`.
ByteBuffer lifFile(const lif::DirectoryEntry& entry, ByteView body);

// A directory entry with the name padded with blanks to 10 characters.
lif::DirectoryEntry makeEntry(std::string_view name, std::uint16_t fileType,
                              std::array<std::uint8_t, 4> implementationBytes = {});

class VolumeAssembler {
  public:
    VolumeAssembler();

    VolumeAssembler& label(std::string_view volumeLabel);
    // Places the directory; by default it starts at block 2 and holds as many blocks as the
    // entries need (at least one).
    VolumeAssembler& directory(std::uint32_t startBlock, std::optional<std::uint32_t> blocks = {});
    // The image is at least this many bytes (zeros after the last body); by default it ends
    // with the last body.
    VolumeAssembler& minimumSize(std::size_t bytes);

    // The references returned by addFile and addSlot stay valid until the next add.

    // A file whose body (padded to whole blocks) follows the directory and earlier bodies.
    // StartRecord and FileLength are filled in by `build`.
    lif::DirectoryEntry& addFile(std::string_view name, std::uint16_t fileType, ByteView body,
                                 std::array<std::uint8_t, 4> implementationBytes = {});
    // A slot exactly as given: no body is placed for it.
    lif::DirectoryEntry& addSlot(const lif::DirectoryEntry& slot);

    [[nodiscard]] ByteBuffer build() const;
    [[nodiscard]] lif::VolumeHeader& header() { return header_; }

  private:
    struct Slot {
        lif::DirectoryEntry entry;
        std::optional<ByteBuffer> body;  // placed by the assembler when present
    };
    lif::VolumeHeader header_;
    std::optional<std::uint32_t> directoryBlocks_;
    std::size_t minimumSize_ = 0;
    std::vector<Slot> slots_;
};

}  // namespace lifcard::testing
