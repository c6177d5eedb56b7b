#pragma once

#include "conversion/ColumnWords.h"

#include <QString>

#include <optional>
#include <vector>

namespace award {

// What a sketch text makes the board show: frames 1 to num of its table, each
// with its delay factor (element 0 of the row) and its 64 column words.
struct SketchFrames {
    struct Frame {
        int delayFactor = 1;
        ColumnWords words{};

        bool operator==(const Frame&) const = default;
    };
    std::vector<Frame> frames;  // shown in this order, then again from the first
    int tableRows = 0;          // rows in the table, frame 0 and the closing row included
};

// Reads the frame table and the frame count back out of a sketch text, also one
// the user edited by hand. Gives nothing when the text holds no table the board
// could run: no table, a row that is not 65 numbers from 0 to 65535, or a count
// that reaches past the end of the table.
std::optional<SketchFrames> ReadSketch(const QString& sketchText);

}  // namespace award
