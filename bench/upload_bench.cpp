// Cost of taking 15 and 1,900 phrases to the board, from the click to the
// verified upload on a simulated Mega 2560 that runs the stock bootloader at
// the real board's pace, beside what the serial link allows for the bytes
// written and read back. The upload takes the board image; the compile that
// an edited driver would need is timed beside it, with the Arduino core
// already in the user's cache.
//
// The same for an Uno running optiboot with two P10 panels, 15 phrases, as
// the board image, with no compile. avrdude's arduino programmer sends its
// first two syncs only to drain whatever answers them, half a second in all,
// so its upload stays further from the link's bound than the Mega's.

#include "SampleBanner.h"
#include "SerialBridge.h"
#include "SimulatedBoard.h"

#include "board/BoardJob.h"
#include "conversion/BannerConverter.h"
#include "reading/SketchReader.h"
#include "surface/DrawingSurface.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QStringList>

#include <benchmark/benchmark.h>

#include <functional>
#include <optional>

namespace {

using award::BoardJob;

struct JobRun {
    BoardJob::Outcome outcome;
    double compileSeconds = 0;
    double uploadSeconds = 0;
};

// Runs one job to its end; the upload's share starts when avrdude does.
JobRun RunJob(const std::function<void(BoardJob&)>& start) {
    BoardJob job;
    JobRun run;
    QElapsedTimer clock;
    qint64 uploadStart = -1;
    QObject::connect(&job, &BoardJob::Progress, [&](BoardJob::Stage stage, int) {
        if (stage != BoardJob::Stage::Compile && uploadStart < 0) uploadStart = clock.nsecsElapsed();
    });
    QObject::connect(&job, &BoardJob::Finished, [&](const BoardJob::Outcome& outcome) {
        const qint64 end = clock.nsecsElapsed();
        run.outcome = outcome;
        run.compileSeconds = double(uploadStart < 0 ? end : uploadStart) / 1e9;
        run.uploadSeconds = uploadStart < 0 ? 0 : double(end - uploadStart) / 1e9;
        QCoreApplication::quit();
    });
    clock.start();
    start(job);
    QCoreApplication::exec();
    return run;
}

QString SampleSketch(int phrases, const award::SignTarget& target = {}) {
    award::DrawingSurface surface;
    award::BannerConverter converter(surface);
    award::ConversionOptions options;
    options.target = target;
    return converter.Convert(award::bench::Banner(phrases), options);
}

bool Failed(benchmark::State& state, const JobRun& run) {
    if (run.outcome.Succeeded()) return false;
    state.SkipWithError(run.outcome.notices.join(u'\n').toStdString().c_str());
    return true;
}

void BM_CompileWarmCore(benchmark::State& state) {
    const QString sketch = SampleSketch(int(state.range(0)));
    const auto compile = [&](BoardJob& job) { job.StartCompile(sketch); };
    if (Failed(state, RunJob(compile))) return;  // fills the core cache
    for (auto _ : state) {
        const JobRun run = RunJob(compile);
        if (Failed(state, run)) return;
        state.SetIterationTime(run.compileSeconds);
    }
}
BENCHMARK(BM_CompileWarmCore)->Arg(15)->Arg(1900)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_UploadToSimulatedBoard(benchmark::State& state) {
    const QString sketch = SampleSketch(int(state.range(0)));
    double bound = 0;
    double taken = 0;
    int bytes = 0;
    for (auto _ : state) {
        const auto board = award::board::SimulatedBoard::WithStockBootloader();
        award::board::SerialBridge bridge(*board);
        const QString port = QString::fromStdString(bridge.PortName());
        const JobRun run = RunJob([&](BoardJob& job) { job.StartUpload(sketch, port); });
        bridge.Stop();
        if (Failed(state, run)) return;
        // 8N1: ten bit times a byte, each byte of the program once each way.
        const double link = 2.0 * *run.outcome.programBytes * 10 / 115200;
        bound += bridge.FirstByteAfterOpen().count() + link;
        // From the click: whatever came before writing (the image, or a compile) counts too.
        taken += run.compileSeconds + run.uploadSeconds;
        bytes = *run.outcome.programBytes;
        state.SetIterationTime(run.compileSeconds + run.uploadSeconds);
    }
    state.counters["program_bytes"] = bytes;
    state.counters["link_bound_s"] = bound / double(state.iterations());
    state.counters["vs_link"] = taken / bound;
}
BENCHMARK(BM_UploadToSimulatedBoard)->Arg(15)->Arg(1900)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(2);

void BM_UploadToSimulatedUno(benchmark::State& state) {
    const QString sketch = SampleSketch(int(state.range(0)), {award::SignKind::P10Pair, award::BoardKind::Uno});
    double bound = 0;
    double compile = 0;
    double upload = 0;
    int bytes = 0;
    for (auto _ : state) {
        const auto board = award::board::SimulatedBoard::WithStockBootloader(award::board::StockBoard::Uno);
        award::board::SerialBridge bridge(*board);
        const QString port = QString::fromStdString(bridge.PortName());
        const JobRun run = RunJob([&](BoardJob& job) { job.StartUpload(sketch, port, award::BoardKind::Uno); });
        bridge.Stop();
        if (Failed(state, run)) return;
        bound += bridge.FirstByteAfterOpen().count() + 2.0 * *run.outcome.programBytes * 10 / 115200;
        compile += run.compileSeconds;
        upload += run.uploadSeconds;
        bytes = *run.outcome.programBytes;
        state.SetIterationTime(run.compileSeconds + run.uploadSeconds);
    }
    state.counters["program_bytes"] = bytes;
    state.counters["link_bound_s"] = bound / double(state.iterations());
    state.counters["compile_s"] = compile / double(state.iterations());
    state.counters["upload_s"] = upload / double(state.iterations());
    state.counters["vs_link"] = (compile + upload) / bound;
    state.counters["upload_vs_link"] = upload / bound;
}
BENCHMARK(BM_UploadToSimulatedUno)->Arg(15)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
