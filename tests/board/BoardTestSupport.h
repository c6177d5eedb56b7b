#pragma once

#include "ArduinoSketchBuild.h"
#include "MatrixTrace.h"
#include "SimulatedBoard.h"
#include "SketchTable.h"

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

// Names the LED columns where a shown image and a table row differ.
std::string DescribeDifference(const MatrixImage& shown, const MatrixImage& expected);

}  // namespace award::board
