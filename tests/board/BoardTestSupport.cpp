#include "BoardTestSupport.h"

#include "conversion/BannerConverter.h"
#include "marquee/MarqueeWriter.h"
#include "program/ProgramConverter.h"
#include "surface/DrawingSurface.h"

#include <cstdio>
#include <stdexcept>

namespace award::board {

BoardRun RunBuiltSketch(const std::string& sketchUtf8, std::size_t framesWanted, std::uint64_t simulatedMilliseconds) {
    BoardRun run;
    run.sketch = sketchUtf8;
    run.elf = BuildSketch(run.sketch);

    SimulatedBoard board(run.elf);
    FrameCounter counter;
    run.stillRunning =
        board.RunUntil([&](std::span<const PortWrite> writes,
                           std::uint64_t now) { return counter.ClosedFrames(writes, now) >= framesWanted; },
                       simulatedMilliseconds * kCyclesPerMillisecond);
    run.frames = DecodeFrames(board.Writes(), board.Now());
    run.writes.assign(board.Writes().begin(), board.Writes().end());
    return run;
}

BoardRun RunOnBoard(const QString& sketch, std::size_t framesWanted, std::uint64_t simulatedMilliseconds) {
    const SketchTable table = ParseSketchTable(sketch.toStdString());
    BoardRun run = RunBuiltSketch(sketch.toStdString(), framesWanted, simulatedMilliseconds);
    run.table = table;
    return run;
}

QString StartingAtFrame(const QString& sketch, int firstFrame) {
    const QString loopStart = QStringLiteral("for (k=1;k<=num;k++){");
    if (sketch.count(loopStart) != 1) {
        throw std::runtime_error("the sketch has no single frame loop to start elsewhere");
    }
    return QString(sketch).replace(loopStart, QStringLiteral("for (k=%1;k<=num;k++){").arg(firstFrame));
}

BoardRun RunOnBoardFromFrame(const QString& sketch, int firstFrame, std::size_t framesWanted,
                             std::uint64_t simulatedMilliseconds) {
    const SketchTable table = ParseSketchTable(sketch.toStdString());
    BoardRun run =
        RunBuiltSketch(StartingAtFrame(sketch, firstFrame).toStdString(), framesWanted, simulatedMilliseconds);
    run.table = table;
    return run;
}

QString BannerSketch(int phrases, const SignTarget& target) {
    QString text;
    for (int i = 1; i <= phrases; ++i) text += QString::number(i) + u' ';
    DrawingSurface surface;
    BannerConverter converter(surface);
    return converter.ConvertBanner(text, FirstScanRow::Row3, target);
}

QString MarqueeSketch(const SignTarget& target) {
    std::vector<std::uint16_t> columns;
    for (std::uint32_t i = 0; i < 90; ++i) columns.push_back(std::uint16_t((i + 1) * 2654435761u >> 16));
    return MarqueeWriter::Sketch(columns, MarqueeSweeps(MarqueeSpeed::Fast), target);
}

Program EveryStyleProgram() {
    Program program(6);
    program[0] = {QStringLiteral("恭喜"), ItemStyle::Static, 2.0, MarqueeSpeed::Medium, ItemAlign::Left};
    program[1] = {QStringLiteral("第一名"), ItemStyle::Static, 1.0, MarqueeSpeed::Medium, ItemAlign::Centre};
    program[2] = {QStringLiteral("賀"), ItemStyle::Blink};
    program[3] = {QStringLiteral("金牌"), ItemStyle::ScrollUp, 1.5, MarqueeSpeed::Fast};
    program[4] = {QStringLiteral("好"), ItemStyle::ScrollLeft, 1.5, MarqueeSpeed::Fast};
    // Left-aligned and wide, so that the curtain's column steps open on lit columns.
    program[5] = {QStringLiteral("拉幕開始"), ItemStyle::Wipe, 1.0, MarqueeSpeed::Fast, ItemAlign::Left};
    return program;
}

QString EveryStyleProgramSketch(const SignTarget& target) {
    DrawingSurface surface;
    ProgramConverter converter(surface);
    ConversionOptions options;
    options.target = target;
    return converter.ConvertProgram(EveryStyleProgram(), options);
}

std::vector<Stretch> Stretches(std::span<const PortWrite> writes) { return Stretches(DecodeSweeps(writes)); }

std::vector<Stretch> Stretches(std::span<const ShownSweep> sweeps) {
    constexpr std::uint64_t kPauseCycles = 20 * kCyclesPerMillisecond;
    std::vector<Stretch> stretches;
    std::uint64_t lastEnd = 0;
    for (const ShownSweep& sweep : sweeps) {
        if (!sweep.complete) continue;
        if (!stretches.empty() && sweep.startCycle - lastEnd > kPauseCycles) stretches.push_back({{}, true, lastEnd});
        if (stretches.empty() || stretches.back().pause || stretches.back().image != sweep.image)
            stretches.push_back({sweep.image, false, sweep.startCycle});
        lastEnd = sweep.endCycle;
    }
    return stretches;
}

std::string DescribeDifference(const MatrixImage& shown, const MatrixImage& expected) {
    std::string text;
    for (int column = 0; column < kMatrixColumns; ++column) {
        if (shown[column] != expected[column]) {
            char line[96];
            std::snprintf(line, sizeof line, "\n  LED column %d shows rows 0x%04x, table column %d has 0x%04x", column,
                          shown[column], column + 1, expected[column]);
            text += line;
        }
    }
    return text;
}

}  // namespace award::board
