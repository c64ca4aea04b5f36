// Faults injected around the built programs: a full disk, a vanished or impossible output
// directory. Each run must give its exit status and standard-error line, leave no partial or
// temporary file, and leave every file that existed before byte for byte as it was.
#include <gtest/gtest.h>

#include <filesystem>

#include "tests/support/lif_assembler.hpp"
#include "tests/support/program_runner.hpp"

namespace lifcard::testing {
namespace {

namespace fs = std::filesystem;
using Files = std::map<std::string, std::string>;

// A LIF file of one BASIC program of 8 bytes: its card image is 69 bytes.
const std::string demoLif =
    asText(lifFile(makeEntry("DEMO", 0xE214, {0x10, 0, 0, 0}), ByteBuffer(8, 0x42)));

TEST(FaultInjection, MagstripLeavesEveryExistingFileAsItWas) {
    if (underLauncher()) {
        GTEST_SKIP() << "file size limits and error texts are POSIX ones here";
    }
    struct Case {
        std::string_view name;
        std::vector<std::string> arguments;
        Files before;
        RunOptions options;
        std::string error;
    };
    const Case cases[] = {
        {"the disk fills up while the card replaces its own input",
         {"DEMO.CRD"},
         {{"DEMO.CRD", demoLif}},
         {.fileSizeLimit = 40},
         "magstrip: cannot write DEMO.CRD: File too large\r\n"},
        {"the output's directory part names a file",
         {"DEMO.LIF", "DEMO.LIF/OUT.CRD"},
         {{"DEMO.LIF", demoLif}},
         {},
         "magstrip: cannot write DEMO.LIF/OUT.CRD: Not a directory\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScratchDirectory scratch;
        for (const auto& [name, content] : c.before) {
            scratch.write(name, content);
        }
        const RunResult run = runProgram(programUnderTest(MAGSTRIP_PROGRAM, "LIFCARD_MAGSTRIP"),
                                         c.arguments, scratch.path(), c.options);
        EXPECT_TRUE(run.output.ends_with("Track #1/1 done.\r\n")) << run.output;
        EXPECT_EQ(run.error, c.error);
        EXPECT_EQ(run.exitStatus, 1);
        EXPECT_EQ(scratch.contents(), c.before);
    }
}

// The current directory is removed before diskpeel starts: every output fails to be created,
// each is reported, the walk still reaches the end, and nothing appears anywhere.
TEST(FaultInjection, DiskpeelInAVanishedDirectoryReportsEveryOutput) {
    if (underLauncher()) {
        GTEST_SKIP() << "removing the working directory of a running program is POSIX only";
    }
    ScratchDirectory scratch;
    VolumeAssembler volume;
    volume.addFile("GAME", 0xE214, ByteBuffer(256, 1));
    volume.addFile("NOTES", 0x0001, textBody({"HI"}));
    const ByteBuffer image = volume.build();
    scratch.write("V.LIF", image);
    fs::create_directory(scratch / "gone");

    const RunResult run = runProgram(
        "/bin/sh",
        {"-c", "cd gone && rmdir ../gone && exec \"$0\" \"$1\"",
         programUnderTest(DISKPEEL_PROGRAM, "LIFCARD_DISKPEEL"), (scratch / "V.LIF").string()},
        scratch.path());
    EXPECT_TRUE(run.output.ends_with("GAME       (E214)\r\nNOTES      (0001)\r\n")) << run.output;
    EXPECT_EQ(run.error,
              "diskpeel: cannot write GAME.BAS: No such file or directory\r\n"
              "diskpeel: cannot write NOTES.TXT: No such file or directory\r\n");
    EXPECT_EQ(run.exitStatus, 1);
    EXPECT_EQ(scratch.contents(), (Files{{"V.LIF", asText(image)}}));
}

}  // namespace
}  // namespace lifcard::testing
