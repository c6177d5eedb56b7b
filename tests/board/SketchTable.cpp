#include "SketchTable.h"

#include "reading/SketchReader.h"

#include <QString>

#include <stdexcept>

namespace award::board {

SketchTable ParseSketchTable(std::string_view sketchTextUtf8) {
    const auto frames =
        ReadSketch(QString::fromUtf8(sketchTextUtf8.data(), static_cast<qsizetype>(sketchTextUtf8.size())));
    if (!frames) throw std::runtime_error("the sketch holds no frame table the board could run");
    SketchTable table;
    table.count = static_cast<long long>(frames->frames.size());
    for (const auto& frame : frames->frames) {
        TableRow row;
        row.delayFactor = frame.delayFactor;
        row.sweeps = frame.sweeps;
        for (std::size_t x = 0; x < row.columnWords.size(); ++x) row.columnWords[x] = frame.words[x];
        table.shown.push_back(row);
    }
    return table;
}

}  // namespace award::board
