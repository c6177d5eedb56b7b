// Peak memory of the companion command as the banner grows: it reads at most
// what the window opens and writes the sketch as it goes, so its memory should
// stay flat in the phrase count, also far past what the board holds (where it
// counts phrases and refuses, or refuses a file too large). Each run is a fresh process, measured by the
// kernel's high-water mark of its resident memory.

#include "CommandPeakMemory.h"
#include "SampleBanner.h"

#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

std::string InputFile(long phrases) {
    const std::string path = "/tmp/award-banner-bench-" + std::to_string(getpid()) + "-" + std::to_string(phrases);
    // Written phrase by phrase: the command's peak, as the kernel reports it
    // to this process, starts from this process's own size when it is spawned.
    FILE* file = std::fopen(path.c_str(), "wb");
    for (long i = 0; i < phrases; ++i) {
        const QByteArray phrase = award::bench::kPhrases[i % std::size(award::bench::kPhrases)].toUtf8() + ' ';
        std::fwrite(phrase.constData(), 1, std::size_t(phrase.size()), file);
    }
    std::fclose(file);
    return path;
}

// A text of `characters` Chinese characters, without spaces.
std::string MarqueeFile(long characters) {
    const std::string path = "/tmp/award-banner-bench-" + std::to_string(getpid()) + "-m" + std::to_string(characters);
    FILE* file = std::fopen(path.c_str(), "wb");
    for (long i = 0; i < characters; ++i) std::fputs(i % 2 ? "賀" : "國", file);
    std::fclose(file);
    return path;
}

void RunCommand(benchmark::State& state, const std::string& input, const std::vector<std::string>& options) {
    award::bench::MeasureCommand(state, options, input);
    std::remove(input.c_str());
}
void BM_CommandPeakMemory(benchmark::State& state) { RunCommand(state, InputFile(state.range(0)), {}); }
// 1,900 and 1,940 phrases keep the table in flash; 15,000 and more are
// refused, after counting them.
BENCHMARK(BM_CommandPeakMemory)
    ->Arg(15)->Arg(1900)->Arg(1940)->Arg(15000)->Arg(100000)->Arg(1000000)
    ->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_MarqueePeakMemory(benchmark::State& state) {
    RunCommand(state, MarqueeFile(state.range(0)), {"--marquee"});
}
BENCHMARK(BM_MarqueePeakMemory)->Arg(5000)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
