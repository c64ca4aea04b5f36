// The header swap in-process: the header text the eight reads build and the content it leaves.
#include "headswap/header_swap.hpp"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

namespace lifcard::headswap {
namespace {

using namespace std::string_literals;

TEST(HeaderText, RepeatsTheLastByteReadForMissingPositions) {
    struct Case {
        std::string_view name;
        std::string firstBytes;
        std::string want;
    };
    const Case cases[] = {
        {"nothing read gives NUL bytes", "", "\0\0\0\0\0\0\0\0"s},
        {"one byte fills the text", "H", "HHHHHHHH"},
        {"six bytes repeat the sixth", "HPHP48", "HPHP4888"},
        {"a trailing NUL is repeated", "AB\0"s, "AB\0\0\0\0\0\0"s},
        {"eight bytes as they are", "HPHP48-R", "HPHP48-R"},
        {"bytes past the eighth are ignored", "HPHP49-BXYZ", "HPHP49-B"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(headerText(bytesOf(c.firstBytes)), c.want);
    }
}

TEST(SwappedContent, ChangesOnlyTheFirstEightBytesAndUndoesItself) {
    struct Case {
        std::string_view name;
        std::string content;
        std::string once;
        std::string twice;
    };
    const std::string body = "\x2C\x2A\0\xFF rest"s;
    const Case cases[] = {
        {"HP 48 object", "HPHP48-R" + body, "HPHP49-B" + body, "HPHP48-R" + body},
        {"HP 49 object", "HPHP49-B" + body, "HPHP48-R" + body, "HPHP49-B" + body},
        {"other HP 48 letter comes back as R", "HPHP48-\0"s + body, "HPHP49-B" + body,
         "HPHP48-R" + body},
        {"seven-byte prefix grows to a header", "HPHP48-", "HPHP49-B", "HPHP48-R"},
        {"six bytes stay", "HPHP48", "HPHP48", "HPHP48"},
        {"prefix not at offset 0 stays", "xHPHP48-R", "xHPHP48-R", "xHPHP48-R"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const ByteBuffer once = swappedContent(bytesOf(c.content));
        EXPECT_EQ(charactersOf(once), c.once);
        EXPECT_EQ(charactersOf(swappedContent(once)), c.twice);
    }
}

}  // namespace
}  // namespace lifcard::headswap
