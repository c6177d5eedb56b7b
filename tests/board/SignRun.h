#pragma once

#include "MatrixTrace.h"

#include <QString>

#include <cstdint>
#include <vector>

#include <ostream>

namespace award::board {

// How a sketch reaches the board: compiled as the Arduino IDE compiles it,
// or as the board image the program writes without compiling.
enum class Delivery { Compiled, Image };
inline void PrintTo(Delivery delivery, std::ostream* out) { *out << (delivery == Delivery::Compiled ? "compiled" : "image"); }

// What the sign a sketch is written for showed on the simulated board of the
// sketch's own sign and board: the school's sign on a Mega 2560, or two P10
// panels on a Mega 2560 or an Uno.
struct SignRun {
    std::vector<ShownSweep> sweeps;
    // The LEDs' summed time lit, in cycles.
    std::uint64_t litLedCycles = 0;
    bool stillRunning = false;  // neither crashed nor halted
    // Bytes the P10 panels could not have received.
    int bytesLost = 0;
};

// Runs the sketch for `simulatedMilliseconds`. Throws std::runtime_error when
// the reader does not know the sketch or the program writes no image for it.
SignRun RunOnSign(const QString& sketch, Delivery delivery, std::uint64_t simulatedMilliseconds);

}  // namespace award::board
