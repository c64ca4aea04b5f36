// The properties of the three program cores, each checked against an independent reading of
// the input: the slot count of the directory, the body length rules, the text-line rules and
// the card layout are worked out here again rather than taken from the code under test.
#include "fuzz/invariants.hpp"

#include <algorithm>
#include <array>
#include <string_view>
#include <utility>
#include <vector>

#include "common/console.hpp"
#include "diskpeel/extraction.hpp"
#include "headswap/header_swap.hpp"
#include "magstrip/card_writer.hpp"
#include "magstrip/lif_input.hpp"
#include "magstrip/text_input.hpp"
#include "tests/magstrip/card_decoder.hpp"

namespace lifcard::fuzzing {

namespace {

using namespace std::string_literals;

// Records every output; refuses those whose name has an odd length, so the failure path of
// the walk runs too.
class RecordingSink final : public diskpeel::OutputSink {
  public:
    Status store(const std::string& name, ByteView bytes) override {
        stored.emplace_back(name, bytes.size());
        if (name.size() % 2 != 0) {
            refusals += "diskpeel: cannot write " + name + ": refused\r\n";
            return Failure{"refused"};
        }
        return {};
    }
    std::vector<std::pair<std::string, std::size_t>> stored;
    std::string refusals;
};

bool isHexDigit(char character) {
    return (character >= '0' && character <= '9') || (character >= 'A' && character <= 'F');
}

// Takes `count` hexadecimal digits off the front of `text`; false when they are not there.
bool takeHexDigits(std::string_view& text, std::size_t count) {
    if (text.size() < count || !std::all_of(text.begin(), text.begin() + count, isHexDigit)) {
        return false;
    }
    text.remove_prefix(count);
    return true;
}

bool takeText(std::string_view& text, std::string_view expected) {
    if (!text.starts_with(expected)) {
        return false;
    }
    text.remove_prefix(expected.size());
    return true;
}

// The header report: nine labelled lines, the label as fixed text, the value 4 to 8 digits
// (6 characters as they stand for VolumeLabel), each ending in CR LF.
bool takeHeaderReport(std::string_view& text) {
    constexpr std::array<std::string_view, 9> labels{
        "VolumeID         = ", "VolumeLabel      = ", "DirectoryStart   = ",
        "System3000ID     = ", "DirectoryBlocks  = ", "VersionNumber    = ",
        "TracksPerSurface = ", "NumberOfSurfaces = ", "BlocksPerTrack   = "};
    for (const std::string_view label : labels) {
        if (!takeText(text, label)) {
            return false;
        }
        if (label.starts_with("VolumeLabel")) {
            if (text.size() < 6) {
                return false;
            }
            text.remove_prefix(6);
        } else {
            std::size_t digits = 0;
            while (digits < text.size() && isHexDigit(text[digits])) {
                ++digits;
            }
            if (digits < 4 || digits > 8 || !takeHexDigits(text, digits)) {
                return false;
            }
        }
        if (!takeText(text, "\r\n")) {
            return false;
        }
    }
    return true;
}

// An entry line: the 10 name bytes as they stand, " (", 4 hexadecimal digits, ")" and CR LF.
bool takeEntryLine(std::string_view& text) {
    if (text.size() < 10) {
        return false;
    }
    text.remove_prefix(10);
    return takeText(text, " (") && takeHexDigits(text, 4) && takeText(text, ")\r\n");
}

std::uint32_t bigEndian(ByteView bytes, std::uint64_t offset, std::size_t width) {
    return readBigEndian(bytes, offset, width).value_or(0);
}

// The slots of the directory that lie wholly inside the image and hold a file.
std::uint64_t slotsHoldingAFile(ByteView image) {
    const std::uint64_t start = std::uint64_t{bigEndian(image, 8, 4)} * 256;
    const std::uint64_t end = start + std::uint64_t{bigEndian(image, 16, 4)} * 256;
    std::uint64_t count = 0;
    for (std::uint64_t position = start; position < end && position + 32 <= image.size();
         position += 32) {
        const std::uint32_t type = bigEndian(image, position + 10, 2);
        count += type != 0x0000 && type != 0xFFFF ? 1 : 0;
    }
    return count;
}

// The text-line rules, read independently of the input path: LF ends a line, every CR is
// dropped, Ctrl-Z ends its line's text and ends the file where a line begins, a last line
// without LF counts.
std::vector<std::string> referenceLines(ByteView content) {
    std::vector<std::string> lines;
    std::size_t begin = 0;
    while (begin < content.size() && content[begin] != 0x1A) {
        const auto lineFeed = std::find(content.begin() + begin, content.end(), '\n');
        const std::size_t end = static_cast<std::size_t>(lineFeed - content.begin());
        std::string line;
        for (std::size_t i = begin; i < end && content[i] != 0x1A; ++i) {
            if (content[i] != '\r') {
                line.push_back(static_cast<char>(content[i]));
            }
        }
        lines.push_back(std::move(line));
        begin = end + 1;
    }
    return lines;
}

// The lines of a TEXT body, read up to its end marker; nothing when the body has none.
std::optional<std::vector<std::string>> linesOfTextBody(ByteView body) {
    std::vector<std::string> lines;
    for (std::size_t position = 0; position + 2 <= body.size();) {
        const std::uint32_t length = bigEndian(body, position, 2);
        if (length == 0xFFFF) {
            return lines;
        }
        position += 2;
        if (position + length > body.size()) {
            return std::nullopt;
        }
        lines.emplace_back(body.begin() + position, body.begin() + position + length);
        position += length + length % 2;
    }
    return std::nullopt;
}

// The card image of `source` and the track lines printed for it, checked field by field:
// T = R div 1300 + 1 tracks, ceil((42 + 79 T + R) / 2) bytes, every length field agreeing
// with what follows it, and the track data equal to `body`.
std::string checkCard(const magstrip::CardSource& source, ByteView body) {
    const std::uint32_t roundedSize = source.roundedSize;
    if (roundedSize % 8 != 0 || roundedSize > 131064 || source.fileSize > roundedSize ||
        roundedSize - source.fileSize >= 8 || 2 * source.bodyBytes != roundedSize) {
        return "inconsistent FileSize, RoundedSize and BodyBytes";
    }
    Console console(Console::Target::capture);
    const ByteBuffer image = magstrip::writeCardImage(source, console);
    const std::uint32_t tracks = roundedSize / 1300 + 1;
    if (image.size() != (42 + 79 * tracks + roundedSize + 1) / 2) {
        return "card length " + std::to_string(image.size()) + " for R " +
               std::to_string(roundedSize);
    }
    std::string trackLines;
    for (std::uint32_t track = 1; track <= tracks; ++track) {
        trackLines +=
            "Track #" + std::to_string(track) + "/" + std::to_string(tracks) + " done.\r\n";
    }
    if (console.output() != trackLines) {
        return "track lines: " + console.output();
    }
    const auto card = testing::decodeCard(image);
    if (!card || card->objectHeader != (source.hp49Target ? "HPHP49-B" : "HPHP48-R") ||
        card->prolog != 0x02A2C || card->magic != "ZARVOCRD" ||
        card->stringLength != 21 + 79 * tracks + roundedSize || card->tracks.size() != tracks) {
        return "card frame does not read back";
    }
    for (std::uint32_t i = 0; i < tracks; ++i) {
        const testing::DecodedTrack& track = card->tracks[i];
        if (track.fixedOne != 1 || track.trackNumber != i + 1 || track.trackCount != tracks ||
            track.trackBytes != track.data.size() ||
            track.trackLength != 76 + 2 * track.trackBytes || track.bodyBytes != source.bodyBytes ||
            track.fileType != source.fileType || !track.zeroFieldsClear) {
            return "track " + std::to_string(i + 1) + " fields disagree";
        }
    }
    const ByteBuffer data = testing::trackDataOf(*card);
    if (!std::equal(data.begin(), data.end(), body.begin(), body.end())) {
        return "track data differs from the body";
    }
    return {};
}

// The body length in nibbles that a LIF entry announces, in 64 bits.
std::uint64_t announcedNibbles(ByteView file) {
    const std::uint32_t type = bigEndian(file, 10, 2);
    const std::uint64_t low = file[28] + 256U * file[29];
    const std::uint64_t high = file[30] + 256U * file[31];
    if (type == 0xE0D0) {
        return low * 16;
    }
    if (type == 0xE0F0 || type == 0xE0F1) {
        return low * high * 2;
    }
    return low + 65536 * file[30];
}

}  // namespace

std::string checkVolumeExtraction(ByteView volume) {
    const ByteBuffer image = diskpeel::volumeImage(ByteBuffer(volume.begin(), volume.end()));
    Console console(Console::Target::capture);
    RecordingSink sink;
    diskpeel::printHeaderReport(console, image);
    const bool allStored = diskpeel::walkDirectory(image, console, sink);
    if (allStored != sink.refusals.empty() || console.error() != sink.refusals) {
        return "refused outputs reported as: " + console.error();
    }
    for (const auto& [name, size] : sink.stored) {
        if (name.empty() || name == "." || name == ".." ||
            name.find_first_of("/\0"s) != std::string::npos) {
            return "output name not plain: " + name;
        }
        if (size > image.size() + 32) {
            return "output " + name + " of " + std::to_string(size) + " bytes";
        }
    }
    if (sink.stored.size() > slotsHoldingAFile(image)) {
        return "more outputs than slots holding a file";
    }
    std::string_view text = console.output();
    if (!takeHeaderReport(text)) {
        return "malformed header report";
    }
    std::size_t entryLines = 0;
    for (; !text.empty(); ++entryLines) {
        if (!takeEntryLine(text)) {
            return "malformed entry line";
        }
    }
    return entryLines == sink.stored.size() ? "" : "entry lines and outputs differ in number";
}

std::string checkLifFileCard(ByteView file) {
    Console console(Console::Target::capture);
    Result<magstrip::CardSource> source = magstrip::loadLifFile(file, console);
    if (file.size() < 32) {
        return !source.ok() && source.failure().reason == "File Too Short" ? ""
                                                                           : "short file taken";
    }
    const std::uint64_t fileSize = announcedNibbles(file);
    const std::string_view want = bigEndian(file, 10, 2) == 0x0001  ? "Invalid File Type"
                                  : (fileSize + 7) / 8 * 8 > 131064 ? "File Too Large"
                                                                    : "";
    if (!source.ok() || !want.empty()) {
        const std::string got = source.ok() ? "a card" : source.failure().reason;
        return got == want ? "" : "got " + got + ", want " + std::string(want);
    }
    if (source.value().fileSize != fileSize) {
        return "FileSize " + std::to_string(source.value().fileSize);
    }
    source.value().hp49Target = file.size() % 2 != 0;
    ByteBuffer body(
        file.begin() + 32,
        file.begin() + std::min<std::size_t>(file.size(), 32 + source.value().bodyBytes));
    body.resize(source.value().bodyBytes, 0);
    return checkCard(source.value(), body);
}

std::string checkTextFileCard(ByteView content) {
    Console console(Console::Target::capture);
    Result<magstrip::CardSource> source = magstrip::loadTextFile(content, "FUZZ.TXT", console);
    const std::vector<std::string> lines = referenceLines(content);
    std::size_t bodySize = 2;  // the end marker
    for (const std::string& line : lines) {
        bodySize += 2 + line.size() + line.size() % 2;
    }
    if (bodySize > 65532 || !source.ok()) {
        const bool refused = !source.ok() && source.failure().reason == "File Too Large";
        return refused == (bodySize > 65532) ? ""
                                             : "refusal for a body of " + std::to_string(bodySize);
    }
    if (source.value().fileSize != 2 * bodySize) {
        return "FileSize " + std::to_string(source.value().fileSize);
    }
    const auto readBack = linesOfTextBody(source.value().bodyBuffer);
    if (!readBack || *readBack != lines) {
        return "the TEXT body does not give back the lines";
    }
    return checkCard(source.value(), source.value().bodyBuffer);
}

std::string checkHeaderSwap(ByteView content) {
    const ByteBuffer once = headswap::swappedContent(content);
    const bool grown = content.size() == 7 && once.size() == 8;
    if ((once.size() != content.size() && !grown) ||
        (content.size() > 8 && !std::equal(content.begin() + 8, content.end(), once.begin() + 8))) {
        return "bytes past the header changed";
    }
    const std::string before(content.begin(),
                             content.begin() + std::min<std::size_t>(content.size(), 8));
    const std::string after(once.begin(), once.begin() + std::min<std::size_t>(once.size(), 8));
    const std::string_view want = before.starts_with("HPHP48-")   ? "HPHP49-B"
                                  : before.starts_with("HPHP49-") ? "HPHP48-R"
                                                                  : std::string_view(before);
    if (after != want) {
        return "header became " + after;
    }
    if ((before == "HPHP48-R" || before == "HPHP49-B") &&
        headswap::swappedContent(once) != ByteBuffer(content.begin(), content.end())) {
        return "swapping twice does not restore the file";
    }
    return {};
}

}  // namespace lifcard::fuzzing
