#include "SketchTable.h"

#include "reading/SketchReader.h"

#include <QString>

#include <stdexcept>

namespace award::board {

SketchTable ParseSketchTable(std::string_view sketchTextUtf8) {
    const auto read =
        ReadSketch(QString::fromUtf8(sketchTextUtf8.data(), static_cast<qsizetype>(sketchTextUtf8.size())));
    const auto* frames = read ? std::get_if<PhraseFrames>(&*read) : nullptr;
    if (!frames) throw std::runtime_error("the sketch holds no frame table the board could run");
    SketchTable table;
    table.count = static_cast<long long>(frames->frames.size());
    for (std::size_t k = 0; k < frames->frames.size(); ++k) {
        const PhraseFrames::Frame& frame = frames->frames[k];
        TableRow row;
        row.delayFactor = frame.delayFactor;
        row.sweeps = FrameSweeps(*frames, k);
        for (std::size_t x = 0; x < row.columnWords.size(); ++x) row.columnWords[x] = frame.words[x];
        table.shown.push_back(row);
    }
    return table;
}

}  // namespace award::board
