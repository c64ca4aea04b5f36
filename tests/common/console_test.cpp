// Console text and number formatting in the suite's conventions.
#include "common/console.hpp"

#include <gtest/gtest.h>

namespace lifcard {
namespace {

TEST(Console, LinesEndInCarriageReturnLineFeed) {
    Console console(Console::Target::capture);
    printBanner(console, "TITLE");
    console.write("Reading ... ");
    console.line("done");
    console.errorLine("failure");
    const std::string& out = console.output();
    EXPECT_TRUE(out.starts_with("\r\nTITLE\r\n"));
    EXPECT_TRUE(out.ends_with("\r\n\r\nReading ... done\r\n"));
    EXPECT_EQ(console.error(), "failure\r\n");
}

TEST(Console, FormatsNumbers) {
    struct Case {
        std::uint32_t value;
        int digits;
        std::string_view want;
    };
    const Case cases[] = {
        {0, 4, "0000"},
        {2, 4, "0002"},
        {0x12345, 4, "12345"},
        {0xE214, 4, "E214"},
        {0xFFFFFFFF, 4, "FFFFFFFF"},
        {500, 5, "001F4"},
        {0x100000, 5, "100000"},
        {0x0A, 2, "0A"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.want);
        EXPECT_EQ(hexadecimal(c.value, c.digits), c.want);
    }
    EXPECT_EQ(decimal(0), "0");
    EXPECT_EQ(decimal(-12), "-12");
    EXPECT_EQ(decimal(65532), "65532");
}

TEST(Console, PadsReportLabels) {
    EXPECT_EQ(reportLabel("VolumeID", 19), "VolumeID         = ");
    EXPECT_EQ(reportLabel("TracksPerSurface", 19), "TracksPerSurface = ");
    EXPECT_EQ(reportLabel("NumberOfRecords", 18), "NumberOfRecords = ");
    EXPECT_EQ(reportLabel("FileSize", 18), "FileSize        = ");
}

}  // namespace
}  // namespace lifcard
