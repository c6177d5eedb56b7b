// Time and memory of reading a sketch back: 10 MB of semicolons, which the
// reader refuses once it has more tokens than a sketch the board holds could
// have, and the longest marquee the flash holds, which it reads whole.
// peak_MB is how far the process's resident memory rose above what it held
// with the text already built: the kernel's high-water mark, reset before
// each read.

#include "reading/SketchReader.h"
#include "marquee/MarqueeWriter.h"
#include "sign/MeasuredCapacities.h"

#include <benchmark/benchmark.h>

#include <malloc.h>

#include <fstream>
#include <string>

namespace {

// In kB, from /proc/self/status.
long StatusField(const std::string& field) {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind(field + ":", 0) == 0) return std::stol(line.substr(field.size() + 1));
    return 0;
}

bool ResetPeak() {
    return bool(std::ofstream("/proc/self/clear_refs") << "5");
}

void Read(benchmark::State& state, const QString& text) {
    long riseKiB = 0;
    bool read = false;
    for (auto _ : state) {
        // Memory the last read freed goes back to the system first.
        malloc_trim(0);
        if (!ResetPeak()) {
            state.SkipWithError("cannot reset the memory high-water mark");
            break;
        }
        const long before = StatusField("VmRSS");
        read = award::ReadSketch(text).has_value();
        riseKiB = std::max(riseKiB, StatusField("VmHWM") - before);
    }
    state.counters["peak_MB"] = static_cast<double>(riseKiB) / 1024.0;
    state.counters["text_MB"] = static_cast<double>(text.size()) * 2 / (1024.0 * 1024.0);
    state.counters["read"] = read;
}

void BM_ReadTenMegabytesOfSemicolons(benchmark::State& state) {
    Read(state, QString(10'000'000, u';'));
}
BENCHMARK(BM_ReadTenMegabytesOfSemicolons)->Unit(benchmark::kMillisecond);

void BM_ReadLongestMarquee(benchmark::State& state) {
    Read(state, award::MarqueeWriter::Sketch(std::vector<std::uint16_t>(award::kMarqueeMaxColumns, 1), 8));
}
BENCHMARK(BM_ReadLongestMarquee)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
