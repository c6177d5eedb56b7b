// Peak memory of the companion command as the banner grows: it reads its input
// a piece at a time and writes the sketch as it goes, so its memory should stay
// flat in the phrase count, also far past what the board holds (where it only
// counts phrases and refuses). Each run is a fresh process, measured by the
// kernel's high-water mark of its resident memory.

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

extern char** environ;

namespace {

const char* const kPhrases[] = {"賀", "本校", "資訊科", "三年甲班", "陳怡君", "參加", "全國技能", "競賽",
                                "榮獲", "程式設計", "第一名", "指導老師", "林建宏", "黃淑芬", "恭喜"};

std::string InputFile(long phrases) {
    const std::string path = "/tmp/award-banner-bench-" + std::to_string(getpid()) + "-" + std::to_string(phrases);
    FILE* file = std::fopen(path.c_str(), "wb");
    for (long i = 0; i < phrases; ++i) std::fprintf(file, "%s ", kPhrases[i % 15]);
    std::fclose(file);
    return path;
}

void BM_CommandPeakMemory(benchmark::State& state) {
    const std::string input = InputFile(state.range(0));
    long peakKiB = 0;
    int status = 0;
    for (auto _ : state) {
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, input.c_str(), O_RDONLY, 0);
        posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
        char* argv[] = {const_cast<char*>(AWARD_SKETCH_COMMAND), nullptr};
        pid_t pid = 0;
        if (posix_spawn(&pid, argv[0], &actions, nullptr, argv, environ) != 0) {
            state.SkipWithError("cannot start the command");
            break;
        }
        posix_spawn_file_actions_destroy(&actions);
        rusage usage{};
        wait4(pid, &status, 0, &usage);
        peakKiB = usage.ru_maxrss;
    }
    std::remove(input.c_str());
    state.counters["peak_MB"] = static_cast<double>(peakKiB) / 1024.0;
    state.counters["exit"] = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}
BENCHMARK(BM_CommandPeakMemory)
    ->Arg(15)->Arg(1940)->Arg(15000)->Arg(100000)->Arg(1000000)
    ->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
