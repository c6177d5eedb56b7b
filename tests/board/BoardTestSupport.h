#pragma once

#include "ArduinoSketchBuild.h"
#include "MatrixTrace.h"
#include "SimulatedBoard.h"
#include "SketchTable.h"

#include "program/Program.h"

#include <QString>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace award::board {

inline constexpr std::uint64_t kCyclesPerMillisecond = SimulatedBoard::kClockHz / 1000;

// One sketch as the board runs it.
struct BoardRun {
    std::string sketch;  // UTF-8
    SketchTable table;
    std::filesystem::path elf;
    std::vector<ShownFrame> frames;
    std::vector<PortWrite> writes;
    bool stillRunning = false;  // neither crashed nor halted
};

// Builds the sketch and runs it until the board has shown `framesWanted`
// frames or `simulatedMilliseconds` have passed.
BoardRun RunOnBoard(const QString& sketch, std::size_t framesWanted, std::uint64_t simulatedMilliseconds);

// The phrase sketch with the driver's loop starting at frame `firstFrame`
// rather than 1, so a test reaches the far end of a long table without
// simulating every frame before it. Only the loop's start is edited; the table
// stays as written.
QString StartingAtFrame(const QString& sketch, int firstFrame);

// RunOnBoard of the sketch StartingAtFrame; `table` is read from the sketch
// before the edit.
BoardRun RunOnBoardFromFrame(const QString& sketch, int firstFrame, std::size_t framesWanted,
                             std::uint64_t simulatedMilliseconds);

// Builds and runs a sketch as it is, without reading its table.
BoardRun RunBuiltSketch(const std::string& sketchUtf8, std::size_t framesWanted, std::uint64_t simulatedMilliseconds);

// The phrases 1 to n, as the run button converts them for the target.
QString BannerSketch(int phrases, const SignTarget& target = {});
// Ninety scattered columns scrolling at the fast speed.
QString MarqueeSketch(const SignTarget& target = {});

// Six items, one of each style, with holds of 2.0 and 1.0 s.
Program EveryStyleProgram();
// Its sketch as the 節目表 run writes it for the target.
QString EveryStyleProgramSketch(const SignTarget& target = {});

// What the sign showed, stretch by stretch: consecutive sweeps of one
// picture, or a pause in which no port was written at all. Reading a page
// takes a sketch a few milliseconds without a write; that counts as part of
// the picture before.
struct Stretch {
    MatrixImage image{};
    bool pause = false;
    std::uint64_t startCycle = 0;
};
std::vector<Stretch> Stretches(std::span<const PortWrite> writes);
// The same from sweeps however decoded, the school's sign's or the P10 panels'.
std::vector<Stretch> Stretches(std::span<const ShownSweep> sweeps);

// Names the LED columns where a shown image and a table row differ.
std::string DescribeDifference(const MatrixImage& shown, const MatrixImage& expected);

}  // namespace award::board
