// Scratch directories and child processes for the end-to-end tests.
#include "tests/support/program_runner.hpp"

#include <fcntl.h>
#include <poll.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <csignal>
#include <cstdlib>
#include <fstream>
#include <stdexcept>

namespace lifcard::testing {

namespace fs = std::filesystem;

ScratchDirectory::ScratchDirectory() {
    std::string pattern = (fs::temp_directory_path() / "lifcard-test-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) {
        throw std::runtime_error("cannot create a scratch directory");
    }
    path_ = pattern;
}

ScratchDirectory::~ScratchDirectory() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
}

void ScratchDirectory::write(const std::string& name, ByteView bytes) const {
    std::ofstream file(path_ / name, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    if (!file) {
        throw std::runtime_error("cannot write " + name);
    }
}

void ScratchDirectory::write(const std::string& name, std::string_view text) const {
    write(name, bytesOf(text));
}

std::optional<ByteBuffer> ScratchDirectory::read(const std::string& name) const {
    std::ifstream file(path_ / name, std::ios::binary);
    if (!file || fs::is_directory(path_ / name)) {
        return std::nullopt;
    }
    return ByteBuffer(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

std::map<std::string, std::string> ScratchDirectory::contents() const {
    std::map<std::string, std::string> found;
    for (const auto& item : fs::recursive_directory_iterator(path_)) {
        const std::string name = fs::relative(item.path(), path_).string();
        if (item.is_symlink()) {
            found[name] = "<link " + fs::read_symlink(item.path()).string() + ">";
        } else if (item.is_directory()) {
            found[name] = "<dir>";
        } else {
            found[name] = asText(read(name).value_or(ByteBuffer{}));
        }
    }
    return found;
}

std::string asText(const ByteBuffer& bytes) {
    return {bytes.begin(), bytes.end()};
}

std::string programUnderTest(const std::string& builtPath, const char* override) {
    const char* other = std::getenv(override);
    return other != nullptr && *other != '\0' ? std::string(other) : builtPath;
}

bool underLauncher() {
    const char* launcher = std::getenv("LIFCARD_LAUNCHER");
    return launcher != nullptr && *launcher != '\0';
}

RunResult runProgram(const std::string& program, const std::vector<std::string>& arguments,
                     const fs::path& workingDirectory, RunOptions options) {
    std::array<int, 2> outputPipe{};
    std::array<int, 2> errorPipe{};
    if (::pipe2(outputPipe.data(), O_CLOEXEC) != 0 || ::pipe2(errorPipe.data(), O_CLOEXEC) != 0) {
        throw std::runtime_error("pipe failed");
    }
    std::vector<std::string> argv{program};
    if (underLauncher()) {
        argv.insert(argv.begin(), std::getenv("LIFCARD_LAUNCHER"));
    }
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    std::vector<char*> pointers;
    pointers.reserve(argv.size() + 1);
    for (std::string& argument : argv) {
        pointers.push_back(argument.data());
    }
    pointers.push_back(nullptr);

    const pid_t child = ::fork();
    if (child < 0) {
        throw std::runtime_error("fork failed");
    }
    if (child == 0) {
        ::dup2(outputPipe[1], STDOUT_FILENO);
        ::dup2(errorPipe[1], STDERR_FILENO);
        const int nothing = ::open("/dev/null", O_RDONLY);
        ::dup2(nothing, STDIN_FILENO);
        if (::chdir(workingDirectory.c_str()) != 0) {
            ::_exit(126);
        }
        if (options.fileSizeLimit) {
            static_cast<void>(::signal(SIGXFSZ, SIG_IGN));
            const rlimit limit{*options.fileSizeLimit, *options.fileSizeLimit};
            ::setrlimit(RLIMIT_FSIZE, &limit);
        }
        ::alarm(30);  // a hung program fails its test instead of the whole run
        ::execvp(pointers[0], pointers.data());
        ::_exit(127);
    }
    ::close(outputPipe[1]);
    ::close(errorPipe[1]);

    RunResult result;
    std::array<pollfd, 2> streams{{{outputPipe[0], POLLIN, 0}, {errorPipe[0], POLLIN, 0}}};
    int open = 2;
    while (open > 0) {
        if (::poll(streams.data(), streams.size(), -1) < 0) {
            continue;
        }
        for (std::size_t i = 0; i < streams.size(); ++i) {
            if (streams[i].fd < 0 || streams[i].revents == 0) {
                continue;
            }
            std::array<char, 65536> buffer{};
            const ssize_t got = ::read(streams[i].fd, buffer.data(), buffer.size());
            if (got <= 0) {
                ::close(streams[i].fd);
                streams[i].fd = -1;
                --open;
                continue;
            }
            (i == 0 ? result.output : result.error)
                .append(buffer.data(), static_cast<std::size_t>(got));
        }
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    result.exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

}  // namespace lifcard::testing
