// The platform layer on Windows: Win32 file handles, the process command line, MoveFileEx and
// opens without sharing.
//
// Console text goes out with WriteFile on the standard handles, so the C run-time's text mode
// never sees it and a CR LF is written exactly once. Names are passed to the "A" functions as
// they are; the system maps their bytes through the ANSI code page.
#define WIN32_LEAN_AND_MEAN
#define NOMINMAX
#include <windows.h>

#include <algorithm>
#include <utility>

#include "common/system.hpp"
#include "common/system_shared.hpp"

namespace lifcard {

namespace {

// The largest piece moved by one ReadFile or WriteFile call.
constexpr DWORD largestTransfer = DWORD{1} << 24U;
// An ExclusiveFile that holds nothing: the value of INVALID_HANDLE_VALUE.
constexpr std::intptr_t noHandle = -1;

// The system's message for an error code, without its closing line end and full stop.
std::string reasonOf(DWORD error) {
    char* message = nullptr;
    const DWORD length = ::FormatMessageA(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, error, 0, reinterpret_cast<char*>(&message), 0, nullptr);
    std::string reason = length > 0 && message != nullptr ? std::string(message, length)
                                                          : "error " + std::to_string(error);
    ::LocalFree(message);
    while (!reason.empty() && (reason.back() == '\r' || reason.back() == '\n' ||
                               reason.back() == '.' || reason.back() == ' ')) {
        reason.pop_back();
    }
    return reason;
}

Failure lastFailure() {
    return Failure{reasonOf(::GetLastError())};
}

// Owns one file handle and closes it on every path.
class FileHandle {
  public:
    explicit FileHandle(HANDLE handle) : handle_(handle) {}
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    ~FileHandle() {
        if (valid()) {
            ::CloseHandle(handle_);
        }
    }

    [[nodiscard]] HANDLE get() const { return handle_; }
    [[nodiscard]] bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }
    // Gives up ownership without closing.
    HANDLE release() { return std::exchange(handle_, INVALID_HANDLE_VALUE); }

    // Closes now and reports a failed close.
    Status close() {
        const HANDLE handle = release();
        if (handle != INVALID_HANDLE_VALUE && ::CloseHandle(handle) == 0) {
            return lastFailure();
        }
        return {};
    }

  private:
    HANDLE handle_;
};

// The position argument of ReadFile and WriteFile for an explicit file offset.
OVERLAPPED positionAt(std::uint64_t offset) {
    OVERLAPPED position{};
    position.Offset = static_cast<DWORD>(offset & 0xFFFFFFFFU);
    position.OffsetHigh = static_cast<DWORD>(offset >> 32U);
    return position;
}

// Writes all of `bytes` at the current position, or at `offset` when one is given.
Status writeAll(HANDLE handle, ByteView bytes, const std::uint64_t* offset = nullptr) {
    std::uint64_t done = 0;
    while (!bytes.empty()) {
        const DWORD piece =
            static_cast<DWORD>(std::min<std::size_t>(bytes.size(), largestTransfer));
        DWORD written = 0;
        OVERLAPPED position = offset != nullptr ? positionAt(*offset + done) : OVERLAPPED{};
        if (::WriteFile(handle, bytes.data(), piece, &written,
                        offset != nullptr ? &position : nullptr) == 0) {
            return lastFailure();
        }
        if (written == 0) {
            return Failure{"nothing written"};
        }
        bytes = bytes.subspan(written);
        done += written;
    }
    return {};
}

// Reads up to `piece` bytes at the current position, or at `offset` when one is given; 0 at the
// end of the file.
Result<DWORD> readPiece(HANDLE handle, std::uint8_t* destination, DWORD piece,
                        const std::uint64_t* offset = nullptr) {
    DWORD got = 0;
    OVERLAPPED position = offset != nullptr ? positionAt(*offset) : OVERLAPPED{};
    if (::ReadFile(handle, destination, piece, &got, offset != nullptr ? &position : nullptr) ==
        0) {
        const DWORD error = ::GetLastError();
        if (error == ERROR_HANDLE_EOF) {
            return DWORD{0};
        }
        return Failure{reasonOf(error)};
    }
    return got;
}

// A file handle opens only plain disk files; consoles, pipes and devices are refused.
Status requireDiskFile(HANDLE handle) {
    if (::GetFileType(handle) != FILE_TYPE_DISK) {
        return Failure{"not a regular file"};
    }
    return {};
}

// The directory part of a name with its final separator ("\", "/" or a drive's ":"), or empty.
std::string directoryOf(const std::string& name) {
    const auto separator = name.find_last_of("\\/:");
    return separator == std::string::npos ? std::string() : name.substr(0, separator + 1);
}

// Creates a new, empty temporary file in `directory`; returns its name and handle.
Result<std::pair<std::string, HANDLE>> createTemporaryFile(const std::string& directory) {
    for (int attempt = 0; attempt < temporaryNameAttempts; ++attempt) {
        std::string name = temporaryFileName(directory, ::GetCurrentProcessId(), attempt);
        const HANDLE handle = ::CreateFileA(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                            FILE_ATTRIBUTE_NORMAL, nullptr);
        if (handle != INVALID_HANDLE_VALUE) {
            return std::pair{std::move(name), handle};
        }
        const DWORD error = ::GetLastError();
        if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) {
            return Failure{reasonOf(error)};
        }
    }
    return Failure{reasonOf(ERROR_FILE_EXISTS)};
}

