// End-to-end runs of the built magstrip in a fresh directory: exact console bytes, the files
// it leaves behind and its exit status; and the road from a volume through diskpeel to a card.
#include <gtest/gtest.h>

#include <filesystem>

#include "tests/magstrip/card_decoder.hpp"
#include "tests/magstrip/worked_example.hpp"
#include "tests/support/lif_assembler.hpp"
#include "tests/support/program_runner.hpp"

namespace lifcard::testing {
namespace {

using namespace std::string_literals;
using Files = std::map<std::string, std::string>;

const std::string banner =
    "\r\nZARVO LIF to CRD File Converter\r\n"
    "lifcard 1.0 - HP-71 files between LIF volumes and cards\r\n\r\n";

const std::string abortReport =
    "Exception EAbort in module MAGSTRIP.EXE at 0040A7D4.\r\nOperation aborted.\r\n\r\n";

std::string magstrip() {
    return programUnderTest(MAGSTRIP_PROGRAM, "LIFCARD_MAGSTRIP");
}

std::string converting(std::string_view input, std::string_view output) {
    return banner + "Converting " + std::string(input) + " -> " + std::string(output) +
           " ... \r\n\r\n";
}

// The LIF file of the worked example, and the report lines it prints.
const std::string demoLif = [] {
    lif::DirectoryEntry entry = makeEntry("demo", 0xE214, {0x10, 0x00, 0x00, 0x00});
    entry.creationDate = {0x99, 0x12, 0x31, 0x23, 0x59, 0x00};
    return asText(lifFile(entry, workedExampleBody));
}();
const std::string demoReport =
    "FileName        = DEMO      \r\n"
    "FileType        = E214\r\n"
    "StartRecord     = 00000000\r\n"
    "FileLength      = 00000000\r\n"
    "CreationDate    = 991231235900\r\n"
    "VolumeNumber    = 0000\r\n"
    "FileSize        = 00010 nibbles (8 bytes)\r\n"
    "\r\n"
    "Track #1/1 done.\r\n";

void writeFiles(const ScratchDirectory& scratch, const Files& files) {
    for (const auto& [name, content] : files) {
        if (content == "<dir>") {
            std::filesystem::create_directories(scratch / name);
        } else {
            scratch.write(name, content);
        }
    }
}

TEST(MagstripRun, EndsEarlyWithoutAnInput) {
    struct Case {
        std::string_view name;
        std::vector<std::string> arguments;
        std::string want;
    };
    const std::string usage =
        banner + "Usage: MAGSTRIP [</49>|<-49>] <FILENAME.LIF> [<FILENAME.CRD>]\r\n";
    const Case cases[] = {
        {"no argument", {}, usage},
        {"only the switch", {"/49"}, usage},
        {"the switch and an empty argument", {"-49", ""}, usage},
        {"no such file", {"x.lif"}, banner + "Converting X.LIF -> X.CRD ... Nonexistent!\r\n"},
        {"a directory", {"SUB"}, banner + "Converting SUB -> SUB.CRD ... Nonexistent!\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScratchDirectory scratch;
        std::filesystem::create_directory(scratch / "SUB");
        const RunResult run = runProgram(magstrip(), c.arguments, scratch.path());
        EXPECT_EQ(run.output, c.want);
        EXPECT_EQ(run.error, "");
        EXPECT_EQ(run.exitStatus, 0);
        EXPECT_EQ(scratch.contents(), (Files{{"SUB", "<dir>"}}));
    }
}

TEST(MagstripRun, WritesTheCardImage) {
    struct Case {
        std::string_view name;
        std::vector<std::string> arguments;
        Files before;
        std::string wantOutput;
        Files after;
    };
    const std::string card48 = asText(workedExampleCard(false));
    const std::string card49 = asText(workedExampleCard(true));
    const std::string notes = "AB\r\nC\r\n";
    const std::string notesReport =
        "FileName        = NOTES     \r\n"
        "FileType        = 0001\r\n"
        "FileSize        = 00014 nibbles (10 bytes)\r\n"
        "\r\n"
        "Track #1/1 done.\r\n";
    const Case cases[] = {
        {"upper-case name",
         {"DEMO.LIF"},
         {{"DEMO.LIF", demoLif}},
         converting("DEMO.LIF", "DEMO.CRD") + demoReport,
         {{"DEMO.LIF", demoLif}, {"DEMO.CRD", card48}}},
        {"lower-case name of a lower-case file",
         {"demo.lif"},
         {{"demo.lif", demoLif}},
         converting("DEMO.LIF", "DEMO.CRD") + demoReport,
         {{"demo.lif", demoLif}, {"DEMO.CRD", card48}}},
        {"upper-case file found for a lower-case name",
         {"demo.lif"},
         {{"DEMO.LIF", demoLif}, {"demo.lif", "not a LIF file"}},
         converting("DEMO.LIF", "DEMO.CRD") + demoReport,
         {{"DEMO.LIF", demoLif}, {"demo.lif", "not a LIF file"}, {"DEMO.CRD", card48}}},
        {"HP 49 switch and an output name",
         {"/49", "DEMO.LIF", "card.out"},
         {{"DEMO.LIF", demoLif}},
         converting("DEMO.LIF", "CARD.OUT") + demoReport,
         {{"DEMO.LIF", demoLif}, {"CARD.OUT", card49}}},
        {"switch not in position 1 is the output name",
         {"DEMO.LIF", "-49", "ignored"},
         {{"DEMO.LIF", demoLif}},
         converting("DEMO.LIF", "-49") + demoReport,
         {{"DEMO.LIF", demoLif}, {"-49", card48}}},
        {"output equal to the input replaces it",
         {"DEMO.CRD"},
         {{"DEMO.CRD", demoLif}},
         converting("DEMO.CRD", "DEMO.CRD") + demoReport,
         {{"DEMO.CRD", card48}}},
        {"a directory part keeps its case",
         {"sub/demo.lif"},
         {{"sub", "<dir>"}, {"sub/demo.lif", demoLif}},
         converting("SUB/DEMO.LIF", "SUB/DEMO.CRD") + demoReport,
         {{"sub", "<dir>"}, {"sub/demo.lif", demoLif}, {"sub/DEMO.CRD", card48}}},
        {"an existing output is replaced",
         {"DEMO.LIF", "OLD.CRD"},
         {{"DEMO.LIF", demoLif}, {"OLD.CRD", std::string(1000, 'x')}},
         converting("DEMO.LIF", "OLD.CRD") + demoReport,
         {{"DEMO.LIF", demoLif}, {"OLD.CRD", card48}}},
        {"text input",
         {"-49", "notes.txt", "out.bin"},
         {{"notes.txt", notes}},
         converting("NOTES.TXT", "OUT.BIN") + notesReport,
         {{"notes.txt", notes}, {"OUT.BIN", ""}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScratchDirectory scratch;
        writeFiles(scratch, c.before);
        const RunResult run = runProgram(magstrip(), c.arguments, scratch.path());
        EXPECT_EQ(run.output, c.wantOutput);
        EXPECT_EQ(run.error, "");
        EXPECT_EQ(run.exitStatus, 0);
        Files after = scratch.contents();
        if (c.after.contains("OUT.BIN")) {
            // The text card is checked by its fields: HP 49 header and the TEXT body.
            const auto card = decodeCard(bytesOf(after["OUT.BIN"]));
            ASSERT_TRUE(card.has_value());
            EXPECT_EQ(card->objectHeader, "HPHP49-B");
            EXPECT_EQ(card->tracks.at(0).fileName, "NOTES   ");
            ByteBuffer wantData = textBody({"AB", "C"}, false);
            wantData.resize(12, 0);  // BodyBytes
            EXPECT_EQ(trackDataOf(*card), wantData);
            after["OUT.BIN"] = "";
        }
        EXPECT_EQ(after, c.after);
    }
}

TEST(MagstripRun, RefusesWithFailWith) {
    struct Case {
        std::string_view name;
        std::vector<std::string> arguments;
        Files inputs;
        std::string wantOutput;
        bool posixOnly = false;
    };
    auto textType = makeEntry("NOTES", 0x0001, {0x10, 0, 0, 0});
    textType.creationDate = {0x99, 0x12, 0x31, 0x23, 0x59, 0x00};
    const std::string entryLines =
        "FileName        = NOTES     \r\n"
        "FileType        = 0001\r\n"
        "StartRecord     = 00000000\r\n"
        "FileLength      = 00000000\r\n"
        "CreationDate    = 991231235900\r\n"
        "VolumeNumber    = 0000\r\n";
    std::string tooLarge = asText(lifFile(makeEntry("BIG", 0xE214, {0xF9, 0xFF, 0x01, 0}), {}));
    std::string largestText(65528, 'x');
    const Case cases[] = {
        {"LIF file of the TEXT type",
         {"NOTES.LIF", "OUT.CRD"},
         {{"NOTES.LIF", asText(lifFile(textType, textBody({"AB"})))}},
         converting("NOTES.LIF", "OUT.CRD") + entryLines + " Invalid File Type!\r\n"},
        {"LIF file shorter than its entry",
         {"SHORT.LIF", "OUT.CRD"},
         {{"SHORT.LIF", demoLif.substr(0, 31)}},
         converting("SHORT.LIF", "OUT.CRD") + " File Too Short!\r\n"},
        {"LIF body over the card's limit",
         {"BIG.LIF", "OUT.CRD"},
         {{"BIG.LIF", tooLarge}},
         converting("BIG.LIF", "OUT.CRD") + "FileName        = BIG       \r\n"
                                            "FileType        = E214\r\n"
                                            "StartRecord     = 00000000\r\n"
                                            "FileLength      = 00000000\r\n"
                                            "CreationDate    = 000000000000\r\n"
                                            "VolumeNumber    = 0000\r\n"
                                            " File Too Large!\r\n"},
        {"text body over the card's limit",
         {"BIG.TXT", "OUT.CRD"},
         {{"BIG.TXT", largestText + "\r\n\r\n"}},
         converting("BIG.TXT", "OUT.CRD") + "FileName        = BIG       \r\n"
                                            "FileType        = 0001\r\n"
                                            " File Too Large!\r\n"},
        {"input that opens but cannot be read",
         {"/proc/self/mem", "OUT.CRD"},
         {},
         converting("/PROC/SELF/MEM", "OUT.CRD") + " Cannot Read File!\r\n",
         true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.posixOnly && underLauncher()) {
            continue;
        }
        ScratchDirectory scratch;
        Files before = c.inputs;
        before["OUT.CRD"] = "an earlier card";
        writeFiles(scratch, before);
        const RunResult run = runProgram(magstrip(), c.arguments, scratch.path());
        EXPECT_EQ(run.output, c.wantOutput);
        EXPECT_EQ(run.error, abortReport);
        EXPECT_EQ(run.exitStatus, 1);
        EXPECT_EQ(scratch.contents(), before);
    }
}

TEST(MagstripRun, ReportsAnOutputThatCannotBeWritten) {
    struct Case {
        std::string_view name;
        std::string output;
        Files before;
        RunOptions options;
        bool posixOnly = false;
    };
    const Case cases[] = {
        {"in a missing directory", "NONE/OUT.CRD", {}, {}},
        {"a directory of that name", "OUT.CRD", {{"OUT.CRD", "<dir>"}}, {}},
        {"the disk fills up", "OUT.CRD", {{"OUT.CRD", "an earlier card"}}, {{20}}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.posixOnly && underLauncher()) {
            continue;
        }
        ScratchDirectory scratch;
        Files before = c.before;
        before["DEMO.LIF"] = demoLif;
        writeFiles(scratch, before);
        const RunResult run =
            runProgram(magstrip(), {"DEMO.LIF", c.output}, scratch.path(), c.options);
        EXPECT_EQ(run.output, converting("DEMO.LIF", c.output) + demoReport);
        const std::string prefix = "magstrip: cannot write " + c.output + ": ";
        EXPECT_EQ(run.error.substr(0, prefix.size()), prefix);
        EXPECT_GT(run.error.size(), prefix.size() + 2);
        EXPECT_EQ(run.error.find("\r\n"), run.error.size() - 2);
        EXPECT_EQ(run.exitStatus, 1);
        EXPECT_EQ(scratch.contents(), before);  // no partial or temporary file
    }
}

TEST(MagstripRun, AcceptsTheLargestBodies) {
    struct Case {
        std::string_view name;
        std::string input;
        std::string content;
    };
    const ByteBuffer body(70000, 0x5A);
    const Case cases[] = {
        {"LIF file", "BIG.LIF",
         asText(lifFile(makeEntry("BIG", 0xE214, {0xF8, 0xFF, 0x01, 0}), body))},
        {"text file", "BIG.TXT", std::string(65528, 'x') + "\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScratchDirectory scratch;
        scratch.write(c.input, c.content);
        const RunResult run = runProgram(magstrip(), {c.input}, scratch.path());
        EXPECT_EQ(run.exitStatus, 0);
        EXPECT_NE(run.output.find("FileSize        = 1FFF8 nibbles (65532 bytes)\r\n\r\n"
                                  "Track #1/101 done.\r\n"),
                  std::string::npos);
        EXPECT_TRUE(run.output.ends_with("Track #101/101 done.\r\n"));
        const auto card = decodeCard(scratch.read("BIG.CRD").value_or(ByteBuffer{}));
        ASSERT_TRUE(card.has_value());
        EXPECT_EQ(card->tracks.size(), 101U);
        EXPECT_EQ(card->tracks.back().bodyBytes, 65532U);
        EXPECT_EQ(trackDataOf(*card).size(), 65532U);
    }
}

// A volume made by the assembler -> diskpeel -> the text file -> magstrip -> the card's track
// data is the volume's TEXT body up to its end marker, then the zeros up to BodyBytes.
TEST(MagstripRun, RoundTripFromAVolume) {
    std::vector<std::string> lines{"10 REM GAME", "", "X", "\tTAB AND \x80\xFF BYTES", "A\0B"s};
    for (int i = 0; i < 120; ++i) {
        lines.push_back(std::to_string(i * 10) + " PRINT \"LINE " + std::to_string(i) + "\"");
    }
    VolumeAssembler volume;
    volume.addFile("GAME", 0x0001, textBody(lines));
    ScratchDirectory scratch;
    scratch.write("VOL.LIF", volume.build());

    const RunResult peeled = runProgram(programUnderTest(DISKPEEL_PROGRAM, "LIFCARD_DISKPEEL"),
                                        {"VOL.LIF"}, scratch.path());
    ASSERT_EQ(peeled.exitStatus, 0);
    const RunResult converted = runProgram(magstrip(), {"GAME.TXT"}, scratch.path());
    ASSERT_EQ(converted.exitStatus, 0);
    EXPECT_EQ(converted.error, "");

    const auto card = decodeCard(scratch.read("GAME.CRD").value_or(ByteBuffer{}));
    ASSERT_TRUE(card.has_value());
    const ByteBuffer textBodyUpToEndMarker = textBody(lines, false);
    ASSERT_GT(card->tracks.size(), 1U);
    const ByteBuffer data = trackDataOf(*card);
    ASSERT_GE(data.size(), textBodyUpToEndMarker.size());
    EXPECT_EQ(ByteBuffer(data.begin(), data.begin() + textBodyUpToEndMarker.size()),
              textBodyUpToEndMarker);
    EXPECT_EQ(data.size() - textBodyUpToEndMarker.size(),
              (4 - textBodyUpToEndMarker.size() % 4) % 4);
    EXPECT_EQ(std::count(data.begin() + textBodyUpToEndMarker.size(), data.end(), 0),
              data.end() - data.begin() - textBodyUpToEndMarker.size());
    EXPECT_EQ(card->tracks.front().fileName, "GAME    ");
    EXPECT_EQ(card->tracks.front().fileType, 0x0001U);
}

}  // namespace
}  // namespace lifcard::testing
