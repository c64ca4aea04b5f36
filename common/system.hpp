// The platform layer: the few facilities of the operating system that the programs use.
//
// Console streams, the command line, the existence test, whole-file input, atomic output and
// the exclusive in-place access that the header swap needs. Each platform implements this
// interface in a file of its own; nothing else in the suite talks to the operating system.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "common/bytes.hpp"
#include "common/result.hpp"

namespace lifcard {

enum class StandardStream { output, error };

// Writes all of `text` to the stream, as bytes.
void writeStandardStream(StandardStream stream, std::string_view text);

// The program's arguments after its name, by the platform's rules; empty arguments do not count.
std::vector<std::string> commandLineArguments(int argc, char** argv);

// True for a byte that cannot stand in a plain file name of the current directory.
bool isForbiddenInFileName(char character);

enum class PathKind { missing, file, directory };

// What a name stands for; a name that cannot be examined counts as missing.
PathKind pathKind(const std::string& name);

inline bool fileExists(const std::string& name) {
    return pathKind(name) == PathKind::file;
}

// The whole content of an existing file, read read-only with a few large reads.
Result<ByteBuffer> readWholeFile(const std::string& name);

// Writes `bytes` as the file `name`: first to a temporary file beside it, then renamed into
// place. An existing file of that name is replaced only by a complete output (a symbolic link
// is replaced, never followed); on failure nothing partial or temporary is left behind.
Status replaceFile(const std::string& name, ByteView bytes);

// A file opened for reading and writing in place, held exclusively until destroyed.
class ExclusiveFile {
  public:
    static Result<ExclusiveFile> open(const std::string& name);

    ExclusiveFile(ExclusiveFile&& other) noexcept;
    ExclusiveFile& operator=(ExclusiveFile&& other) noexcept;
    ExclusiveFile(const ExclusiveFile&) = delete;
    ExclusiveFile& operator=(const ExclusiveFile&) = delete;
    ~ExclusiveFile();

    // Reads up to `buffer.size()` bytes from `offset`; the count read (short at end of file).
    Result<std::size_t> readAt(std::uint64_t offset, std::span<std::uint8_t> buffer) const;
    // Writes all of `bytes` at `offset`.
    Status writeAt(std::uint64_t offset, ByteView bytes) const;
    // Closes the file; a failed close is reported.
    Status close();

  private:
    explicit ExclusiveFile(std::intptr_t handle) : handle_(handle) {}
    std::intptr_t handle_;
};

}  // namespace lifcard
