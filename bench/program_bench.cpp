// The sign program at the size of a long school day's program: the time to
// build the sketch of 500 items, in process and with the glyphs already drawn,
// and the companion command's peak memory for the same program read from its
// file (a fresh process, measured by the kernel's high-water mark of its
// resident memory).

#include "CommandPeakMemory.h"
#include "SampleBanner.h"

#include "program/ProgramConverter.h"
#include "files/ProgramFile.h"
#include "surface/DrawingSurface.h"

#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdio>
#include <string>

namespace {

// Every style in turn, each item two phrases of the sample notice.
award::Program SampleProgram(int items) {
    const auto& phrases = award::bench::kPhrases;
    award::Program program;
    for (int i = 0; i < items; ++i) {
        award::ProgramItem item;
        item.text = phrases[i % std::size(phrases)] + phrases[(i + 7) % std::size(phrases)];
        item.style = award::kItemStyles[std::size_t(i) % award::kItemStyles.size()];
        item.align = i % 2 ? award::ItemAlign::Left : award::ItemAlign::Centre;
        program.push_back(item);
    }
    return program;
}

void BM_ConvertProgram(benchmark::State& state) {
    const award::Program program = SampleProgram(static_cast<int>(state.range(0)));
    award::DrawingSurface surface;
    award::ProgramConverter converter(surface);
    converter.ConvertProgram(program, {});  // warm: fonts opened, glyphs cached
    for (auto _ : state) benchmark::DoNotOptimize(converter.ConvertProgram(program, {}).constData());
    state.counters["pages"] = static_cast<double>(converter.LastReport().pages);
    state.counters["flash_bytes"] = static_cast<double>(converter.LastReport().flashBytes);
    state.counters["refused"] = bool(converter.LastReport().refusal);
}
BENCHMARK(BM_ConvertProgram)->Arg(5)->Arg(500)->Unit(benchmark::kMillisecond);

void BM_ProgramCommandPeakMemory(benchmark::State& state) {
    const std::string path = "/tmp/award-banner-bench-" + std::to_string(getpid()) + "-program.csv";
    const QByteArray csv = award::ProgramCsv(SampleProgram(static_cast<int>(state.range(0))));
    FILE* file = std::fopen(path.c_str(), "wb");
    std::fwrite(csv.constData(), 1, std::size_t(csv.size()), file);
    std::fclose(file);
    award::bench::MeasureCommand(state, {"--program", path});
    std::remove(path.c_str());
}
BENCHMARK(BM_ProgramCommandPeakMemory)->Arg(5)->Arg(500)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
