// Name rules: upper-casing, trimming, extensions, file-name parts and plain output names.
#include "common/names.hpp"

#include <gtest/gtest.h>

namespace lifcard {
namespace {

using namespace std::string_literals;

TEST(Names, UpperCasesOnlyAsciiLetters) {
    EXPECT_EQ(upperCase("game.lif"), "GAME.LIF");
    EXPECT_EQ(upperCase("\xE4z{1}\x00"s), "\xE4Z{1}\x00"s);
}

TEST(Names, TrimsControlsAndBlanks) {
    struct Case {
        std::string name;
        std::string want;
    };
    const Case cases[] = {
        {"WORKFILE  ", "WORKFILE"},
        {"MY FILE   ", "MY FILE"},
        {"          ", ""},
        {"\0\x01 AB\x1F\x20"s, "AB"},
        {"\xFF"
         "AB  \x80"s,
         "\xFF"
         "AB  \x80"s},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(trimControls(c.name), c.want);
    }
}

TEST(Names, SplitsAndDerivesByTheNameRules) {
    struct Case {
        std::string_view name;
        std::string_view directory;
        std::string_view fileName;
        std::string_view extension;
        std::string_view card;
    };
    const Case cases[] = {
        {"GAME.LIF", "", "GAME.LIF", ".LIF", "GAME.CRD"},
        {"GAME", "", "GAME", "", "GAME.CRD"},
        {"DIR.X\\GAME", "DIR.X\\", "GAME", "", "DIR.X\\GAME.CRD"},
        {"C:\\WORK\\MY.NOTES.TXT", "C:\\WORK\\", "MY.NOTES.TXT", ".TXT", "C:\\WORK\\MY.NOTES.CRD"},
        {"sub/notes.txt", "sub/", "notes.txt", ".txt", "sub/notes.CRD"},
        {"A:B", "A:", "B", "", "A:B.CRD"},
        {"dir.d/", "dir.d/", "", "", "dir.d/.CRD"},
        {"NOTES.TXT.LIF", "", "NOTES.TXT.LIF", ".LIF", "NOTES.TXT.CRD"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(directoryPart(c.name), c.directory);
        EXPECT_EQ(fileNamePart(c.name), c.fileName);
        EXPECT_EQ(extensionOf(c.name), c.extension);
        EXPECT_EQ(withExtension(c.name, ".CRD"), c.card);
    }
}

TEST(Names, PlainFileNamesCannotLeaveTheDirectory) {
    EXPECT_EQ(plainFileName("../ETC.BAS"), ".._ETC.BAS");
    EXPECT_EQ(plainFileName("/ABS"), "_ABS");
    EXPECT_EQ(plainFileName("A\0B"s), "A_B");
    EXPECT_EQ(plainFileName("\xFF\x80 OK"), "\xFF\x80 OK");
}

}  // namespace
}  // namespace lifcard
