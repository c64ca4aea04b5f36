// The volume extraction core: the image as the run sees it, the header report and the walk
// over the directory that turns every entry holding a file into an output.
//
// The core works on bytes in memory and hands its outputs to a sink, so the real run writes
// files while a test or a fuzz harness records names and bytes.
#pragma once

#include <cstdint>
#include <string>

#include "common/bytes.hpp"
#include "common/console.hpp"
#include "common/result.hpp"
#include "lif/formats.hpp"

namespace lifcard::diskpeel {

// The smallest image the walk sees: 2464 blocks, the size of an HP-71 disk.
inline constexpr std::size_t minimumImageSize = 630784;

// The image of a volume file: all of its bytes, followed by zeros up to the minimum size.
ByteBuffer volumeImage(ByteBuffer fileContent);

// The nine lines of the volume header report.
void printHeaderReport(Console& console, ByteView image);

// Where the walk's outputs go.
class OutputSink {
  public:
    OutputSink() = default;
    OutputSink(const OutputSink&) = delete;
    OutputSink& operator=(const OutputSink&) = delete;
    virtual ~OutputSink() = default;

    // Stores one complete output under `name`, replacing an earlier one of that name.
    virtual Status store(const std::string& name, ByteView bytes) = 0;
};

// The entry line: the 10 name characters as they stand, then the type in 4 hex digits.
std::string entryLine(const lif::DirectoryEntry& entry);

// The output file name: the trimmed entry name made plain, followed by the extension.
std::string outputName(const lif::DirectoryEntry& entry);

// The bytes written for the entry whose 32 bytes start at `entryOffset` in `image`.
ByteBuffer outputBytes(ByteView image, std::uint64_t entryOffset, const lif::DirectoryEntry& entry);

// Walks the directory in order: an entry line for every slot that holds a file, then its
// output to `sink`. An output that cannot be stored is reported on standard error and the
// walk goes on. Returns true when every output was stored.
bool walkDirectory(ByteView image, Console& console, OutputSink& sink);

}  // namespace lifcard::diskpeel
