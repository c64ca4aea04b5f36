// The fuzz harnesses' properties replayed in-process over inputs built in code: the shapes the
// fuzzers start from, and every input a fuzzer has found breaking a property.
#include <gtest/gtest.h>

#include <functional>

#include "fuzz/invariants.hpp"
#include "tests/support/lif_assembler.hpp"

namespace lifcard::testing {
namespace {

using namespace std::string_literals;

struct Case {
    std::string_view name;
    std::function<std::string(ByteView)> check;
    ByteBuffer input;
};

ByteBuffer bytes(std::string_view text) {
    return {text.begin(), text.end()};
}

TEST(FuzzProperties, HoldForTheReplayedInputs) {
    using namespace lifcard::fuzzing;
    VolumeAssembler hostile;
    hostile.addFile("A\r\nB", 0x0001, textBody({"X"}));  // a line break inside an entry line
    hostile.addFile("..", 0xE21C, ByteBuffer(256, 1));
    auto far = makeEntry("FAR", 0xE0D5);
    far.startRecord = 0xFFFFFFFF;
    far.fileLength = 0xFFFFFFFF;
    hostile.addSlot(far);
    auto whole = makeEntry("WHOLE", 0xE0D1);
    whole.fileLength = 0xFFFFFFFF;  // a text body over the whole image, header included
    hostile.addSlot(whole);

    const Case cases[] = {
        {"volume: empty file", checkVolumeExtraction, {}},
        {"volume: hostile entries", checkVolumeExtraction, hostile.build()},
        {"volume: directory over the whole image", checkVolumeExtraction,
         [] {
             ByteBuffer image(4096, 0x41);
             std::fill_n(image.begin() + 8, 4, 0x00);   // DirectoryStart 0
             std::fill_n(image.begin() + 16, 4, 0xFF);  // DirectoryBlocks
             return image;
         }()},
        {"LIF file: empty", checkLifFileCard, {}},
        {"LIF file: R a multiple of 1300", checkLifFileCard,
         lifFile(makeEntry("EVEN", 0xE214, {0x28, 0x0A, 0, 0}), ByteBuffer(1300, 7))},
        {"LIF file: largest body, file cut short", checkLifFileCard,
         lifFile(makeEntry("BIG", 0xE214, {0xF8, 0xFF, 0x01, 0}), ByteBuffer(100, 9))},
        {"LIF file: records over the limit", checkLifFileCard,
         lifFile(makeEntry("REC", 0xE0F1, {0xFF, 0xFF, 0xFF, 0xFF}), {})},
        {"LIF file: TEXT type", checkLifFileCard, lifFile(makeEntry("T", 0x0001), {})},
        {"text: empty", checkTextFileCard, {}},
        {"text: line rules", checkTextFileCard,
         bytes("A\rB\r\nC\x1A"
               "D\n\r\x1A\n\x1A"
               "E")},
        {"text: largest body", checkTextFileCard, ByteBuffer(65528, 'x')},
        {"text: one byte over", checkTextFileCard, bytes(std::string(65529, 'x'))},
        {"text: 0xFFFF characters", checkTextFileCard, ByteBuffer(65535, 'y')},
        {"header: empty", checkHeaderSwap, {}},
        {"header: 7 bytes", checkHeaderSwap, bytes("HPHP49-")},
        {"header: HP 48 object", checkHeaderSwap, bytes("HPHP48-R\0\xFFZ"s)},
        {"header: other letter", checkHeaderSwap, bytes("HPHP49-Xyz")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.check(c.input), "");
    }
}

}  // namespace
}  // namespace lifcard::testing
