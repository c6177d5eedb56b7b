#pragma once

// The companion command's peak memory: each iteration runs it as a fresh
// process, measured by the kernel's high-water mark of its resident memory.

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>
#include <vector>

extern char** environ;

namespace award::bench {

// Runs the command with `options`, its standard input read from `input` when
// one is given, and reports its peak memory and exit status as counters.
inline void MeasureCommand(benchmark::State& state, const std::vector<std::string>& options,
                           const std::string& input = {}) {
    std::vector<std::string> words{AWARD_SKETCH_COMMAND};
    words.insert(words.end(), options.begin(), options.end());
    std::vector<char*> argv;
    for (std::string& word : words) argv.push_back(word.data());
    argv.push_back(nullptr);

    long peakKiB = 0;
    int status = 0;
    for (auto _ : state) {
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        if (!input.empty()) posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, input.c_str(), O_RDONLY, 0);
        posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
        pid_t pid = 0;
        const int started = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
        posix_spawn_file_actions_destroy(&actions);
        if (started != 0) {
            state.SkipWithError("cannot start the command");
            break;
        }
        rusage usage{};
        wait4(pid, &status, 0, &usage);
        peakKiB = usage.ru_maxrss;
    }
    state.counters["peak_MB"] = static_cast<double>(peakKiB) / 1024.0;
    state.counters["exit"] = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace award::bench
