#pragma once

#include "SimulatedBoard.h"

#include <array>
#include <cstdint>
#include <span>
#include <vector>

namespace award::board {

inline constexpr int kMatrixColumns = 64;

// Lit rows of each LED column 0-63: bit 0 is row 1 (port F bit 0), bit 15 is
// row 16 (port K bit 7).
using MatrixImage = std::array<std::uint16_t, kMatrixColumns>;

// One stretch of sweeping between two dark pauses.
struct ShownFrame {
    std::uint64_t startCycle = 0;  // first port write of the frame
    std::uint64_t endCycle = 0;    // last port write of the frame
    int sweeps = 0;
    // Sweeps that visited every column 0-63 once, in order, and lit exactly `image`.
    int steadySweeps = 0;
    MatrixImage image{};  // every LED lit during any sweep of the frame
    // Light seen while port C selected no column of the matrix.
    bool litOffMatrix = false;
    // Rows still driven when the frame's last write was made, so light would
    // spill into the dark pause.
    bool litIntoPause = false;
};

struct TraceTiming {
    // A pause without any port write this long ends a frame. Inside a frame
    // the writes come microseconds apart; between frames the board waits
    // for half a second.
    std::uint64_t darkGapCycles = SimulatedBoard::kClockHz / 4;
    // An LED counts as lit only when it stays on this long: the sketch
    // writes the row ports one after the other, so for a few cycles a column
    // shows half of one word or the other.
    std::uint64_t minLitCycles = SimulatedBoard::kClockHz / 20'000;
};

// One sweep of the columns as the LEDs showed it.
struct ShownSweep {
    std::uint64_t startCycle = 0;  // port C's write of its first column
    std::uint64_t endCycle = 0;    // the last write before the next sweep
    MatrixImage image{};
    bool complete = false;  // visited every column 0-63 once, in order
};

// Every sweep in the trace, for a sketch that never pauses, like a marquee.
std::vector<ShownSweep> DecodeSweeps(std::span<const PortWrite> writes, const TraceTiming& timing = {});

// Frames whose dark pause had begun by `now`; a frame still being swept is
// left out.
std::vector<ShownFrame> DecodeFrames(std::span<const PortWrite> writes, std::uint64_t now,
                                     const TraceTiming& timing = {});

// Counts closed frames of a growing trace without decoding it again from the
// start, so a simulation can poll it cheaply to know when it has seen enough.
class FrameCounter {
public:
    explicit FrameCounter(const TraceTiming& timing = {}) : timing_(timing) {}

    std::size_t ClosedFrames(std::span<const PortWrite> writes, std::uint64_t now);

private:
    TraceTiming timing_;
    std::size_t scanned_ = 0;
    std::size_t pausesInside_ = 0;
};

}  // namespace award::board
