// Cost of conversion runs: the sample notice as a user converts it again and
// again (glyphs already drawn once), and long texts, to see that the cost per
// phrase stays flat as the text grows.

#include "SampleBanner.h"

#include "conversion/BannerConverter.h"
#include "surface/DrawingSurface.h"

#include <benchmark/benchmark.h>

namespace {

using award::bench::Banner;

void BM_ConvertBanner(benchmark::State& state) {
    const int phrases = static_cast<int>(state.range(0));
    const QString text = Banner(phrases);
    award::DrawingSurface surface;
    award::BannerConverter converter(surface);
    const award::ConversionOptions options;
    converter.Convert(text, options);  // warm: fonts opened, glyphs cached
    std::size_t bytes = 0;
    for (auto _ : state) {
        const QString& sketch = converter.Convert(text, options);
        bytes = static_cast<std::size_t>(sketch.size());
        benchmark::DoNotOptimize(sketch.constData());
    }
    state.counters["per_phrase"] = benchmark::Counter(
        static_cast<double>(phrases), benchmark::Counter::kIsIterationInvariantRate |
                                          benchmark::Counter::kInvert);
    state.counters["sketch_chars"] = static_cast<double>(bytes);
}
// 55 phrases fill SRAM; 1,940 are as many as flash holds.
BENCHMARK(BM_ConvertBanner)->Arg(15)->Arg(55)->Arg(150)->Arg(1900)->Arg(1940)->Unit(benchmark::kMicrosecond);

// A marquee of 5,000 characters: drawn as one line, written as one sketch.
void BM_ConvertMarquee(benchmark::State& state) {
    QString text;
    for (int i = 0; i < state.range(0); ++i) text += award::bench::kPhrases[i % 15].at(0);
    award::DrawingSurface surface;
    award::BannerConverter converter(surface);
    award::ConversionOptions options;
    options.mode = award::DisplayMode::Marquee;
    converter.Convert(text, options);
    for (auto _ : state) benchmark::DoNotOptimize(converter.Convert(text, options).constData());
    state.counters["columns"] = static_cast<double>(converter.LastRunReport().marquee->columns);
}
BENCHMARK(BM_ConvertMarquee)->Arg(5000)->Unit(benchmark::kMillisecond);

// The first run after start: faces are looked up and opened, glyphs drawn;
// in 新細明體 (0), whose glyphs come from its bitmaps, and in 標楷體 (1) and
// 標楷體 粗體 (2), drawn from their outlines.
void BM_FirstRun(benchmark::State& state) {
    const QString text = Banner(15);
    award::ConversionOptions options;
    if (state.range(0) > 0) options.style = {award::kKaiFaceName, state.range(0) == 2, false};
    for (auto _ : state) {
        award::DrawingSurface surface;
        award::BannerConverter converter(surface);
        benchmark::DoNotOptimize(converter.Convert(text, options).constData());
    }
}
BENCHMARK(BM_FirstRun)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
