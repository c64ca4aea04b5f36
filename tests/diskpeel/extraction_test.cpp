// The extraction core in-process: header report, walk order, outputs and their names.
#include "diskpeel/extraction.hpp"

#include <gtest/gtest.h>

#include <map>

#include "tests/support/lif_assembler.hpp"

namespace lifcard::diskpeel {
namespace {

using testing::VolumeAssembler;

// Keeps every stored output in memory, as the walk handed it over.
class RecordedOutputs final : public OutputSink {
  public:
    Status store(const std::string& name, ByteView bytes) override {
        order.push_back(name);
        files[name] = std::string(bytes.begin(), bytes.end());
        return {};
    }
    std::vector<std::string> order;
    std::map<std::string, std::string> files;
};

TEST(HeaderReport, PrintsNineLabelledLines) {
    VolumeAssembler volume;
    volume.label("DEMO01").header().tracksPerSurface = 0x12345;
    const ByteBuffer image = volumeImage(volume.build());
    Console console(Console::Target::capture);
    printHeaderReport(console, image);
    EXPECT_EQ(console.output(),
              "VolumeID         = 8000\r\n"
              "VolumeLabel      = DEMO01\r\n"
              "DirectoryStart   = 0002\r\n"
              "System3000ID     = 1000\r\n"
              "DirectoryBlocks  = 0001\r\n"
              "VersionNumber    = 0001\r\n"
              "TracksPerSurface = 12345\r\n"
              "NumberOfSurfaces = 0002\r\n"
              "BlocksPerTrack   = 0010\r\n");
}

TEST(VolumeImage, PadsToTheDiskSizeAndKeepsLongerFiles) {
    EXPECT_EQ(volumeImage({}).size(), minimumImageSize);
    EXPECT_EQ(volumeImage(ByteBuffer(minimumImageSize + 3, 1)).size(), minimumImageSize + 3);
}

TEST(Walk, ExtractsEachModeInDirectoryOrder) {
    VolumeAssembler volume;
    const ByteBuffer rom(512, 0xAB);
    volume.addFile("NOTES", 0x0001, testing::textBody({"AB", "C"}));
    volume.addSlot(testing::makeEntry("GONE", 0xFFFF));
    volume.addFile("MY FILE", 0xE214, ByteBuffer(256, 0x11));
    volume.addSlot(testing::makeEntry("", 0x0000));
    volume.addFile("SYSROM", 0xE21C, rom);
    volume.addFile("ODD", 0xE20E, ByteBuffer{});
    const ByteBuffer image = volumeImage(volume.build());

    Console console(Console::Target::capture);
    RecordedOutputs outputs;
    EXPECT_TRUE(walkDirectory(image, console, outputs));
    EXPECT_EQ(
        console.output(),
        "NOTES      (0001)\r\nMY FILE    (E214)\r\nSYSROM     (E21C)\r\nODD        (E20E)\r\n");
    EXPECT_EQ(outputs.order,
              (std::vector<std::string>{"NOTES.TXT", "MY FILE.BAS", "SYSROM.ROM", "ODD.UFO"}));
    EXPECT_EQ(outputs.files["NOTES.TXT"], "AB\r\nC\r\n");
    EXPECT_EQ(outputs.files["SYSROM.ROM"], std::string(512, '\xAB'));
    const std::string& basic = outputs.files["MY FILE.BAS"];
    ASSERT_EQ(basic.size(), 32U + 256U);
    EXPECT_EQ(basic.substr(0, 10), "MY FILE   ");
    EXPECT_EQ(basic.substr(32), std::string(256, '\x11'));
    EXPECT_EQ(outputs.files["ODD.UFO"].size(), 32U);
}

TEST(Walk, StaysInsideTheImage) {
    struct Case {
        std::string_view name;
        std::uint32_t directoryStart;
        std::uint32_t directoryBlocks;
        std::uint32_t startRecord;
        std::uint32_t fileLength;
        std::size_t wantLines;
        std::size_t wantSize;  // of the one LIF output, when there is one
    };
    constexpr std::uint32_t lastBlock = minimumImageSize / 256 - 1;
    const Case cases[] = {
        {"directory wholly past the image", 0xFFFFFF00, 4, 0, 0, 0, 0},
        {"directory running past the image end", lastBlock, 0xFFFFFFFF, 0, 0, 8, 32},
        {"body past the image", 2, 1, 0xFFFFFFFF, 0xFFFFFFFF, 8, 32},
        {"body cut at the image end", 2, 1, lastBlock, 10, 8, 32 + 256},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        VolumeAssembler volume;
        auto slot = testing::makeEntry("X", 0xE214);
        slot.startRecord = c.startRecord;
        slot.fileLength = c.fileLength;
        for (int i = 0; i < 8; ++i) {
            volume.addSlot(slot);
        }
        ByteBuffer image = volumeImage(volume.build());
        // Move the directory by rewriting the header only; the slots stay where they are
        // when the directory start is left at block 2.
        image[8] = static_cast<std::uint8_t>(c.directoryStart >> 24U);
        image[9] = static_cast<std::uint8_t>(c.directoryStart >> 16U);
        image[10] = static_cast<std::uint8_t>(c.directoryStart >> 8U);
        image[11] = static_cast<std::uint8_t>(c.directoryStart);
        image[16] = static_cast<std::uint8_t>(c.directoryBlocks >> 24U);
        image[17] = static_cast<std::uint8_t>(c.directoryBlocks >> 16U);
        image[18] = static_cast<std::uint8_t>(c.directoryBlocks >> 8U);
        image[19] = static_cast<std::uint8_t>(c.directoryBlocks);
        if (c.directoryStart == lastBlock) {
            for (int i = 0; i < 8; ++i) {
                const auto encoded = lif::encodeDirectoryEntry(slot);
                std::copy(encoded.begin(), encoded.end(),
                          image.begin() + std::ptrdiff_t{lastBlock} * 256 + std::ptrdiff_t{i} * 32);
            }
        }
        Console console(Console::Target::capture);
        RecordedOutputs outputs;
        EXPECT_TRUE(walkDirectory(image, console, outputs));
        EXPECT_EQ(outputs.order.size(), c.wantLines);
        if (c.wantLines > 0) {
            EXPECT_EQ(outputs.files.at("X.BAS").size(), c.wantSize);
        }
    }
}

TEST(Walk, ReportsOutputsThatCannotBeStoredAndGoesOn) {
    class RefusingOutputs final : public OutputSink {
      public:
        Status store(const std::string& name, ByteView /*bytes*/) override {
            stored.push_back(name);
            return Failure{"Is a directory"};
        }
        std::vector<std::string> stored;
    };
    VolumeAssembler volume;
    volume.addFile("A", 0xE214, ByteBuffer{});
    volume.addFile("B", 0xE214, ByteBuffer{});
    Console console(Console::Target::capture);
    RefusingOutputs outputs;
    EXPECT_FALSE(walkDirectory(volumeImage(volume.build()), console, outputs));
    EXPECT_EQ(outputs.stored.size(), 2U);
    EXPECT_EQ(console.error(),
              "diskpeel: cannot write A.BAS: Is a directory\r\n"
              "diskpeel: cannot write B.BAS: Is a directory\r\n");
}

TEST(OutputName, TrimsAndMakesPlain) {
    using namespace std::string_literals;
    struct Case {
        std::string name;
        std::uint16_t type;
        std::string want;
    };
    const Case cases[] = {
        {"          ", 0x0001, ".TXT"},
        {"MY FILE   ", 0xE214, "MY FILE.BAS"},
        {"../../ETC ", 0xE214, ".._.._ETC.BAS"},
        {"\0AB/CD\0\0\0\0"s, 0xE0F0, "AB_CD.DAT"},
        {"\xFF\xFE"
         "ABC     ",
         0xE21C,
         "\xFF\xFE"
         "ABC.ROM"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.want);
        lif::DirectoryEntry entry;
        entry.fileName = c.name;
        entry.fileType = c.type;
        EXPECT_EQ(outputName(entry), c.want);
    }
}

}  // namespace
}  // namespace lifcard::diskpeel
