// Hostile inputs run through the built programs: volumes, LIF files and text files made to
// hurt. Each run must end within a second, write nothing outside its directory, leave no
// temporary file, and give the result the suite promises for it.
#include <sys/stat.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <functional>

#include "tests/magstrip/card_decoder.hpp"
#include "tests/support/lif_assembler.hpp"
#include "tests/support/program_runner.hpp"

namespace lifcard::testing {
namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;
using Files = std::map<std::string, std::string>;

std::string diskpeel() {
    return programUnderTest(DISKPEEL_PROGRAM, "LIFCARD_DISKPEEL");
}
std::string magstrip() {
    return programUnderTest(MAGSTRIP_PROGRAM, "LIFCARD_MAGSTRIP");
}

// A full volume image whose bytes past the header are all 0xFF, with DirectoryBlocks
// 0xFFFFFFFF: every slot up to the image end has type 0xFFFF.
ByteBuffer volumeOfUnusedSlots() {
    ByteBuffer image = VolumeAssembler().build();
    image.resize(630784);
    std::fill(image.begin() + 2 * std::ptrdiff_t{256}, image.end(), 0xFF);
    std::fill_n(image.begin() + 16, 4, 0xFF);  // DirectoryBlocks
    return image;
}

// Three entries whose bodies overlap one another and the volume's own header and directory.
ByteBuffer volumeOfOverlappingBodies() {
    VolumeAssembler volume;
    volume.addFile("SOURCE", 0xE21C, ByteBuffer(512, 0xA5));  // blocks 3 and 4
    auto whole = makeEntry("WHOLE", 0xE21C);
    whole.fileLength = 5;  // blocks 0 to 4: header, directory and SOURCE
    volume.addSlot(whole);
    auto inner = makeEntry("INNER", 0xE214);
    inner.startRecord = 2;  // the directory itself and the first block of SOURCE
    inner.fileLength = 2;
    volume.addSlot(inner);
    return volume.build();
}

// The bytes [first, last) of a buffer, as text.
std::string slice(const ByteBuffer& bytes, std::size_t first, std::size_t last) {
    return {bytes.begin() + static_cast<std::ptrdiff_t>(first),
            bytes.begin() + static_cast<std::ptrdiff_t>(last)};
}

// The 32 bytes of slot `index` of a volume whose directory starts at block 2.
std::string slot(const ByteBuffer& volume, std::size_t index) {
    const std::size_t offset = 2 * std::size_t{256} + index * 32;
    return slice(volume, offset, offset + 32);
}

// A LIF file whose entry announces `implementationBytes`, with a short body.
std::string announcing(std::uint16_t fileType, std::array<std::uint8_t, 4> implementationBytes) {
    return asText(lifFile(makeEntry("HUGE", fileType, implementationBytes), ByteBuffer(64, 0x11)));
}

// The track data of the card image `file`, or a note that it does not read as a card.
std::string trackData(const std::string& file) {
    const auto card = decodeCard(bytesOf(file));
    return card ? asText(trackDataOf(*card)) : "<not a card>";
}

struct Case {
    std::string_view name;
    std::function<std::string()> program;
    std::vector<std::string> arguments;
    Files inputs;
    int exitStatus = 0;
    std::string outputEnd;  // what standard output ends with
    // The files the run leaves beside its inputs; a card image is given by its track data.
    Files outputs;
};

TEST(HostileInputs, EndQuicklyInsideTheirDirectory) {
    const ByteBuffer overlapping = volumeOfOverlappingBodies();
    VolumeAssembler blankNames;
    blankNames.addFile("          ", 0x0001, textBody({"BLANK"}));
    blankNames.addFile("\0\t\r\n \x1F\0\0\0\0"s, 0xE214, ByteBuffer(256, 2));
    const ByteBuffer blanks = blankNames.build();
    VolumeAssembler collidingNames;
    collidingNames.addFile("A/B", 0xE214, ByteBuffer(256, 1));
    collidingNames.addFile("A\0B"s, 0xE214, ByteBuffer(256, 2));
    collidingNames.addFile("A_B", 0xE214, ByteBuffer(256, 3));
    const ByteBuffer colliding = collidingNames.build();
    const std::string tooLarge = " File Too Large!\r\n";

    const Case cases[] = {
        {"every slot of type 0xFFFF",
         diskpeel,
         {"V.LIF"},
         {{"V.LIF", asText(volumeOfUnusedSlots())}},
         0,
         "DirectoryBlocks  = FFFFFFFF\r\n"
         "VersionNumber    = 0001\r\n"
         "TracksPerSurface = 004D\r\n"
         "NumberOfSurfaces = 0002\r\n"
         "BlocksPerTrack   = 0010\r\n"
         "\r\nConverting files ...\r\n\r\n",
         {}},
        {"overlapping bodies, the volume's own blocks included",
         diskpeel,
         {"V.LIF"},
         {{"V.LIF", asText(overlapping)}},
         0,
         "SOURCE     (E21C)\r\nWHOLE      (E21C)\r\nINNER      (E214)\r\n",
         {{"SOURCE.ROM", std::string(512, '\xA5')},
          {"WHOLE.ROM", slice(overlapping, 0, 5 * std::size_t{256})},
          {"INNER.BAS",
           slot(overlapping, 2) + slice(overlapping, 2 * std::size_t{256}, 4 * std::size_t{256})}}},
        {"names made of blanks and control bytes",
         diskpeel,
         {"V.LIF"},
         {{"V.LIF", asText(blanks)}},
         0,
         "          (0001)\r\n\0\t\r\n \x1F\0\0\0\0 (E214)\r\n"s,
         {{".TXT", "BLANK\r\n"}, {".BAS", slot(blanks, 1) + std::string(256, '\x02')}}},
        {"entries that collide once made plain: the last one stays",
         diskpeel,
         {"V.LIF"},
         {{"V.LIF", asText(colliding)}},
         0,
         "A/B        (E214)\r\nA\0B        (E214)\r\nA_B        (E214)\r\n"s,
         {{"A_B.BAS", slot(colliding, 2) + std::string(256, '\x03')}}},
        {"LIF file announcing 16 Mi nibbles",
         magstrip,
         {"HUGE.LIF"},
         {{"HUGE.LIF", announcing(0xE214, {0xFF, 0xFF, 0xFF, 0x00})}},
         1,
         tooLarge,
         {}},
        {"LIF file of 0xFFFF records of 0xFFFF bytes",
         magstrip,
         {"HUGE.LIF"},
         {{"HUGE.LIF", announcing(0xE0F0, {0xFF, 0xFF, 0xFF, 0xFF})}},
         1,
         tooLarge,
         {}},
        {"LIF file of records whose product passes 32 bits",
         magstrip,
         {"HUGE.LIF"},
         {{"HUGE.LIF", announcing(0xE0F1, {0x00, 0x80, 0x00, 0x80})}},
         1,
         tooLarge,
         {}},
        {"DATA file of 0xFFFF records",
         magstrip,
         {"HUGE.LIF"},
         {{"HUGE.LIF", announcing(0xE0D0, {0xFF, 0xFF, 0x00, 0x00})}},
         1,
         tooLarge,
         {}},
        {"text of one 70,000-byte line",
         magstrip,
         {"LONG.TXT"},
         {{"LONG.TXT", std::string(70000, 'L') + "\r\n"}},
         1,
         tooLarge,
         {}},
        {"text of only CR bytes: one empty line",
         magstrip,
         {"CR.TXT"},
         {{"CR.TXT", std::string(5000, '\r')}},
         0,
         "FileSize        = 00008 nibbles (4 bytes)\r\n\r\nTrack #1/1 done.\r\n",
         {{"CR.CRD", "\0\0\xFF\xFF"s}}},
        {"text of only Ctrl-Z: no lines",
         magstrip,
         {"EOF.TXT"},
         {{"EOF.TXT", std::string(5000, '\x1A')}},
         0,
         "FileSize        = 00004 nibbles (2 bytes)\r\n\r\nTrack #1/1 done.\r\n",
         {{"EOF.CRD", "\xFF\xFF\0\0"s}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScratchDirectory scratch;  // holds the run's directory and nothing else
        const std::string directory = "run";
        fs::create_directory(scratch / directory);
        for (const auto& [name, content] : c.inputs) {
            scratch.write(std::string(directory).append("/").append(name), content);
        }

        const auto start = std::chrono::steady_clock::now();
        const RunResult run = runProgram(c.program(), c.arguments, scratch / directory);
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));

        EXPECT_EQ(run.exitStatus, c.exitStatus) << run.error;
        EXPECT_TRUE(run.output.ends_with(c.outputEnd)) << run.output;
        Files files = scratch.contents();
        EXPECT_EQ(files.erase(directory), 1U);
        Files left;
        for (const auto& [path, content] : files) {
            const std::string name = path.substr(directory.size() + 1);
            EXPECT_TRUE(path.starts_with(directory + "/")) << "written outside: " << path;
            if (c.inputs.contains(name)) {
                EXPECT_EQ(content, c.inputs.at(name)) << "input changed";
            } else {
                left[name] = name.ends_with(".CRD") ? trackData(content) : content;
            }
        }
        EXPECT_EQ(left, c.outputs);  // no temporary file either
    }
}

// A FIFO as input is refused at once instead of blocking the run.
TEST(HostileInputs, AFifoAsInputIsRefusedWithoutWaiting) {
    if (underLauncher()) {
        GTEST_SKIP() << "FIFOs are a POSIX facility";
    }
    struct FifoCase {
        std::string_view name;
        std::function<std::string()> program;
        std::string outputEnd;
    };
    const FifoCase cases[] = {
        {"diskpeel", diskpeel, "Reading volume PIPE.LIF ... Unreadable!\r\n"},
        {"magstrip", magstrip, " Cannot Read File!\r\n"},
    };
    for (const FifoCase& c : cases) {
        SCOPED_TRACE(c.name);
        ScratchDirectory scratch;
        ASSERT_EQ(::mkfifo((scratch / "PIPE.LIF").c_str(), 0600), 0);
        const auto start = std::chrono::steady_clock::now();
        const RunResult run = runProgram(c.program(), {"PIPE.LIF"}, scratch.path());
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
        EXPECT_EQ(run.exitStatus, 1);
        EXPECT_TRUE(run.output.ends_with(c.outputEnd)) << run.output;
        std::vector<std::string> names;
        for (const auto& item : fs::directory_iterator(scratch.path())) {
            names.push_back(item.path().filename().string());
        }
        EXPECT_EQ(names, std::vector<std::string>{"PIPE.LIF"});
    }
}

}  // namespace
}  // namespace lifcard::testing
