// End-to-end runs of the built headswap: file content before, standard output, file content
// after, standard error and exit status.
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/console.hpp"
#include "tests/support/program_runner.hpp"

namespace lifcard::testing {
namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;

std::string program() {
    return programUnderTest(HEADSWAP_PROGRAM, "LIFCARD_HEADSWAP");
}

std::string banner() {
    Console console(Console::Target::capture);
    printBanner(console, "HP-48GX to HP-49G File Converter");
    return console.output();
}

// Every entry of the directory: a regular file by its bytes, anything else by its kind. Unlike
// ScratchDirectory::contents this never opens a FIFO.
std::map<std::string, std::string> snapshot(const ScratchDirectory& directory) {
    std::map<std::string, std::string> found;
    for (const auto& item : fs::directory_iterator(directory.path())) {
        const std::string name = item.path().filename().string();
        if (item.is_regular_file()) {
            found[name] = asText(directory.read(name).value_or(ByteBuffer{}));
        } else {
            found[name] = item.is_directory() ? "<dir>" : "<other>";
        }
    }
    return found;
}

// Holds an exclusive advisory lock on a file for as long as it lives.
class HeldLock {
  public:
    explicit HeldLock(const fs::path& path) : descriptor_(::open(path.c_str(), O_RDWR)) {
        EXPECT_GE(descriptor_, 0);
        EXPECT_EQ(::flock(descriptor_, LOCK_EX | LOCK_NB), 0);
    }
    HeldLock(const HeldLock&) = delete;
    HeldLock& operator=(const HeldLock&) = delete;
    ~HeldLock() {
        if (descriptor_ >= 0) {
            ::close(descriptor_);
        }
    }

