#include "files/BannerFile.h"

#include <QStringEncoder>

#include <benchmark/benchmark.h>

namespace {

// Reading a banner file of n bytes: decoding and joining its lines take time
// in proportion to n, also for the worst case of one long run of blank lines.
void Decode(benchmark::State& state, const QByteArray& unit) {
    const auto size = static_cast<qsizetype>(state.range(0));
    const QByteArray bytes = unit.repeated(size / unit.size());
    for (auto _ : state) benchmark::DoNotOptimize(award::DecodeBannerText(bytes));
    state.SetBytesProcessed(state.iterations() * bytes.size());
    state.SetComplexityN(bytes.size());
}

void BlankLines(benchmark::State& state) { Decode(state, QByteArray("\n")); }
void Utf8CrLfList(benchmark::State& state) { Decode(state, QStringLiteral("林志遠\r\n").toUtf8()); }
void Big5CrLfList(benchmark::State& state) { Decode(state, QStringEncoder("Big5").encode(QStringLiteral("林志遠\r\n"))); }

BENCHMARK(BlankLines)->RangeMultiplier(4)->Range(16 << 10, 1 << 20)->Complexity(benchmark::oN);
BENCHMARK(Utf8CrLfList)->RangeMultiplier(4)->Range(16 << 10, 1 << 20)->Complexity(benchmark::oN);
BENCHMARK(Big5CrLfList)->RangeMultiplier(4)->Range(16 << 10, 1 << 20)->Complexity(benchmark::oN);

}  // namespace

BENCHMARK_MAIN();
