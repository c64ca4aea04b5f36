// Runs commands round-robin, many times each, and prints for each the median wall time and
// the median CPU time (user + system, of the child) of one run, in microseconds.
//
//   time_runs RUNS COMMAND [ARGS...] [:: COMMAND [ARGS...]]...
//
// The commands run in the current directory with standard output and standard error sent to
// /dev/null; a run that fails stops the measurement. Taking the runs in turn exposes all of
// them to the same background load, so their medians compare.
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

struct Sample {
    double wallMicroseconds;
    double cpuMicroseconds;
};

double microseconds(const timeval& time) {
    return static_cast<double>(time.tv_sec) * 1e6 + static_cast<double>(time.tv_usec);
}

bool runOnce(const std::vector<char*>& command, Sample& sample) {
    const auto start = std::chrono::steady_clock::now();
    const pid_t child = ::fork();
    if (child < 0) {
        std::perror("time_runs: fork");
        return false;
    }
    if (child == 0) {
        const int null = ::open("/dev/null", O_WRONLY);
        ::dup2(null, STDOUT_FILENO);
        ::dup2(null, STDERR_FILENO);
        ::execvp(command[0], command.data());
        ::_exit(127);
    }
    int status = 0;
    rusage usage{};
    if (::wait4(child, &status, 0, &usage) != child) {
        std::perror("time_runs: wait4");
        return false;
    }
    const auto end = std::chrono::steady_clock::now();
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        (void)std::fprintf(stderr, "time_runs: %s failed (status %d)\n", command[0], status);
        return false;
    }
    sample.wallMicroseconds = std::chrono::duration<double, std::micro>(end - start).count();
    sample.cpuMicroseconds = microseconds(usage.ru_utime) + microseconds(usage.ru_stime);
    return true;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 == 1 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3 || std::atoi(argv[1]) <= 0) {
        (void)std::fputs("usage: time_runs RUNS COMMAND [ARGS...] [:: COMMAND [ARGS...]]...\n",
                         stderr);
        return 2;
    }
    const int runs = std::atoi(argv[1]);
    std::vector<std::vector<char*>> commands(1);
    for (int i = 2; i < argc; ++i) {
        if (std::string(argv[i]) == "::") {
            commands.emplace_back();
        } else {
            commands.back().push_back(argv[i]);
        }
    }
    for (auto& command : commands) {
        if (command.empty()) {
            (void)std::fputs("time_runs: empty command\n", stderr);
            return 2;
        }
        command.push_back(nullptr);
    }

    std::vector<std::vector<Sample>> samples(commands.size());
    constexpr int warmUpRuns = 3;
    for (int run = -warmUpRuns; run < runs; ++run) {
        for (std::size_t c = 0; c < commands.size(); ++c) {
            Sample sample{};
            if (!runOnce(commands[c], sample)) {
                return 1;
            }
            if (run >= 0) {
                samples[c].push_back(sample);
            }
        }
    }
    for (const auto& commandSamples : samples) {
        std::vector<double> wall;
        std::vector<double> cpu;
        for (const Sample& sample : commandSamples) {
            wall.push_back(sample.wallMicroseconds);
            cpu.push_back(sample.cpuMicroseconds);
        }
        std::printf("%.0f %.0f\n", median(wall), median(cpu));
    }
    return 0;
}
