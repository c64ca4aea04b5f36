// The card image writer: the worked example byte for byte, and the track split for the body
// lengths where it changes.
#include "magstrip/card_writer.hpp"

#include <gtest/gtest.h>

#include "tests/magstrip/card_decoder.hpp"
#include "tests/magstrip/worked_example.hpp"

namespace lifcard::magstrip {
namespace {

using testing::decodeCard;

// A body whose bytes differ from their neighbours, so a shifted or repeated byte shows.
CardSource sourceWithBody(std::uint32_t roundedSize) {
    CardSource source;
    source.fileName = "BODY      ";
    source.fileType = 0xE214;
    source.implementationBytes = {0x12, 0x34, 0x56, 0x78};
    setBodyLength(source, roundedSize);
    for (std::size_t i = 0; i < source.bodyBuffer.size(); ++i) {
        source.bodyBuffer[i] = static_cast<std::uint8_t>(i % 251);
    }
    return source;
}

TEST(NibbleStream, StoresNumbersLowNibbleFirstAndPacksLowHalfFirst) {
    NibbleStream stream;
    stream.appendNibbles(0xE214, 4);
    stream.appendNibbles(0xABC, 2);  // keeps only its low nibbles
    stream.appendNibbles(0xF, 0);
    stream.appendString("A");
    EXPECT_EQ(stream.nibbleCount(), 8U);
    EXPECT_EQ(stream.packed(), (ByteBuffer{0x14, 0xE2, 0xBC, 0x41}));
    stream.appendNibbles(0x7, 1);  // an odd count leaves 0 in the last high half
    EXPECT_EQ(stream.packed(), (ByteBuffer{0x14, 0xE2, 0xBC, 0x41, 0x07}));
}

TEST(WriteCardImage, WorkedExampleByteForByte) {
    CardSource source;
    source.fileName = "DEMO      ";
    source.fileType = 0xE214;
    source.implementationBytes = {0x10, 0x00, 0x00, 0x00};
    setBodyLength(source, 16);
    source.bodyBuffer = testing::workedExampleBody;
    for (const bool hp49 : {false, true}) {
        SCOPED_TRACE(hp49 ? "HP 49 header" : "HP 48 header");
        source.hp49Target = hp49;
        Console console(Console::Target::capture);
        EXPECT_EQ(writeCardImage(source, console), testing::workedExampleCard(hp49));
        EXPECT_EQ(console.output(), "Track #1/1 done.\r\n");
    }
}

TEST(WriteCardImage, CutsTheBodyIntoTracks) {
    struct Case {
        std::string_view name;
        std::uint32_t roundedSize;
        std::vector<std::uint32_t> trackBytes;
        std::size_t fileBytes;
    };
    const Case cases[] = {
        {"empty body: one track without data", 0, {0}, 61},
        {"one short track", 16, {8}, 69},
        {"one track just under full", 1296, {648}, 709},
        {"a full track and a short one", 1304, {650, 2}, 752},
        {"two full tracks and an empty one", 2600, {650, 650, 0}, 1440},
        {"largest card", largestRoundedSize, std::vector<std::uint32_t>(100, 650), 0},
    };
    for (Case c : cases) {
        SCOPED_TRACE(c.name);
        if (c.roundedSize == largestRoundedSize) {
            c.trackBytes.push_back(largestBodyBytes - 100 * 650);
        }
        const auto trackCount = static_cast<std::uint32_t>(c.trackBytes.size());
        const CardSource source = sourceWithBody(c.roundedSize);
        Console console(Console::Target::capture);
        const ByteBuffer image = writeCardImage(source, console);

        const auto card = decodeCard(image);
        ASSERT_TRUE(card.has_value());
        EXPECT_EQ(card->objectHeader, "HPHP48-R");
        EXPECT_EQ(card->prolog, 0x02A2CU);
        EXPECT_EQ(card->magic, "ZARVOCRD");
        EXPECT_EQ(card->stringLength, 21 + 79 * trackCount + c.roundedSize);
        EXPECT_EQ(image.size(), (42 + 79 * trackCount + c.roundedSize + 1) / 2);
        if (c.fileBytes != 0) {
            EXPECT_EQ(image.size(), c.fileBytes);
        }
        std::string wantLines;
        ASSERT_EQ(card->tracks.size(), c.trackBytes.size());
        for (std::uint32_t n = 1; n <= trackCount; ++n) {
            const testing::DecodedTrack& track = card->tracks[n - 1];
            SCOPED_TRACE(n);
            EXPECT_EQ(track.trackBytes, c.trackBytes[n - 1]);
            EXPECT_EQ(track.trackLength, 2 * c.trackBytes[n - 1] + 76);
            EXPECT_EQ(track.fixedOne, 1U);
            EXPECT_EQ(track.trackNumber, n);
            EXPECT_EQ(track.trackCount, trackCount);
            EXPECT_EQ(track.bodyBytes, c.roundedSize / 2);
            EXPECT_EQ(track.fileType, 0xE214U);
            EXPECT_EQ(track.fileName, "BODY    ");
            EXPECT_EQ(track.implementationBytes, source.implementationBytes);
            EXPECT_TRUE(track.zeroFieldsClear);
            wantLines +=
                "Track #" + std::to_string(n) + "/" + std::to_string(trackCount) + " done.\r\n";
        }
        // The body index runs on across tracks: the data of all tracks is the body.
        EXPECT_EQ(testing::trackDataOf(*card), source.bodyBuffer);
        EXPECT_EQ(console.output(), wantLines);
    }
}

TEST(WriteCardImage, CarriesTheFirstEightCharactersOfTheName) {
    CardSource source;
    source.fileName = "LONGFILENAME";
    Console console(Console::Target::capture);
    const auto card = decodeCard(writeCardImage(source, console));
    ASSERT_TRUE(card.has_value());
    EXPECT_EQ(card->tracks.at(0).fileName, "LONGFILE");
}

}  // namespace
}  // namespace lifcard::magstrip
