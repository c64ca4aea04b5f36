// Text-file line input: line ends, stray CRs, Ctrl-Z and the last line.
#include "common/text_lines.hpp"

#include <gtest/gtest.h>

namespace lifcard {
namespace {

TEST(TextLines, SplitsByTheTextFileRules) {
    struct Case {
        std::string_view name;
        std::string_view content;
        std::vector<std::string> want;
    };
    const Case cases[] = {
        {"empty file", "", {}},
        {"CR LF", "AB\r\nC\r\n", {"AB", "C"}},
        {"LF alone", "AB\nC\n", {"AB", "C"}},
        {"lone CR inside a line is dropped", "A\rB\n", {"AB"}},
        {"CR CR LF", "A\r\r\n", {"A"}},
        {"one empty line", "\r\n", {""}},
        {"no final line end", "ABC", {"ABC"}},
        {"only CR bytes", "\r\r\r", {""}},
        {"Ctrl-Z ends its line",
         "AB\x1A"
         "CD\nEF\n",
         {"AB", "EF"}},
        {"Ctrl-Z at a line start ends the file",
         "AB\n\x1A"
         "CD\nEF\n",
         {"AB"}},
        {"Ctrl-Z after the last line end", "AB\r\n\x1A", {"AB"}},
        {"Ctrl-Z mid-line without line end",
         "AB\x1A"
         "CD",
         {"AB"}},
        {"only Ctrl-Z", "\x1A\x1A", {}},
        {"blank lines between", "A\n\n\nB", {"A", "", "", "B"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(splitTextLines(bytesOf(c.content)), c.want);
    }
}

}  // namespace
}  // namespace lifcard
