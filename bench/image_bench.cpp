// Time from a sketch's text to the HEX file an upload sends, with no
// compiler: reading the sketch, building the board image and writing it as
// Intel HEX. The largest of each form the board holds.

#include "SampleBanner.h"

#include "conversion/BannerConverter.h"
#include "image/FlashImage.h"
#include "image/IntelHex.h"
#include "marquee/MarqueeWriter.h"
#include "reading/SketchReader.h"
#include "sign/MeasuredCapacities.h"
#include "surface/DrawingSurface.h"

#include <benchmark/benchmark.h>

namespace {

void ImageOf(benchmark::State& state, const QString& sketch) {
    qsizetype bytes = 0;
    for (auto _ : state) {
        const auto shown = award::ReadSketch(sketch);
        if (!shown) {
            state.SkipWithError("the reader does not know the sketch");
            return;
        }
        const auto image = award::BuildFlashImage(*shown);
        if (!std::holds_alternative<QByteArray>(image)) {
            state.SkipWithError("the image was refused");
            return;
        }
        const QByteArray hex = award::IntelHex(std::get<QByteArray>(image));
        bytes = std::get<QByteArray>(image).size();
        benchmark::DoNotOptimize(hex.constData());
    }
    state.counters["image_bytes"] = double(bytes);
}

void BM_ImageOfFlashPhrases(benchmark::State& state) {
    award::DrawingSurface surface;
    award::BannerConverter converter(surface);
    ImageOf(state, converter.Convert(award::bench::Banner(award::kMega2560MaxFlashPhrases), {}));
}
BENCHMARK(BM_ImageOfFlashPhrases)->Unit(benchmark::kMillisecond);

void BM_ImageOfLongestMarquee(benchmark::State& state) {
    ImageOf(state, award::MarqueeWriter::Sketch(std::vector<std::uint16_t>(award::kMarqueeMaxColumns, 0x0FF0), 8));
}
BENCHMARK(BM_ImageOfLongestMarquee)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