  private:
    int descriptor_;
};

// What the scratch directory holds besides its files before the run.
enum class Extra { none, directory, fifo, lockedFile };

struct Case {
    std::string_view name{};
    std::map<std::string, std::string> before{};
    Extra extra = Extra::none;
    std::string argument = "GAME.CRD";
    // Standard output after the banner, one entry per run; the runs stop at the first failure.
    std::vector<std::string> printed{};
    std::map<std::string, std::string> after{};
    int exitStatus = 0;
    std::string errorStart{};  // the start of the standard-error line, or empty for no output
    std::optional<std::uint64_t> fileSizeLimit{};
    bool posixOnly = false;
};

TEST(HeadswapRun, SwapsTheHeaderInPlaceOrRefusesTheFile) {
    const std::string data = "\x2C\x2A\x50\0\xFF\r\nZARVOCRD"s;
    const std::string empty = "\r\n";
    const std::string to49 = "HPHP49-B\r\n";
    const std::string to48 = "HPHP48-R\r\n";
    const std::string readOnlyAttribute = "/sys/kernel/uevent_seqnum";
    const Case cases[] = {
        {.name = "HP 48 header with data",
         .before = {{"GAME.CRD", "HPHP48-R" + data}},
         .printed = {to49},
         .after = {{"GAME.CRD", "HPHP49-B" + data}}},
        {.name = "HP 49 header with data",
         .before = {{"GAME.CRD", "HPHP49-B" + data}},
         .printed = {to48},
         .after = {{"GAME.CRD", "HPHP48-R" + data}}},
        {.name = "HP 48 prefix, other letter",
         .before = {{"GAME.CRD", "HPHP48-X" + data}},
         .printed = {to49},
         .after = {{"GAME.CRD", "HPHP49-B" + data}}},
        {.name = "HP 48 prefix, NUL letter",
         .before = {{"GAME.CRD", "HPHP48-\0"s + data}},
         .printed = {to49},
         .after = {{"GAME.CRD", "HPHP49-B" + data}}},
        {.name = "HP 49 prefix, byte FF",
         .before = {{"GAME.CRD", "HPHP49-\xFF"}},
         .printed = {to48},
         .after = {{"GAME.CRD", "HPHP48-R"}}},
        {.name = "lower-case prefix",
         .before = {{"GAME.CRD", "hphp48-r" + data}},
         .printed = {empty},
         .after = {{"GAME.CRD", "hphp48-r" + data}}},
        {.name = "other first 7 bytes",
         .before = {{"GAME.CRD", "HPHP47-R" + data}},
         .printed = {empty},
         .after = {{"GAME.CRD", "HPHP47-R" + data}}},
        {.name = "prefix after offset 0",
         .before = {{"GAME.CRD", " HPHP48-R"}},
         .printed = {empty},
         .after = {{"GAME.CRD", " HPHP48-R"}}},
        {.name = "empty file",
         .before = {{"GAME.CRD", ""}},
         .printed = {empty},
         .after = {{"GAME.CRD", ""}}},
        {.name = "1 byte",
         .before = {{"GAME.CRD", "H"}},
         .printed = {empty},
         .after = {{"GAME.CRD", "H"}}},
        {.name = "6 bytes HPHP48",
         .before = {{"GAME.CRD", "HPHP48"}},
         .printed = {empty},
         .after = {{"GAME.CRD", "HPHP48"}}},
        {.name = "7 bytes HPHP48- grows to 8",
         .before = {{"GAME.CRD", "HPHP48-"}},
         .printed = {to49},
         .after = {{"GAME.CRD", "HPHP49-B"}}},
        {.name = "7 bytes HPHP49- grows to 8",
         .before = {{"GAME.CRD", "HPHP49-"}},
         .printed = {to48},
         .after = {{"GAME.CRD", "HPHP48-R"}}},
        {.name = "exactly the 8 header bytes",
         .before = {{"GAME.CRD", "HPHP48-R"}},
         .printed = {to49},
         .after = {{"GAME.CRD", "HPHP49-B"}}},
        {.name = "swapped twice",
         .before = {{"GAME.CRD", "HPHP48-R" + data}},
         .printed = {to49, to48},
         .after = {{"GAME.CRD", "HPHP48-R" + data}}},
        {.name = "swapped twice, another letter comes back as R",
         .before = {{"GAME.CRD", "HPHP48-Q" + data}},
         .printed = {to49, to48},
         .after = {{"GAME.CRD", "HPHP48-R" + data}}},
        {.name = "lower-case name opens the upper-cased file",
         .before = {{"GAME.CRD", "HPHP48-R"}, {"game.crd", "HPHP48-R"}},
         .argument = "game.crd",
         .printed = {to49},
         .after = {{"GAME.CRD", "HPHP49-B"}, {"game.crd", "HPHP48-R"}}},
        {.name = "lower-case name, only the typed file exists",
         .before = {{"game.crd", "HPHP49-B"}},
         .argument = "game.crd",
         .printed = {to48},
         .after = {{"game.crd", "HPHP48-R"}}},
        {.name = "no argument",
         .before = {{"GAME.CRD", "HPHP48-R"}},
         .argument = "",
         .printed = {"Usage: HEADSWAP <FILENAME>\r\n"},
         .after = {{"GAME.CRD", "HPHP48-R"}}},
        {.name = "missing file, nothing created",
         .argument = "missing.crd",
         .printed = {""},
         .exitStatus = 1,
         .errorStart = "headswap: cannot open missing.crd: "},
        {.name = "directory",
         .extra = Extra::directory,
         .printed = {""},
         .after = {{"GAME.CRD", "<dir>"}},
         .exitStatus = 1,
         .errorStart = "headswap: cannot open GAME.CRD: "},
        // sysfs refuses to open a read-only attribute for writing even to root, who could open
        // a read-only file (or /proc/version) anywhere else.
        {.name = "file that cannot be opened for writing",
         .argument = readOnlyAttribute,
         .printed = {""},
         .exitStatus = 1,
         .errorStart = "headswap: cannot open " + readOnlyAttribute + ": ",
         .posixOnly = true},
        {.name = "FIFO, refused at once",
         .extra = Extra::fifo,
         .printed = {""},
         .after = {{"GAME.CRD", "<other>"}},
         .exitStatus = 1,
         .errorStart = "headswap: cannot open GAME.CRD: ",
         .posixOnly = true},
        {.name = "file locked by another program",
         .before = {{"GAME.CRD", "HPHP48-R"}},
         .extra = Extra::lockedFile,
         .printed = {""},
         .after = {{"GAME.CRD", "HPHP48-R"}},
         .exitStatus = 1,
         .errorStart = "headswap: cannot open GAME.CRD: ",
         .posixOnly = true},
        {.name = "write that fails is reported",
         .before = {{"GAME.CRD", "HPHP48-"}},
         .printed = {to49},
         .after = {{"GAME.CRD", "HPHP49-"}},  // the bytes that fitted under the size limit
         .exitStatus = 1,
         .errorStart = "headswap: cannot write GAME.CRD: ",
         .fileSizeLimit = 7,
         .posixOnly = true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.posixOnly && underLauncher()) {
            continue;
        }
        if (c.argument == readOnlyAttribute && !fs::exists(readOnlyAttribute)) {
            continue;  // no sysfs here
        }
        const ScratchDirectory directory;
        for (const auto& [name, content] : c.before) {
            directory.write(name, content);
        }
        const fs::path target = directory / c.argument;
        if (c.extra == Extra::directory) {
            fs::create_directory(target);
        } else if (c.extra == Extra::fifo) {
            ASSERT_EQ(::mkfifo(target.c_str(), 0600), 0);
        }
        std::optional<HeldLock> lock;
        if (c.extra == Extra::lockedFile) {
            lock.emplace(target);
        }

        std::vector<std::string> arguments;
        if (!c.argument.empty()) {
            arguments.push_back(c.argument);
        }
        for (std::size_t run = 0; run < c.printed.size(); ++run) {
            SCOPED_TRACE("run " + std::to_string(run + 1));
            const RunResult result =
                runProgram(program(), arguments, directory.path(), {c.fileSizeLimit});
            EXPECT_EQ(result.output, banner() + c.printed[run]);
            const bool last = run + 1 == c.printed.size();
            EXPECT_EQ(result.exitStatus, last ? c.exitStatus : 0);
            if (last && !c.errorStart.empty()) {
                EXPECT_TRUE(result.error.starts_with(c.errorStart)) << result.error;
                EXPECT_GT(result.error.size(), c.errorStart.size() + 2) << "a reason follows";
                EXPECT_TRUE(result.error.ends_with("\r\n")) << result.error;
                EXPECT_EQ(result.error.find("\r\n"), result.error.size() - 2) << "one line";
            } else {
                EXPECT_EQ(result.error, "");
            }
        }
        lock.reset();
        EXPECT_EQ(snapshot(directory), c.after);
    }
}

}  // namespace
}  // namespace lifcard::testing
