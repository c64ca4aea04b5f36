// Building a TEXT body from the lines of a text file.
#include "magstrip/text_input.hpp"

#include "common/names.hpp"
#include "common/text_lines.hpp"
#include "lif/text_body.hpp"

namespace lifcard::magstrip {

namespace {

constexpr std::size_t reportWidth = 18;
constexpr std::size_t shortestFileName = 10;
constexpr std::uint16_t textFileType = 0x0001;
constexpr std::size_t recordLengthBytes = 2;
constexpr std::size_t endMarkerBytes = 2;

// The bytes a line's record takes: its length field, its characters, a pad byte when odd.
std::size_t recordBytes(std::size_t lineLength) {
    return recordLengthBytes + lineLength + (lineLength & 1U);
}

}  // namespace

std::string textFileNameFor(std::string_view inputName) {
    std::string name = upperCase(fileNamePart(inputName));
    if (const auto dot = name.rfind('.'); dot != std::string::npos) {
        name.resize(dot);
    }
    if (name.size() < shortestFileName) {
        name.resize(shortestFileName, ' ');
    }
    return name;
}

Result<CardSource> loadTextFile(ByteView content, std::string_view inputName, Console& console) {
    CardSource source;
    source.fileName = textFileNameFor(inputName);
    source.fileType = textFileType;
    console.line(reportLabel("FileName", reportWidth) + source.fileName);
    console.line(reportLabel("FileType", reportWidth) + hexadecimal(source.fileType, 4));

    // Checking each record with room for the end marker keeps every length below 0xFFFF, so
    // no record length can wrap or read as the end marker.
    ByteBuffer& body = source.bodyBuffer;
    for (const std::string& line : splitTextLines(content)) {
        if (body.size() + recordBytes(line.size()) + endMarkerBytes > largestBodyBytes) {
            return Failure{"File Too Large"};
        }
        lif::appendTextRecord(body, line);
    }
    lif::appendTextEndMarker(body);
    setBodyLength(source, static_cast<std::uint32_t>(2 * body.size()));
    return source;
}

}  // namespace lifcard::magstrip
