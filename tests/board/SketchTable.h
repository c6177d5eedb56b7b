#pragma once

#include "MatrixTrace.h"

#include <string_view>
#include <vector>

namespace award::board {

struct TableRow {
    int delayFactor = 0;
    std::uint32_t sweeps = 0;  // sweeps of the 64 columns the driver makes of the frame
    // Column x (1-64) at index x-1, which is also the LED column the sketch
    // lights with it, so a row compares directly with a shown image.
    MatrixImage columnWords{};
};

// The frame table of a sketch as its text declares it.
struct SketchTable {
    std::vector<TableRow> shown;  // rows 1 to num: the frames the loop shows, in order
    long long count = 0;          // the value of num

    const std::vector<TableRow>& ShownRows() const { return shown; }
};

// Throws std::runtime_error when the text has no table the board could run.
SketchTable ParseSketchTable(std::string_view sketchTextUtf8);

}  // namespace award::board
