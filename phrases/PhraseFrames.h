#pragma once

#include "engine/Shows.h"
#include "phrases/PhraseFormat.h"
#include "sign/ColumnWords.h"
#include "sign/SignTarget.h"

#include <cstdint>
#include <vector>

namespace award {

// What a phrase sketch makes the board show, read back from its text: frames
// 1 to num of its table, each with its delay factor (element 0 of the row)
// and its 64 column words.
struct PhraseFrames {
    struct Frame {
        int delayFactor = 1;
        ColumnWords words{};

        bool operator==(const Frame&) const = default;
    };
    std::vector<Frame> frames;  // shown in this order, then again from the first
    int tableRows = 0;          // rows in the table, frame 0 and the closing row included
    TableStore store = TableStore::Sram;
    PhraseDriver driver = PhraseDriver::Own;
    // The sign and board the driver is for, and the brightness the sketch names.
    SignTarget target{};

    bool operator==(const PhraseFrames&) const = default;
};

// The frames as one show of the engine's, timed as the phrase sketch's own
// driver times them: each frame 100 x (delay factor) + 1 sweeps, counted in
// 16 bits for a table in SRAM, then half a second dark; at the sketch's brightness.
Shows ShowsOf(const PhraseFrames& phrases);
// Sweeps of frame `index`, as the board makes them.
std::uint32_t FrameSweeps(const PhraseFrames& phrases, std::size_t index);

}  // namespace award
