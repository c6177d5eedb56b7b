#pragma once

#include "BoardTestSupport.h"

#include <QString>

#include <cstdint>
#include <vector>

namespace award::board {

// A stretch as the show-time tests compare it: its picture, or a pause, and
// how long it lasted until the next began.
struct Timed {
    MatrixImage image{};
    bool pause = false;
    std::uint64_t cycles = 0;
};

// Every stretch but the last, which has no next to end it.
std::vector<Timed> Timings(const std::vector<Stretch>& stretches);

// The preview's cycle of the sketch, and the first picture of the next, as
// the board's stretches: equal pictures in a row make one.
std::vector<Timed> PreviewTimings(const QString& sketch);

// The same time within 1 %.
bool WithinOnePerCent(const Timed& seen, const Timed& expected);

// Expects `seen` to begin with `expected`, picture for picture and pause for
// pause, each lasting as `timeAgrees` says.
void ExpectShows(const std::vector<Timed>& seen, const std::vector<Timed>& expected,
                 bool (*timeAgrees)(const Timed&, const Timed&));

}  // namespace award::board
