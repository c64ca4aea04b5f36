// A card image written for the HP 49 equals, byte for byte, the HP 48 card of the same file
// after one header swap, and the swap takes it back again.
#include <gtest/gtest.h>

#include <string>

#include "tests/support/program_runner.hpp"

namespace lifcard::testing {
namespace {

TEST(MagstripRoundTrip, HeaderSwapTurnsOneTargetIntoTheOther) {
    const std::string magstrip = programUnderTest(MAGSTRIP_PROGRAM, "LIFCARD_MAGSTRIP");
    const std::string headswap = programUnderTest(HEADSWAP_PROGRAM, "LIFCARD_HEADSWAP");
    const ScratchDirectory directory;
    std::string text;
    for (int line = 10; line <= 990; line += 10) {  // long enough for several tracks
        text += std::to_string(line) + " DISP \"LINE " + std::to_string(line) + "\"\r\n";
    }
    directory.write("GAME.TXT", text);

    ASSERT_EQ(runProgram(magstrip, {"GAME.TXT", "HP48.CRD"}, directory.path()).exitStatus, 0);
    ASSERT_EQ(runProgram(magstrip, {"-49", "GAME.TXT", "HP49.CRD"}, directory.path()).exitStatus,
              0);
    const ByteBuffer hp48Card = directory.read("HP48.CRD").value_or(ByteBuffer{});
    const ByteBuffer hp49Card = directory.read("HP49.CRD").value_or(ByteBuffer{});
    ASSERT_GT(hp48Card.size(), 8U);
    EXPECT_EQ(asText(hp48Card).substr(0, 8), "HPHP48-R");

    directory.write("SWAPPED.CRD", hp48Card);
    EXPECT_EQ(runProgram(headswap, {"SWAPPED.CRD"}, directory.path()).exitStatus, 0);
    EXPECT_EQ(directory.read("SWAPPED.CRD"), hp49Card);

    EXPECT_EQ(runProgram(headswap, {"SWAPPED.CRD"}, directory.path()).exitStatus, 0);
    EXPECT_EQ(directory.read("SWAPPED.CRD"), hp48Card);
}

}  // namespace
}  // namespace lifcard::testing
