// End-to-end runs of the built diskpeel in a fresh directory: exact console bytes, the files
// it leaves behind and its exit status.
#include <sys/file.h>
#include <sys/stat.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "tests/support/lif_assembler.hpp"
#include "tests/support/program_runner.hpp"
#include "tests/support/sample_volume.hpp"

namespace lifcard::testing {
namespace {

using namespace std::string_literals;
using Files = std::map<std::string, std::string>;

const std::string banner =
    "\r\nZARVO LIF Volume-to-File Converter\r\n"
    "lifcard 1.0 - HP-71 files between LIF volumes and cards\r\n\r\n";

std::string diskpeel() {
    return programUnderTest(DISKPEEL_PROGRAM, "LIFCARD_DISKPEEL");
}

// The console text of a run over a volume built with default header fields.
std::string reportFor(const std::string& volumeName, std::string_view label,
                      std::string_view directoryBlocks, std::string_view entryLines) {
    return banner + "Reading volume " + volumeName + " ... \r\n" +
           "VolumeID         = 8000\r\n"
           "VolumeLabel      = " +
           std::string(label) +
           "\r\n"
           "DirectoryStart   = 0002\r\n"
           "System3000ID     = 1000\r\n"
           "DirectoryBlocks  = " +
           std::string(directoryBlocks) +
           "\r\n"
           "VersionNumber    = 0001\r\n"
           "TracksPerSurface = 004D\r\n"
           "NumberOfSurfaces = 0002\r\n"
           "BlocksPerTrack   = 0010\r\n"
           "\r\nConverting files ...\r\n\r\n" +
           std::string(entryLines);
}

// The directory's files other than the volume itself.
Files outputsIn(const ScratchDirectory& scratch, const std::string& volumeName) {
    Files files = scratch.contents();
    files.erase(volumeName);
    return files;
}

TEST(DiskpeelRun, RefusesWithoutAVolume) {
    struct Case {
        std::string_view name;
        std::vector<std::string> arguments;
        std::string want;
    };
    const Case cases[] = {
        {"no argument", {}, banner + "Usage: DISKPEEL <VOLUME.LIF>\r\n"},
        {"only empty arguments", {"", ""}, banner + "Usage: DISKPEEL <VOLUME.LIF>\r\n"},
        {"no such file", {"NOPE.LIF"}, banner + "Reading volume NOPE.LIF ... Nonexistent!\r\n"},
        {"a name with a blank is one argument",
         {"NO SUCH.LIF"},
         banner + "Reading volume NO SUCH.LIF ... Nonexistent!\r\n"},
        {"a directory", {"SUB"}, banner + "Reading volume SUB ... Nonexistent!\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScratchDirectory scratch;
        std::filesystem::create_directory(scratch / "SUB");
        const RunResult run = runProgram(diskpeel(), c.arguments, scratch.path());
        EXPECT_EQ(run.output, c.want);
        EXPECT_EQ(run.error, "");
        EXPECT_EQ(run.exitStatus, 0);
        EXPECT_EQ(scratch.contents(), (Files{{"SUB", "<dir>"}}));
    }
}

TEST(DiskpeelRun, UnpacksTheSampleVolume) {
    ScratchDirectory scratch;
    scratch.write("SAMPLE.LIF", sampleVolume());
    // An empty argument before the name does not count.
    const RunResult run = runProgram(diskpeel(), {"", "SAMPLE.LIF", "ignored"}, scratch.path());
    EXPECT_EQ(run.output, reportFor("SAMPLE.LIF", "SAMPLE", "0001",
                                    "NOTES      (0001)\r\n"
                                    "HELLO      (E214)\r\n"
                                    "MY FILE    (E214)\r\n"
                                    "KEYWORDS   (E208)\r\n"
                                    "SYSROM     (E21C)\r\n"
                                    "SCORES     (E0F0)\r\n"));
    EXPECT_EQ(run.error, "");
    EXPECT_EQ(run.exitStatus, 0);
    const Files files = outputsIn(scratch, "SAMPLE.LIF");
    std::vector<std::pair<std::string, std::size_t>> sizes;
    for (const auto& [name, bytes] : files) {
        sizes.emplace_back(name, bytes.size());
    }
    EXPECT_EQ(sizes, (std::vector<std::pair<std::string, std::size_t>>{{"HELLO.BAS", 32 + 256},
                                                                       {"KEYWORDS.LEX", 32 + 512},
                                                                       {"MY FILE.BAS", 32 + 256},
                                                                       {"NOTES.TXT", 41},
                                                                       {"SCORES.DAT", 32 + 256},
                                                                       {"SYSROM.ROM", 512}}));
    EXPECT_EQ(files.at("NOTES.TXT"), "HP-71 NOTES\r\n10 DISP \"HELLO\"\r\n\r\nTHE END\r\n");
}

TEST(DiskpeelRun, BundledSampleIsTheAssemblersVolume) {
    std::ifstream bundled(SAMPLE_VOLUME, std::ios::binary);
    const ByteBuffer bytes(std::istreambuf_iterator<char>(bundled), {});
    EXPECT_EQ(bytes, sampleVolume()) << "regenerate examples/SAMPLE.LIF with make_sample";
}

TEST(DiskpeelRun, ConvertsAReadOnlyVolume) {
    ScratchDirectory scratch;
    VolumeAssembler volume;
    volume.addFile("GAME", 0xE214, ByteBuffer(256, 7));
    scratch.write("RO.LIF", volume.build());
    std::filesystem::permissions(scratch / "RO.LIF", std::filesystem::perms::owner_read |
                                                         std::filesystem::perms::group_read);
    const RunResult run = runProgram(diskpeel(), {"RO.LIF"}, scratch.path());
    EXPECT_EQ(run.exitStatus, 0);
    EXPECT_EQ(outputsIn(scratch, "RO.LIF").at("GAME.BAS").size(), 32U + 256U);
}

TEST(DiskpeelRun, UnreadableVolumeWritesNothing) {
    if (underLauncher()) {
        GTEST_SKIP() << "/proc is a POSIX facility";
    }
    ScratchDirectory scratch;
    const RunResult run = runProgram(diskpeel(), {"/proc/self/mem"}, scratch.path());
    EXPECT_EQ(run.output, banner + "Reading volume /proc/self/mem ... Unreadable!\r\n");
    EXPECT_EQ(run.error, "");
    EXPECT_EQ(run.exitStatus, 1);
    EXPECT_TRUE(scratch.contents().empty());
}

TEST(DiskpeelRun, UsesAVolumeLongerThanADiskWhole) {
    ScratchDirectory scratch;
    VolumeAssembler volume;
    volume.addFile("FIRST", 0xE21C, ByteBuffer(256, 1));
    volume.addSlot(makeEntry("BIG", 0xE21C)).startRecord = 2464;  // the first block past a disk
    ByteBuffer image = volume.build();
    image.resize(630784, 0);
    image.insert(image.end(), 1024, 0x5A);
    // FileLength 4 blocks, the body lies wholly past 630,784 bytes.
    image[2 * 256 + 32 + 19] = 4;
    scratch.write("BIG.LIF", image);
    const RunResult run = runProgram(diskpeel(), {"BIG.LIF"}, scratch.path());
    EXPECT_EQ(run.exitStatus, 0);
    const Files files = outputsIn(scratch, "BIG.LIF");
    EXPECT_EQ(files.at("BIG.ROM"), std::string(1024, '\x5A'));
}

TEST(DiskpeelRun, HostileDirectoryStaysInsideTheImageAndTheDirectory) {
    ScratchDirectory scratch;
    VolumeAssembler volume;
    auto farAway = makeEntry("FAR", 0xE214);
    farAway.startRecord = 0xFFFFFFFF;
    farAway.fileLength = 0xFFFFFFFF;
    volume.addSlot(farAway);
    auto pastEnd = makeEntry("TAIL", 0x0001);
    pastEnd.startRecord = 2463;
    pastEnd.fileLength = 0xFFFFFFFF;
    volume.addSlot(pastEnd);
    volume.addFile("../../UP", 0xE214, ByteBuffer{});
    volume.addFile("/ETC/X", 0xE21C, ByteBuffer(256, 1));
    volume.addSlot(makeEntry("A\0B\xFF"s, 0xE20E));
    volume.addFile("SAME", 0xE214, ByteBuffer(256, 1));
    volume.addFile("SAME", 0xE215, ByteBuffer(256, 2));
    scratch.write("EVIL.LIF", volume.build());
    std::filesystem::create_directory(scratch / "ETC");

    const RunResult run = runProgram(diskpeel(), {"EVIL.LIF"}, scratch.path());
    EXPECT_EQ(run.exitStatus, 0);
    EXPECT_EQ(run.error, "");
    EXPECT_TRUE(
        run.output.ends_with("FAR        (E214)\r\n"
                             "TAIL       (0001)\r\n"
                             "../../UP   (E214)\r\n"
                             "/ETC/X     (E21C)\r\n"
                             "A\0B\xFF       (E20E)\r\n"
                             "SAME       (E214)\r\n"
                             "SAME       (E215)\r\n"s))
        << run.output;
    Files files = outputsIn(scratch, "EVIL.LIF");
    EXPECT_EQ(files.at("FAR.BAS").size(), 32U);
    // Block 2463 is the last of the image: 128 empty records, cut at the image end.
    EXPECT_EQ(files.at("TAIL.TXT"), [] {
        std::string lines;
        for (int i = 0; i < 128; ++i) {
            lines += "\r\n";
        }
        return lines;
    }());
    EXPECT_EQ(files.at(".._.._UP.BAS").size(), 32U);
    EXPECT_EQ(files.at("_ETC_X.ROM"), std::string(256, '\x01'));
    // Windows maps name bytes of 0x80 and above through the ANSI code page (1252 under Wine's
    // default locale) and Wine keeps the name in UTF-8 on the host: 0xFF arrives as C3 BF.
    EXPECT_EQ(files.at(underLauncher() ? "A_B\xC3\xBF.UFO" : "A_B\xFF.UFO").size(), 32U);
    EXPECT_EQ(files.at("SAME.BAS").substr(32), std::string(256, '\x02'));
    EXPECT_EQ(files.at("ETC"), "<dir>");
    EXPECT_EQ(files.size(), 7U);
}

TEST(DiskpeelRun, OutputNamesKeepOnlyWhatTheHostTakesInAPlainName) {
    // On Windows "\\" and ":" would lead out of the current directory and "*?\"<>|" and control
    // bytes are refused; elsewhere only "/" and NUL are.
    ScratchDirectory scratch;
    VolumeAssembler volume;
    volume.addFile("C:\\WIN", 0xE214, ByteBuffer{});
    volume.addFile("A*?\"<>|", 0xE214, ByteBuffer{});
    volume.addFile("TAB\tIN", 0xE214, ByteBuffer{});
    scratch.write("V.LIF", volume.build());

    const RunResult run = runProgram(diskpeel(), {"V.LIF"}, scratch.path());
    EXPECT_EQ(run.exitStatus, 0);
    EXPECT_EQ(run.error, "");
    std::vector<std::string> names;
    for (const auto& [name, bytes] : outputsIn(scratch, "V.LIF")) {
        names.push_back(name);
    }
    const std::vector<std::string> want =
        underLauncher() ? std::vector<std::string>{"A______.BAS", "C__WIN.BAS", "TAB_IN.BAS"}
                        : std::vector<std::string>{"A*?\"<>|.BAS", "C:\\WIN.BAS", "TAB\tIN.BAS"};
    EXPECT_EQ(names, want);
}

TEST(DiskpeelRun, ReplacesALinkWithoutFollowingIt) {
    if (underLauncher()) {
        GTEST_SKIP() << "symbolic links are a POSIX facility here";
    }
    ScratchDirectory scratch;
    VolumeAssembler volume;
    volume.addFile("GAME", 0xE214, ByteBuffer(256, 9));
    scratch.write("V.LIF", volume.build());
    scratch.write("TARGET", "precious"s);
    std::filesystem::create_symlink("TARGET", scratch / "GAME.BAS");

    const RunResult run = runProgram(diskpeel(), {"V.LIF"}, scratch.path());
    EXPECT_EQ(run.exitStatus, 0);
    EXPECT_FALSE(std::filesystem::is_symlink(scratch / "GAME.BAS"));
    EXPECT_EQ(scratch.read("GAME.BAS")->size(), 32U + 256U);
    EXPECT_EQ(asText(*scratch.read("TARGET")), "precious");
}

TEST(DiskpeelRun, OutputsThatCannotBeWrittenAreReportedAndTheWalkGoesOn) {
    ScratchDirectory scratch;
    VolumeAssembler volume;
    volume.addFile("TAKEN", 0xE214, ByteBuffer(256, 1));
    volume.addFile("LATER", 0xE214, ByteBuffer(256, 2));
    scratch.write("V.LIF", volume.build());
    std::filesystem::create_directory(scratch / "TAKEN.BAS");

    const RunResult run = runProgram(diskpeel(), {"V.LIF"}, scratch.path());
    EXPECT_EQ(run.output,
              reportFor("V.LIF", "HPLIF ", "0001", "TAKEN      (E214)\r\nLATER      (E214)\r\n"));
    EXPECT_TRUE(run.error.starts_with("diskpeel: cannot write TAKEN.BAS: ")) << run.error;
    EXPECT_TRUE(run.error.ends_with("\r\n"));
    EXPECT_EQ(run.exitStatus, 1);
    const Files files = outputsIn(scratch, "V.LIF");
    EXPECT_EQ(files.at("TAKEN.BAS"), "<dir>");
    EXPECT_EQ(files.at("LATER.BAS").size(), 32U + 256U);
    EXPECT_EQ(files.size(), 2U);  // no temporary file left behind
}

TEST(DiskpeelRun, AWriteThatFailsPartWayLeavesNoPartialFile) {
    if (underLauncher()) {
        GTEST_SKIP() << "file size limits are a POSIX facility";
    }
    ScratchDirectory scratch;
    VolumeAssembler volume;
    volume.addFile("SMALL", 0xE21C, ByteBuffer(256, 1));
    volume.addFile("HUGE", 0xE21C, ByteBuffer(8192, 2));
    volume.addFile("LAST", 0xE21C, ByteBuffer(256, 3));
    scratch.write("V.LIF", volume.build());
    scratch.write("HUGE.ROM", "old contents"s);

    const RunResult run =
        runProgram(diskpeel(), {"V.LIF"}, scratch.path(), RunOptions{.fileSizeLimit = 4096});
    EXPECT_EQ(run.error, "diskpeel: cannot write HUGE.ROM: File too large\r\n");
    EXPECT_EQ(run.exitStatus, 1);
    Files files = outputsIn(scratch, "V.LIF");
    EXPECT_EQ(files.at("HUGE.ROM"), "old contents");
    EXPECT_EQ(files.at("SMALL.ROM"), std::string(256, '\x01'));
    EXPECT_EQ(files.at("LAST.ROM"), std::string(256, '\x03'));
    EXPECT_EQ(files.size(), 3U);
}

}  // namespace
}  // namespace lifcard::testing
