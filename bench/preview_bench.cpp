// The LED preview at the board's pace: a program of one item of each of the
// eleven ways to show, the school's logo leading one text and shown alone
// in another, played fast. When its sketch changes the preview reads it and
// counts the cycle; on entering each item it records what the engine shows
// for it, while the last image of the item before stays on screen. Each
// recording is set against the time of the shortest image the item shows
// (`share_of_shortest_image`): well below 1, the preview keeps the board's
// pace. One whole cycle recorded at once is set against the cycle's time.

#include "program/ProgramConverter.h"
#include "program/ProgramFormat.h"
#include "reading/SketchReader.h"
#include "surface/DrawingSurface.h"

#include <QPainter>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>

namespace {

// A round badge with a bar across it, 40 columns of the sign's 16 rows.
award::ItemPicture Logo() {
    QImage rows(40, 16, QImage::Format_ARGB32);
    rows.fill(Qt::transparent);
    QPainter painter(&rows);
    painter.setPen(QPen(Qt::black, 2));
    painter.drawEllipse(QRectF(2, 1, 13, 13));
    painter.fillRect(QRectF(18, 6, 20, 4), Qt::black);
    painter.end();
    return {QString(), rows};
}

const QString& Sketch() {
    static const QString sketch = [] {
        const auto item = [](const char16_t* text, award::ItemStyle style) {
            return award::ProgramItem{QString::fromUtf16(text), style, 0.5, award::MarqueeSpeed::Fast};
        };
        award::Program program;
        for (const award::ItemStyle style : award::kItemStyles) program.push_back(item(u"恭喜本校", style));
        program[7].picture = Logo();
        program[10].text.clear();
        program[10].picture = Logo();
        award::DrawingSurface surface;
        return award::ProgramConverter(surface).ConvertProgram(program, {});
    }();
    return sketch;
}

award::Shows ShowsOfSketch(benchmark::State& state) {
    const auto read = award::ReadSketch(Sketch());
    if (!read) state.SkipWithError("the reader does not know the sketch");
    return read ? award::ShowsOf(*read) : award::Shows{};
}

double BoardMilliseconds(const award::Shows& shows, std::uint64_t columns) {
    return award::Milliseconds(columns, shows.columnCycles);
}

void BM_ReadSketchAndCountTheCycle(benchmark::State& state) {
    for (auto _ : state) {
        const award::SketchReading reading = award::ReadSketchOrWhy(Sketch());
        const award::Shows shows = award::ShowsOf(*reading.sketch);
        benchmark::DoNotOptimize(award::CycleColumns(shows));
    }
}
BENCHMARK(BM_ReadSketchAndCountTheCycle)->Unit(benchmark::kMillisecond);

void BM_RecordItem(benchmark::State& state) {
    const award::Shows shows = ShowsOfSketch(state);
    const auto show = static_cast<std::size_t>(state.range(0));
    if (show >= shows.shows.size()) return;
    std::vector<award::ShownImage> images;
    double seconds = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        images = award::PlayedShow(shows, show);
        seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        benchmark::DoNotOptimize(images.data());
    }
    const auto shortest = std::ranges::min(images, {}, &award::ShownImage::columns).columns;
    state.SetLabel(award::StyleName(award::StyleOnBoard(shows.shows[show].kind)).toStdString());
    state.counters["images"] = double(images.size());
    state.counters["shortest_image_ms"] = BoardMilliseconds(shows, shortest);
    state.counters["share_of_shortest_image"] =
        seconds / double(state.iterations()) * 1000 / BoardMilliseconds(shows, shortest);
}
BENCHMARK(BM_RecordItem)->DenseRange(0, 10)->Unit(benchmark::kMicrosecond);

void BM_RecordCycle(benchmark::State& state) {
    const award::Shows shows = ShowsOfSketch(state);
    double seconds = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        benchmark::DoNotOptimize(award::PlayedCycle(shows).data());
        seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    }
    const double cycle = BoardMilliseconds(shows, award::CycleColumns(shows));
    state.counters["cycle_on_board_ms"] = cycle;
    state.counters["share_of_cycle"] = seconds / double(state.iterations()) * 1000 / cycle;
}
BENCHMARK(BM_RecordCycle)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
