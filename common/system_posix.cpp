// The platform layer on POSIX systems: file descriptors, stat, rename and flock.
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <utility>

#include "common/system.hpp"
#include "common/system_shared.hpp"

namespace lifcard {

namespace {

// The largest piece moved by one read or write call.
constexpr std::size_t largestTransfer = std::size_t{1} << 24U;

std::string reasonOf(int error) {
    return std::strerror(error);
}

// Owns one file descriptor and closes it on every path.
class FileDescriptor {
  public:
    explicit FileDescriptor(int descriptor) : descriptor_(descriptor) {}
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    ~FileDescriptor() {
        if (descriptor_ >= 0) {
            ::close(descriptor_);
        }
    }

    [[nodiscard]] int get() const { return descriptor_; }
    [[nodiscard]] bool valid() const { return descriptor_ >= 0; }
    // Gives up ownership without closing.
    int release() { return std::exchange(descriptor_, -1); }

    // Closes now and reports a failed close (delayed write errors show up here).
    Status close() {
        const int descriptor = std::exchange(descriptor_, -1);
        if (descriptor >= 0 && ::close(descriptor) != 0) {
            return Failure{reasonOf(errno)};
        }
        return {};
    }

  private:
    int descriptor_;
};

// Repeats `transfer(done)`, a read or write of what remains after the first `done` bytes,
// until `size` bytes have moved or a call moves none; an interrupted call is simply repeated.
// Returns the bytes moved.
template <typename Transfer>
Result<std::size_t> transferAll(std::size_t size, Transfer transfer) {
    std::size_t done = 0;
    while (done < size) {
        const ssize_t moved = transfer(done);
        if (moved < 0) {
            if (errno == EINTR) {
                continue;
            }
            return Failure{reasonOf(errno)};
        }
        if (moved == 0) {
            break;
        }
        done += static_cast<std::size_t>(moved);
    }
    return done;
}

// A write that moves fewer bytes than asked, without an error of its own, counts as a failure.
Status wholeWrite(const Result<std::size_t>& moved, std::size_t size) {
    if (!moved.ok()) {
        return moved.failure();
    }
    return moved.value() == size ? Status{} : Status{Failure{reasonOf(EIO)}};
}

Status writeAll(int descriptor, ByteView bytes) {
    const auto writeRest = [&](std::size_t done) {
        return ::write(descriptor, bytes.data() + done,
                       std::min(bytes.size() - done, largestTransfer));
    };
    return wholeWrite(transferAll(bytes.size(), writeRest), bytes.size());
}

// The directory part of a path as the kernel reads it, with its final "/", or empty.
std::string directoryOf(const std::string& name) {
    const auto slash = name.rfind('/');
    return slash == std::string::npos ? std::string() : name.substr(0, slash + 1);
}

// Creates a new, empty temporary file in `directory`; returns its name and descriptor.
Result<std::pair<std::string, int>> createTemporaryFile(const std::string& directory) {
    for (int attempt = 0; attempt < temporaryNameAttempts; ++attempt) {
        std::string name =
            temporaryFileName(directory, static_cast<unsigned long>(::getpid()), attempt);
        const int descriptor =
            ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666);
        if (descriptor >= 0) {
            return std::pair{std::move(name), descriptor};
        }
        if (errno != EEXIST) {
            return Failure{reasonOf(errno)};
        }
    }
    return Failure{reasonOf(EEXIST)};
}

}  // namespace

void writeStandardStream(StandardStream stream, std::string_view text) {
    const int descriptor = stream == StandardStream::output ? STDOUT_FILENO : STDERR_FILENO;
    // A console that has gone away (a closed pipe) cannot be told about it; the run goes on.
    static_cast<void>(writeAll(descriptor, bytesOf(text)));
}

std::vector<std::string> commandLineArguments(int argc, char** argv) {
    std::vector<std::string> arguments;
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (!argument.empty()) {
            arguments.emplace_back(argument);
        }
    }
    return arguments;
}

bool isForbiddenInFileName(char character) {
    return character == '/' || character == '\0';
}

