// Runs a built program the way a user does: in a fresh scratch directory, with arguments, and
// collects its exact standard output, standard error and exit status.
#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "common/bytes.hpp"

namespace lifcard::testing {

// A fresh, empty directory that is removed with everything in it when destroyed.
class ScratchDirectory {
  public:
    ScratchDirectory();
    ScratchDirectory(const ScratchDirectory&) = delete;
    ScratchDirectory& operator=(const ScratchDirectory&) = delete;
    ~ScratchDirectory();

    [[nodiscard]] const std::filesystem::path& path() const { return path_; }
    [[nodiscard]] std::filesystem::path operator/(const std::string& name) const {
        return path_ / name;
    }

    // Writes a file inside the directory.
    void write(const std::string& name, ByteView bytes) const;
    void write(const std::string& name, std::string_view text) const;
    // Reads a file inside the directory; nothing when there is none.
    [[nodiscard]] std::optional<ByteBuffer> read(const std::string& name) const;
    // Every entry of the directory tree with its bytes (directories map to "<dir>").
    [[nodiscard]] std::map<std::string, std::string> contents() const;

  private:
    std::filesystem::path path_;
};

struct RunOptions {
    std::optional<std::uint64_t> fileSizeLimit;  // RLIMIT_FSIZE in the child, SIGXFSZ ignored
};

struct RunResult {
    std::string output;
    std::string error;
    int exitStatus = -1;  // -1 when the program did not exit normally
};

// The program the end-to-end tests run: `builtPath`, unless the environment variable named
// `override` names another build of it (the Windows build, say).
std::string programUnderTest(const std::string& builtPath, const char* override);

// True when the environment variable LIFCARD_LAUNCHER names a launcher (such as "wine") that
// runs the programs under test; platform-specific cases are skipped then.
bool underLauncher();

// Runs `program` with `arguments` in `workingDirectory`, through the launcher when one is set.
RunResult runProgram(const std::string& program, const std::vector<std::string>& arguments,
                     const std::filesystem::path& workingDirectory, RunOptions options = {});

// Bytes of a text, for comparing files with text.
std::string asText(const ByteBuffer& bytes);

}  // namespace lifcard::testing
