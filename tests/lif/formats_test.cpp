// The LIF records and the file-type table.
#include "lif/formats.hpp"

#include <gtest/gtest.h>

#include "tests/support/lif_assembler.hpp"

namespace lifcard::lif {
namespace {

using enum ExtractionMode;

TEST(FileTypeTable, MapsEveryListedCodeAndItsHoles) {
    struct Case {
        std::uint16_t first;
        std::uint16_t last;
        std::string_view extension;
        ExtractionMode mode;
    };
    const Case cases[] = {
        {0x0001, 0x0001, ".TXT", text},    {0x0002, 0xE01F, ".UFO", lifFile},
        {0xE020, 0xE020, ".W41", lifFile}, {0xE021, 0xE02F, ".UFO", lifFile},
        {0xE030, 0xE030, ".X41", lifFile}, {0xE040, 0xE040, ".A41", lifFile},
        {0xE050, 0xE050, ".K41", lifFile}, {0xE051, 0xE051, ".R75", lifFile},
        {0xE052, 0xE052, ".T75", lifFile}, {0xE053, 0xE053, ".A75", lifFile},
        {0xE054, 0xE057, ".UFO", lifFile}, {0xE058, 0xE058, ".D75", lifFile},
        {0xE060, 0xE060, ".S41", lifFile}, {0xE070, 0xE070, ".R41", lifFile},
        {0xE080, 0xE080, ".P41", lifFile}, {0xE088, 0xE088, ".B75", lifFile},
        {0xE089, 0xE089, ".L75", lifFile}, {0xE08A, 0xE08A, ".W75", lifFile},
        {0xE08B, 0xE08B, ".R75", lifFile}, {0xE0B0, 0xE0B0, ".B75", lifFile},
        {0xE0D0, 0xE0D0, ".D41", lifFile}, {0xE0D1, 0xE0D1, ".TXT", text},
        {0xE0D2, 0xE0D4, ".UFO", lifFile}, {0xE0D5, 0xE0D5, ".TXT", text},
        {0xE0F0, 0xE0F1, ".DAT", lifFile}, {0xE0F2, 0xE203, ".UFO", lifFile},
        {0xE204, 0xE207, ".BIN", lifFile}, {0xE208, 0xE20B, ".LEX", lifFile},
        {0xE20C, 0xE20D, ".KEY", lifFile}, {0xE20E, 0xE213, ".UFO", lifFile},
        {0xE214, 0xE217, ".BAS", lifFile}, {0xE218, 0xE219, ".FTH", lifFile},
        {0xE21A, 0xE21B, ".UFO", lifFile}, {0xE21C, 0xE21F, ".ROM", raw},
        {0xE220, 0xE221, ".UFO", lifFile}, {0xE222, 0xE223, ".GRA", lifFile},
        {0xE224, 0xE225, ".ADR", lifFile}, {0xE226, 0xE22B, ".UFO", lifFile},
        {0xE22C, 0xE22D, ".OBJ", lifFile}, {0xE22E, 0xE22F, ".SYM", lifFile},
        {0xE230, 0xFFFE, ".UFO", lifFile},
    };
    for (const Case& c : cases) {
        for (std::uint32_t code = c.first; code <= c.last; ++code) {
            SCOPED_TRACE(code);
            const FileTypeRule rule = ruleForFileType(static_cast<std::uint16_t>(code));
            ASSERT_EQ(rule.extension, c.extension);
            ASSERT_EQ(rule.mode, c.mode);
        }
    }
    EXPECT_TRUE(isEmptySlot(0x0000));
    EXPECT_TRUE(isEmptySlot(0xFFFF));
    EXPECT_FALSE(isEmptySlot(0x0001));
}

TEST(DirectoryEntry, ParsesEncodesAndRefusesShortSlots) {
    const std::uint8_t raw[] = {'W',  'O',  'R',  'K',  'F',  'I',  'L',  'E',  ' ',  ' ',  0xE2,
                                0x14, 0x00, 0x00, 0x01, 0x02, 0xFF, 0xFF, 0xFF, 0xFF, 0x99, 0x12,
                                0x31, 0x23, 0x59, 0x00, 0x80, 0x01, 0x23, 0x01, 0x00, 0x00};
    const auto entry = parseDirectoryEntry(raw, 0);
    ASSERT_TRUE(entry);
    EXPECT_EQ(entry->fileName, "WORKFILE  ");
    EXPECT_EQ(entry->fileType, 0xE214);
    EXPECT_EQ(entry->startRecord, 0x0102U);
    EXPECT_EQ(entry->fileLength, 0xFFFFFFFFU);
    EXPECT_EQ(entry->bodyLength(), 0xFFFFFFFFULL * 256);
    EXPECT_EQ(entry->creationDate[0], 0x99);
    EXPECT_EQ(entry->volumeNumber, 0x8001);
    EXPECT_EQ(entry->implementationBytes[0], 0x23);
    EXPECT_EQ(entry->implementationBytes[1], 0x01);

    const auto encoded = encodeDirectoryEntry(*entry);
    EXPECT_TRUE(std::equal(encoded.begin(), encoded.end(), std::begin(raw)));

    EXPECT_FALSE(parseDirectoryEntry(ByteView(raw).first(31), 0));
    EXPECT_FALSE(parseDirectoryEntry(raw, 1));
}

TEST(VolumeHeader, ReadsEveryReportedField) {
    testing::VolumeAssembler volume;
    volume.label(std::string("\0\0ABC\1", 6)).header().tracksPerSurface = 0x12345;
    const ByteBuffer image = volume.directory(2, 3).build();
    const auto header = parseVolumeHeader(image);
    ASSERT_TRUE(header);
    EXPECT_EQ(header->volumeId, 0x8000);
    EXPECT_EQ(header->volumeLabel, std::string("\0\0ABC\1", 6));
    EXPECT_EQ(header->directoryStart, 2U);
    EXPECT_EQ(header->directoryBlocks, 3U);
    EXPECT_EQ(header->tracksPerSurface, 0x12345U);
    EXPECT_FALSE(parseVolumeHeader(ByteView(image).first(35)));
}

}  // namespace
}  // namespace lifcard::lif
