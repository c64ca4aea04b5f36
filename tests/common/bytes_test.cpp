// The byte-order readers: values, widths, and refusal of ranges not wholly inside the view.
#include "common/bytes.hpp"

#include <gtest/gtest.h>

#include <array>
#include <limits>

namespace lifcard {
namespace {

constexpr std::array<std::uint8_t, 5> sample{0x12, 0x34, 0x56, 0x78, 0x9A};

TEST(ByteOrder, ReadsAndRefusesByRange) {
    struct Case {
        std::string_view name;
        std::uint64_t offset;
        std::size_t width;
        std::optional<std::uint32_t> bigEndian;
        std::optional<std::uint32_t> littleEndian;
    };
    const Case cases[] = {
        {"zero width reads 0", 2, 0, 0, 0},
        {"one byte", 1, 1, 0x34, 0x34},
        {"two bytes", 0, 2, 0x1234, 0x3412},
        {"four bytes at the end", 1, 4, 0x3456789A, 0x9A785634},
        {"one byte short", 2, 4, std::nullopt, std::nullopt},
        {"offset at the end", 5, 1, std::nullopt, std::nullopt},
        {"zero width at the end", 5, 0, 0, 0},
        {"offset far past the end", std::numeric_limits<std::uint64_t>::max() - 1, 2, std::nullopt,
         std::nullopt},
        {"wider than a number", 0, 5, std::nullopt, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(readBigEndian(sample, c.offset, c.width), c.bigEndian);
        EXPECT_EQ(readLittleEndian(sample, c.offset, c.width), c.littleEndian);
    }
}

TEST(ByteOrder, SliceStaysInside) {
    EXPECT_EQ(sliceOf(sample, 3, 2)->size(), 2U);
    EXPECT_FALSE(sliceOf(sample, 3, 3));
    EXPECT_FALSE(sliceOf(sample, std::numeric_limits<std::uint64_t>::max(), 2));
}

}  // namespace
}  // namespace lifcard
