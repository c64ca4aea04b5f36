// Building the card image in a nibble stream and packing it into bytes.
#include "magstrip/card_writer.hpp"

#include <algorithm>
#include <string>

#include "common/object_header.hpp"

namespace lifcard::magstrip {

namespace {

constexpr std::uint32_t stringProlog = 0x02A2C;
constexpr std::string_view cardMagic = "ZARVOCRD";
// StringLength counts its own 5 nibbles and the 16 of the card magic before the tracks.
constexpr std::uint32_t stringLengthBeforeTracks = 21;
// TrackLength counts the track's nibbles after its own 3-nibble field.
constexpr std::uint32_t trackLengthBesidesData = 76;
constexpr std::size_t fileNameCharactersPerTrack = 8;

// The first 8 characters of FileName, padded with blanks should it be shorter.
std::string trackFileName(const std::string& fileName) {
    std::string name = fileName.substr(0, fileNameCharactersPerTrack);
    name.resize(fileNameCharactersPerTrack, ' ');
    return name;
}

}  // namespace

void NibbleStream::appendNibbles(std::uint32_t value, int count) {
    for (int i = 0; i < count; ++i) {
        cells_.push_back(static_cast<std::uint8_t>(value & 0xFU));
        value >>= 4U;
    }
}

void NibbleStream::appendString(std::string_view text) {
    for (const char character : text) {
        const auto code = static_cast<std::uint8_t>(character);
        appendNibbles(code, 2);
    }
}

ByteBuffer NibbleStream::packed() const {
    ByteBuffer bytes((cells_.size() + 1) / 2, 0);
    for (std::size_t k = 0; k < cells_.size(); ++k) {
        bytes[k / 2] |= static_cast<std::uint8_t>(cells_[k] << ((k % 2) * 4U));
    }
    return bytes;
}

ByteBuffer writeCardImage(const CardSource& source, Console& console) {
    const std::uint32_t roundedSize = source.roundedSize;
    const std::uint32_t trackCount = trackCountFor(roundedSize);
    const std::string fileName = trackFileName(source.fileName);

    NibbleStream stream;
    stream.appendString(objectHeaderFor(source.hp49Target));
    stream.appendNibbles(stringProlog, 5);
    stream.appendNibbles(stringLengthBeforeTracks + trackOverheadNibbles * trackCount + roundedSize,
                         5);
    stream.appendString(cardMagic);

    std::uint32_t nibblesToPlace = roundedSize;
    std::size_t bodyIndex = 0;  // runs on from one track to the next
    for (std::uint32_t track = 1; track <= trackCount; ++track) {
        const std::uint32_t dataNibbles = std::min(nibblesToPlace, fullTrackNibbles);
        const std::uint32_t trackBytes = dataNibbles / 2;
        stream.appendNibbles(dataNibbles + trackLengthBesidesData, 3);  // TrackLength
        stream.appendNibbles(1, 2);                                     // FixedOne
        stream.appendNibbles(track, 2);                                 // TrackNumber
        stream.appendNibbles(trackCount, 2);                            // TrackCount
        stream.appendNibbles(trackBytes, 4);                            // TrackBytes
        stream.appendNibbles(source.bodyBytes, 4);                      // BodyBytes
        stream.appendNibbles(source.fileType, 4);                       // FileType
        stream.appendNibbles(0, 8);
        stream.appendString(fileName);
        for (const std::uint8_t byte : source.implementationBytes) {
            stream.appendNibbles(byte, 2);
        }
        for (const int width : {4, 2, 4, 4, 4, 2, 2}) {
            stream.appendNibbles(0, width);
        }
        for (std::uint32_t i = 0; i < trackBytes; ++i, ++bodyIndex) {
            // Bytes past the buffer are the zeros that complete the body to BodyBytes.
            const std::uint8_t byte =
                bodyIndex < source.bodyBuffer.size() ? source.bodyBuffer[bodyIndex] : 0;
            stream.appendNibbles(byte, 2);
        }
        nibblesToPlace -= dataNibbles;
        stream.appendNibbles(0, 4);  // closing zero
        console.line("Track #" + decimal(track) + "/" + decimal(trackCount) + " done.");
    }
    return stream.packed();
}

}  // namespace lifcard::magstrip
