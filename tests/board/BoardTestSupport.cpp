#include "BoardTestSupport.h"

#include <cstdio>

namespace award::board {

BoardRun RunOnBoard(const QString& sketch, std::size_t framesWanted, std::uint64_t simulatedMilliseconds)
{
    BoardRun run;
    run.sketch = sketch.toStdString();
    run.table = ParseSketchTable(run.sketch);
    run.elf = BuildSketch(run.sketch);

    SimulatedBoard board(run.elf);
    FrameCounter counter;
    run.stillRunning = board.RunUntil(
        [&](std::span<const PortWrite> writes, std::uint64_t now) {
            return counter.ClosedFrames(writes, now) >= framesWanted;
        },
        simulatedMilliseconds * kCyclesPerMillisecond);
    run.frames = DecodeFrames(board.Writes(), board.Now());
    run.writes.assign(board.Writes().begin(), board.Writes().end());
    return run;
}

std::string DescribeDifference(const MatrixImage& shown, const MatrixImage& expected)
{
    std::string text;
    for (int column = 0; column < kMatrixColumns; ++column) {
        if (shown[column] != expected[column]) {
            char line[96];
            std::snprintf(line, sizeof line, "\n  LED column %d shows rows 0x%04x, table column %d has 0x%04x",
                          column, shown[column], column + 1, expected[column]);
            text += line;
        }
    }
    return text;
}

}  // namespace award::board
