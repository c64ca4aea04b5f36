// TEXT bodies: records to lines with the bounds of the image, and lines to records.
#include "lif/text_body.hpp"

#include <gtest/gtest.h>

#include "tests/support/lif_assembler.hpp"

namespace lifcard::lif {
namespace {

std::string linesOf(const ByteBuffer& image, std::uint64_t start, std::uint64_t end) {
    const ByteBuffer lines = textBodyAsLines(image, start, end);
    return {lines.begin(), lines.end()};
}

ByteBuffer bytes(std::initializer_list<std::uint8_t> values) {
    return values;
}

TEST(TextBody, ReadsRecordsAsLines) {
    struct Case {
        std::string_view name;
        ByteBuffer image;
        std::uint64_t start;
        std::uint64_t end;
        std::string want;
    };
    const Case cases[] = {
        {"two records", bytes({0, 2, 'A', 'B', 0, 1, 'C', 0x55, 0xFF, 0xFF}), 0, 256,
         "AB\r\nC\r\n"},
        {"end marker first", bytes({0xFF, 0xFF, 0, 1}), 0, 256, ""},
        {"empty body", bytes({0, 2, 'A', 'B'}), 0, 0, ""},
        {"zeros are empty lines", ByteBuffer(8, 0), 0, 8, "\r\n\r\n\r\n\r\n"},
        {"no end marker: stops at the body end", bytes({0, 1, 'A', 0, 0, 1, 'B', 0}), 0, 4,
         "A\r\n"},
        {"record runs past the body end, written whole", bytes({0, 4, 'W', 'X', 'Y', 'Z'}), 0, 2,
         "WXYZ\r\n"},
        {"record runs past the image end, cut there", bytes({0, 9, 'A', 'B'}), 0, 256, "AB\r\n"},
        {"length field straddles the image end", bytes({0, 1, 'A', 0, 0}), 0, 256, "A\r\n"},
        {"body starts past the image", bytes({0, 0}), 0xFFFFFFFFULL * 256, 0x100000000ULL * 256,
         ""},
        {"NUL bytes stay", bytes({0, 3, 'A', 0, 'B', 0, 0xFF, 0xFF}), 0, 256,
         std::string("A\0B\r\n", 5)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(linesOf(c.image, c.start, c.end), c.want);
    }
}

TEST(TextBody, BuildsRecordsWithPadAndEndMarker) {
    ByteBuffer body;
    appendTextRecord(body, "AB");
    appendTextRecord(body, "C");
    appendTextRecord(body, "");
    appendTextEndMarker(body);
    EXPECT_EQ(body, bytes({0, 2, 'A', 'B', 0, 1, 'C', 0, 0, 0, 0xFF, 0xFF}));
    EXPECT_EQ(linesOf(body, 0, body.size()), "AB\r\nC\r\n\r\n");
}

}  // namespace
}  // namespace lifcard::lif