bool isArgumentBlank(char character) {
    return static_cast<unsigned char>(character) <= 0x20;
}

// Splits a command line: bytes of code 0x20 or less separate arguments, double quotes group
// such bytes into one argument and are removed, and arguments left empty do not count.
std::vector<std::string> splitCommandLine(std::string_view line) {
    std::vector<std::string> arguments;
    std::size_t at = 0;
    while (at < line.size()) {
        while (at < line.size() && isArgumentBlank(line[at])) {
            ++at;
        }
        std::string argument;
        bool quoted = false;
        for (; at < line.size() && (quoted || !isArgumentBlank(line[at])); ++at) {
            if (line[at] == '"') {
                quoted = !quoted;
            } else {
                argument.push_back(line[at]);
            }
        }
        if (!argument.empty()) {
            arguments.push_back(std::move(argument));
        }
    }
    return arguments;
}

}  // namespace

void writeStandardStream(StandardStream stream, std::string_view text) {
    const HANDLE handle =
        ::GetStdHandle(stream == StandardStream::output ? STD_OUTPUT_HANDLE : STD_ERROR_HANDLE);
    if (handle == nullptr || handle == INVALID_HANDLE_VALUE) {
        return;
    }
    // A console that has gone away (a closed pipe) cannot be told about it; the run goes on.
    static_cast<void>(writeAll(handle, bytesOf(text)));
}

std::vector<std::string> commandLineArguments(int /*argc*/, char** /*argv*/) {
    // The run-time's argv follows other quoting rules; the command line itself is split here.
    const char* line = ::GetCommandLineA();
    std::vector<std::string> arguments = splitCommandLine(line != nullptr ? line : "");
    if (!arguments.empty()) {
        arguments.erase(arguments.begin());  // the program's own name
    }
    return arguments;
}

bool isForbiddenInFileName(char character) {
    const auto code = static_cast<unsigned char>(character);
    if (code < 0x20) {
        return true;
    }
    switch (character) {
        case '\\':
        case '/':
        case ':':
        case '*':
        case '?':
        case '"':
        case '<':
        case '>':
        case '|':
            return true;
        default:
            return false;
    }
}

PathKind pathKind(const std::string& name) {
    if (name.empty()) {
        return PathKind::missing;
    }
    const DWORD attributes = ::GetFileAttributesA(name.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        return PathKind::missing;
    }
    return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ? PathKind::directory : PathKind::file;
}

