// The two input paths in-process: report lines, body lengths, refusals and the names of a
// conversion.
#include <gtest/gtest.h>

#include "magstrip/converter.hpp"
#include "magstrip/lif_input.hpp"
#include "magstrip/text_input.hpp"
#include "tests/support/lif_assembler.hpp"

namespace lifcard::magstrip {
namespace {

using namespace std::string_literals;

// The six entry lines of an entry named DEMO with all other fields zero.
std::string entryLinesOf(std::uint16_t fileType) {
    return "FileName        = DEMO      \r\n"
           "FileType        = " +
           hexadecimal(fileType, 4) +
           "\r\n"
           "StartRecord     = 00000000\r\n"
           "FileLength      = 00000000\r\n"
           "CreationDate    = 000000000000\r\n"
           "VolumeNumber    = 0000\r\n";
}

ByteBuffer lifFileOf(std::uint16_t fileType, std::array<std::uint8_t, 4> implementationBytes,
                     ByteView body = {}) {
    return testing::lifFile(testing::makeEntry("DEMO", fileType, implementationBytes), body);
}

TEST(LoadLifFile, BodyLengthByFileType) {
    struct Case {
        std::string_view name;
        std::uint16_t fileType;
        std::array<std::uint8_t, 4> implementationBytes;
        std::string_view recordLines;  // after the six entry lines
        std::string_view fileSizeLine;
        std::uint32_t roundedSize;
        std::uint32_t bodyBytes;
    };
    const Case cases[] = {
        {"data records of 16 nibbles",
         0xE0D0,
         {0x03, 0, 0, 0},
         "NumberOfRecords = 0003\r\nRecordSize      = 0010\r\n",
         "FileSize        = 00030 nibbles (24 bytes)\r\n",
         48,
         24},
        {"records sized in the entry",
         0xE0F0,
         {0x02, 0, 0x0A, 0},
         "NumberOfRecords = 0002\r\nRecordSize      = 0014\r\n",
         "FileSize        = 00028 nibbles (20 bytes)\r\n",
         40,
         20},
        {"0xE0F1 like 0xE0F0",
         0xE0F1,
         {0x02, 0, 0x0A, 0},
         "NumberOfRecords = 0002\r\nRecordSize      = 0014\r\n",
         "FileSize        = 00028 nibbles (20 bytes)\r\n",
         40,
         20},
        {"no records: nothing of the body",
         0xE0D0,
         {0, 0, 0xFF, 0xFF},
         "NumberOfRecords = 0000\r\nRecordSize      = 0010\r\n",
         "FileSize        = 00000 nibbles (0 bytes)\r\n",
         0,
         0},
        {"nibble count rounded up",
         0xE214,
         {0x23, 0x01, 0, 0},
         "",
         "FileSize        = 00123 nibbles (145 bytes)\r\n",
         296,
         148},
        {"nibble count already whole",
         0xE214,
         {0x10, 0, 0, 0},
         "",
         "FileSize        = 00010 nibbles (8 bytes)\r\n",
         16,
         8},
        {"odd nibble count",
         0xE214,
         {0x07, 0, 0, 0xFF},
         "",
         "FileSize        = 00007 nibbles (3 bytes)\r\n",
         8,
         4},
        {"a text type other than 0x0001 by its nibble count",
         0xE0D1,
         {0x08, 0, 0, 0},
         "",
         "FileSize        = 00008 nibbles (4 bytes)\r\n",
         8,
         4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ByteBuffer body(300);
        for (std::size_t i = 0; i < body.size(); ++i) {
            body[i] = static_cast<std::uint8_t>(i + 1);
        }
        Console console(Console::Target::capture);
        auto loaded = loadLifFile(lifFileOf(c.fileType, c.implementationBytes, body), console);
        ASSERT_TRUE(loaded.ok());
        const CardSource& source = loaded.value();
        printFileSize(console, source);
        EXPECT_EQ(console.output(), entryLinesOf(c.fileType) + std::string(c.recordLines) +
                                        std::string(c.fileSizeLine));
        EXPECT_EQ(source.roundedSize, c.roundedSize);
        EXPECT_EQ(source.bodyBytes, c.bodyBytes);
        EXPECT_EQ(source.implementationBytes, c.implementationBytes);
        EXPECT_EQ(source.bodyBuffer, ByteBuffer(body.begin(), body.begin() + c.bodyBytes));
    }
}

TEST(LoadLifFile, ReportsTheEntryAndCarriesTheName) {
    lif::DirectoryEntry entry = testing::makeEntry("demo\0x"s, 0xE214, {0x10, 0, 0, 0});
    entry.startRecord = 0x12;
    entry.fileLength = 0x1234ABCD;
    entry.creationDate = {0x99, 0x12, 0x31, 0x23, 0x59, 0x00};
    entry.volumeNumber = 0x8001;
    Console console(Console::Target::capture);
    auto loaded = loadLifFile(testing::lifFile(entry, {}), console);
    ASSERT_TRUE(loaded.ok());
    EXPECT_EQ(console.output(),
              "FileName        = DEMO\0X    \r\n"
              "FileType        = E214\r\n"
              "StartRecord     = 00000012\r\n"
              "FileLength      = 1234ABCD\r\n"
              "CreationDate    = 991231235900\r\n"
              "VolumeNumber    = 8001\r\n"s);
    EXPECT_EQ(loaded.value().fileName, "DEMO\0X    "s);
    // The body is missing from the file: it is zeros, and the card is still made.
    EXPECT_EQ(loaded.value().bodyBuffer, ByteBuffer(8, 0));
}

TEST(LoadLifFile, Refusals) {
    struct Case {
        std::string_view name;
        ByteBuffer file;
        std::string_view wantReason;
        std::string wantOutput;
    };
    const std::string entry = entryLinesOf(0xE214);
    const std::string records = "NumberOfRecords = FFFF\r\nRecordSize      = 1FFFE\r\n";
    auto text = lifFileOf(0x0001, {0x10, 0, 0, 0});
    auto cut = lifFileOf(0xE214, {0x10, 0, 0, 0});
    cut.pop_back();
    const Case cases[] = {
        {"empty file", {}, "File Too Short", ""},
        {"one byte short of the entry", cut, "File Too Short", ""},
        {"TEXT type, after the six entry lines", text, "Invalid File Type", entryLinesOf(0x0001)},
        {"nibble count just over the limit", lifFileOf(0xE214, {0xF9, 0xFF, 0x01, 0}),
         "File Too Large", entry},
        {"largest 24-bit nibble count", lifFileOf(0xE214, {0xFF, 0xFF, 0xFF, 0}), "File Too Large",
         entry},
        {"record product past 32 bits", lifFileOf(0xE0F0, {0xFF, 0xFF, 0xFF, 0xFF}),
         "File Too Large", entryLinesOf(0xE0F0) + records},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Console console(Console::Target::capture);
        const auto loaded = loadLifFile(c.file, console);
        ASSERT_FALSE(loaded.ok());
        EXPECT_EQ(loaded.failure().reason, c.wantReason);
        EXPECT_EQ(console.output(), c.wantOutput);
    }
}

TEST(LoadLifFile, LargestBodyIsAccepted) {
    // 131,064 nibbles: BodyBytes 65,532, the largest the card's 4-nibble field holds.
    for (const std::array<std::uint8_t, 4> bytes :
         {std::array<std::uint8_t, 4>{0xF8, 0xFF, 0x01, 0}, {0xF1, 0xFF, 0x01, 0}}) {
        Console console(Console::Target::capture);
        const auto loaded = loadLifFile(lifFileOf(0xE214, bytes, ByteBuffer(70000, 0xAA)), console);
        ASSERT_TRUE(loaded.ok());
        EXPECT_EQ(loaded.value().bodyBytes, largestBodyBytes);
        EXPECT_EQ(loaded.value().bodyBuffer, ByteBuffer(largestBodyBytes, 0xAA));
    }
}

TEST(LoadTextFile, BuildsTheTextBody) {
    struct Case {
        std::string_view name;
        std::string content;
        ByteBuffer body;  // before the zeros up to BodyBytes
        std::string_view fileSizeLine;
        std::uint32_t roundedSize;
    };
    const Case cases[] = {
        {"empty file", "", {0xFF, 0xFF}, "FileSize        = 00004 nibbles (2 bytes)\r\n", 8},
        {"two lines ended by CR LF",
         "AB\r\nC\r\n",
         {0x00, 0x02, 0x41, 0x42, 0x00, 0x01, 0x43, 0x00, 0xFF, 0xFF},
         "FileSize        = 00014 nibbles (10 bytes)\r\n",
         24},
        {"one empty line",
         "\r\n",
         {0x00, 0x00, 0xFF, 0xFF},
         "FileSize        = 00008 nibbles (4 bytes)\r\n",
         8},
        {"a last line without line end",
         "ABC",
         {0x00, 0x03, 0x41, 0x42, 0x43, 0x00, 0xFF, 0xFF},
         "FileSize        = 00010 nibbles (8 bytes)\r\n",
         16},
        {"bytes kept as they are",
         "a\tb\x80\0\n"s,
         {0x00, 0x05, 'a', '\t', 'b', 0x80, 0x00, 0x00, 0xFF, 0xFF},
         "FileSize        = 00014 nibbles (10 bytes)\r\n",
         24},
        {"Ctrl-Z at a line start ends the text",
         "A\n\x1A"
         "B\n",
         {0x00, 0x01, 0x41, 0x00, 0xFF, 0xFF},
         "FileSize        = 0000C nibbles (6 bytes)\r\n",
         16},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Console console(Console::Target::capture);
        auto loaded = loadTextFile(bytesOf(c.content), "notes.txt", console);
        ASSERT_TRUE(loaded.ok());
        const CardSource& source = loaded.value();
        printFileSize(console, source);
        EXPECT_EQ(console.output(),
                  "FileName        = NOTES     \r\n"
                  "FileType        = 0001\r\n" +
                      std::string(c.fileSizeLine));
        EXPECT_EQ(source.fileType, 0x0001);
        EXPECT_EQ(source.implementationBytes, (std::array<std::uint8_t, 4>{}));
        EXPECT_EQ(source.roundedSize, c.roundedSize);
        EXPECT_EQ(source.bodyBytes, c.roundedSize / 2);
        ByteBuffer want = c.body;
        want.resize(source.bodyBytes, 0);
        EXPECT_EQ(source.bodyBuffer, want);
    }
}

TEST(LoadTextFile, SizeLimit) {
    // One line of L characters makes a body of 2 + L + pad + 2 bytes; 65,528 characters fill
    // the largest body exactly, one more passes it.
    struct Case {
        std::string_view name;
        std::string content;
        bool fits;
    };
    const std::string line(65528, 'x');
    const Case cases[] = {
        {"one line filling the largest body", line + "\r\n", true},
        {"one character more (pad byte added)", line + "y\r\n", false},
        {"a line longer than a record length can say", std::string(70000, 'z'), false},
        {"a further empty line passes the limit", line + "\r\n\r\n", false},
        {"many short lines", std::string(40000, '\n'), false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Console console(Console::Target::capture);
        const auto loaded = loadTextFile(bytesOf(c.content), "BIG.TXT", console);
        EXPECT_EQ(console.output(), "FileName        = BIG       \r\nFileType        = 0001\r\n");
        ASSERT_EQ(loaded.ok(), c.fits);
        if (c.fits) {
            EXPECT_EQ(loaded.value().bodyBytes, largestBodyBytes);
        } else {
            EXPECT_EQ(loaded.failure().reason, "File Too Large");
        }
    }
}

TEST(TextFileName, FromTheInputName) {
    const std::pair<std::string_view, std::string_view> cases[] = {
        {"A.TXT", "A         "},
        {"notes.txt", "NOTES     "},
        {"LONGFILENAME.TXT", "LONGFILENAME"},
        {"C:\\WORK\\MY.NOTES.TXT", "MY.NOTES  "},
        {"sub.dir/notes.Txt", "NOTES     "},
        {".TXT", "          "},
    };
    for (const auto& [input, want] : cases) {
        SCOPED_TRACE(input);
        EXPECT_EQ(textFileNameFor(input), want);
    }
}

TEST(ConversionNames, UpperCasedWithTheTypedDirectory) {
    struct Case {
        std::string_view typedInput;
        std::string_view typedOutput;
        ConversionNames want;
    };
    const Case cases[] = {
        {"GAME.LIF", "", {"GAME.LIF", "GAME.CRD", "GAME.CRD"}},
        {"game.lif", "", {"GAME.LIF", "GAME.CRD", "GAME.CRD"}},
        {"GAME.CRD", "", {"GAME.CRD", "GAME.CRD", "GAME.CRD"}},
        {"game", "out.bin", {"GAME", "OUT.BIN", "OUT.BIN"}},
        {"sub/notes.txt", "", {"SUB/NOTES.TXT", "SUB/NOTES.CRD", "sub/NOTES.CRD"}},
        {"GAME.LIF", "Out/card.crd", {"GAME.LIF", "OUT/CARD.CRD", "Out/CARD.CRD"}},
        {"dir.x\\game", "", {"DIR.X\\GAME", "DIR.X\\GAME.CRD", "dir.x\\GAME.CRD"}},
        {"notes.txt.lif", "", {"NOTES.TXT.LIF", "NOTES.TXT.CRD", "NOTES.TXT.CRD"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typedInput);
        const ConversionNames names = conversionNames(c.typedInput, c.typedOutput);
        EXPECT_EQ(names.inputName, c.want.inputName);
        EXPECT_EQ(names.outputName, c.want.outputName);
        EXPECT_EQ(names.outputPath, c.want.outputPath);
    }
}

TEST(InputPath, ChosenByTheTxtExtension) {
    const std::pair<std::string_view, bool> cases[] = {
        {"NOTES.TXT", true}, {"notes.txt", true}, {"a.b.tXt", true},       {"NOTES.TXT.LIF", false},
        {"NOTES", false},    {"TXT", false},      {"X.TXT\\NOTES", false}, {"X.TXT/NOTES", false},
    };
    for (const auto& [name, text] : cases) {
        SCOPED_TRACE(name);
        EXPECT_EQ(isTextInput(name), text);
    }
}

TEST(FailWith, RefusalLineThenAbortReport) {
    Console console(Console::Target::capture);
    EXPECT_EQ(failWith(console, "Invalid File Type"), 1);
    EXPECT_EQ(console.output(), " Invalid File Type!\r\n");
    EXPECT_EQ(console.error(),
              "Exception EAbort in module MAGSTRIP.EXE at 0040A7D4.\r\nOperation aborted.\r\n\r\n");
}

}  // namespace
}  // namespace lifcard::magstrip