PathKind pathKind(const std::string& name) {
    struct stat status {};
    if (name.empty() || ::stat(name.c_str(), &status) != 0) {
        return PathKind::missing;
    }
    return S_ISDIR(status.st_mode) ? PathKind::directory : PathKind::file;
}

Result<ByteBuffer> readWholeFile(const std::string& name) {
    // Non-blocking, so that opening a FIFO cannot hang the run; such files are refused below.
    FileDescriptor file(::open(name.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (!file.valid()) {
        return Failure{reasonOf(errno)};
    }
    struct stat status {};
    if (::fstat(file.get(), &status) != 0) {
        return Failure{reasonOf(errno)};
    }
    if (S_ISDIR(status.st_mode)) {
        return Failure{reasonOf(EISDIR)};
    }
    if (!S_ISREG(status.st_mode) && !S_ISBLK(status.st_mode)) {
        return Failure{"not a regular file"};
    }
    ByteBuffer content;
    const std::size_t expected = status.st_size > 0 ? static_cast<std::size_t>(status.st_size) : 0;
    std::size_t filled = 0;
    for (;;) {
        if (filled == content.size() && !growBuffer(content, std::max(expected, firstReadSize))) {
            return Failure{reasonOf(ENOMEM)};
        }
        const std::size_t piece = std::min(content.size() - filled, largestTransfer);
        const ssize_t got = ::read(file.get(), content.data() + filled, piece);
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            return Failure{reasonOf(errno)};
        }
        if (got == 0) {
            break;
        }
        filled += static_cast<std::size_t>(got);
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
    const auto& [temporaryName, descriptor] = created.value();
    FileDescriptor file(descriptor);
    Status status = writeAll(file.get(), bytes);
    if (Status closed = file.close(); status.ok()) {
        status = closed;
    }
    if (status.ok() && ::rename(temporaryName.c_str(), name.c_str()) != 0) {
        status = Failure{reasonOf(errno)};
    }
    if (!status.ok()) {
        ::unlink(temporaryName.c_str());
    }
    return status;
}

Result<ExclusiveFile> ExclusiveFile::open(const std::string& name) {
    FileDescriptor file(::open(name.c_str(), O_RDWR | O_NONBLOCK | O_CLOEXEC));
    if (!file.valid()) {
        return Failure{reasonOf(errno)};
    }
    struct stat status {};
    if (::fstat(file.get(), &status) != 0) {
        return Failure{reasonOf(errno)};
    }
    if (!S_ISREG(status.st_mode)) {
        return Failure{"not a regular file"};
    }
    if (::flock(file.get(), LOCK_EX | LOCK_NB) != 0) {
        return Failure{errno == EWOULDBLOCK ? "in use by another program" : reasonOf(errno)};
    }
    return ExclusiveFile(file.release());
}

ExclusiveFile::ExclusiveFile(ExclusiveFile&& other) noexcept
    : handle_(std::exchange(other.handle_, -1)) {}

ExclusiveFile& ExclusiveFile::operator=(ExclusiveFile&& other) noexcept {
    if (this != &other) {
        static_cast<void>(close());
        handle_ = std::exchange(other.handle_, -1);
    }
    return *this;
}

ExclusiveFile::~ExclusiveFile() {
    static_cast<void>(close());
}

Result<std::size_t> ExclusiveFile::readAt(std::uint64_t offset,
                                          std::span<std::uint8_t> buffer) const {
    return transferAll(buffer.size(), [&](std::size_t done) {
        return ::pread(static_cast<int>(handle_), buffer.data() + done, buffer.size() - done,
                       static_cast<off_t>(offset + done));
    });
}

Status ExclusiveFile::writeAt(std::uint64_t offset, ByteView bytes) const {
    const auto writeRest = [&](std::size_t done) {
        return ::pwrite(static_cast<int>(handle_), bytes.data() + done, bytes.size() - done,
                        static_cast<off_t>(offset + done));
    };
    return wholeWrite(transferAll(bytes.size(), writeRest), bytes.size());
}

Status ExclusiveFile::close() {
    FileDescriptor file(static_cast<int>(std::exchange(handle_, -1)));
    return file.close();
}

}  // namespace lifcard