Result<ByteBuffer> readWholeFile(const std::string& name) {
    FileHandle file(::CreateFileA(name.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) {
        return lastFailure();
    }
    if (Status disk = requireDiskFile(file.get()); !disk.ok()) {
        return disk.failure();
    }
    LARGE_INTEGER size{};
    if (::GetFileSizeEx(file.get(), &size) == 0) {
        return lastFailure();
    }
    ByteBuffer content;
    const auto expected = size.QuadPart > 0 ? static_cast<std::size_t>(size.QuadPart) : 0;
    std::size_t filled = 0;
    for (;;) {
        if (filled == content.size() && !growBuffer(content, std::max(expected, firstReadSize))) {
            return Failure{reasonOf(ERROR_NOT_ENOUGH_MEMORY)};
        }
        const auto piece =
            static_cast<DWORD>(std::min<std::size_t>(content.size() - filled, largestTransfer));
        Result<DWORD> got = readPiece(file.get(), content.data() + filled, piece);
        if (!got.ok()) {
            return got.failure();
        }
        if (got.value() == 0) {
            break;
        }
        filled += got.value();
    }
    content.resize(filled);
    if (Status closed = file.close(); !closed.ok()) {
        return closed.failure();
    }
    return content;
}

Status replaceFile(const std::string& name, ByteView bytes) {
    auto created = createTemporaryFile(directoryOf(name));
    if (!created.ok()) {
        return created.failure();
    }
    const auto& [temporaryName, handle] = created.value();
    FileHandle file(handle);
    Status status = writeAll(file.get(), bytes);
    if (Status closed = file.close(); status.ok()) {
        status = closed;
    }
    if (status.ok() &&
        ::MoveFileExA(temporaryName.c_str(), name.c_str(), MOVEFILE_REPLACE_EXISTING) == 0) {
        status = lastFailure();
    }
    if (!status.ok()) {
        ::DeleteFileA(temporaryName.c_str());
    }
    return status;
}

Result<ExclusiveFile> ExclusiveFile::open(const std::string& name) {
    // Share mode 0: no other program can open the file while it is held, and the open fails
    // when another program already has it open.
    FileHandle file(::CreateFileA(name.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) {
        const DWORD error = ::GetLastError();
        return Failure{error == ERROR_SHARING_VIOLATION ? "in use by another program"
                                                        : reasonOf(error)};
    }
    if (Status disk = requireDiskFile(file.get()); !disk.ok()) {
        return disk.failure();
    }
    return ExclusiveFile(reinterpret_cast<std::intptr_t>(file.release()));
}

ExclusiveFile::ExclusiveFile(ExclusiveFile&& other) noexcept
    : handle_(std::exchange(other.handle_, noHandle)) {}

ExclusiveFile& ExclusiveFile::operator=(ExclusiveFile&& other) noexcept {
    if (this != &other) {
        static_cast<void>(close());
        handle_ = std::exchange(other.handle_, noHandle);
    }
    return *this;
}

ExclusiveFile::~ExclusiveFile() {
    static_cast<void>(close());
}

Result<std::size_t> ExclusiveFile::readAt(std::uint64_t offset,
                                          std::span<std::uint8_t> buffer) const {
    const auto handle = reinterpret_cast<HANDLE>(handle_);
    std::size_t filled = 0;
    while (filled < buffer.size()) {
        const auto piece =
            static_cast<DWORD>(std::min<std::size_t>(buffer.size() - filled, largestTransfer));
        const std::uint64_t position = offset + filled;
        Result<DWORD> got = readPiece(handle, buffer.data() + filled, piece, &position);
        if (!got.ok()) {
            return got.failure();
        }
        if (got.value() == 0) {
            break;
        }
        filled += got.value();
    }
    return filled;
}

Status ExclusiveFile::writeAt(std::uint64_t offset, ByteView bytes) const {
    return writeAll(reinterpret_cast<HANDLE>(handle_), bytes, &offset);
}

Status ExclusiveFile::close() {
    FileHandle file(reinterpret_cast<HANDLE>(std::exchange(handle_, noHandle)));
    return file.close();
}

}  // namespace lifcard
