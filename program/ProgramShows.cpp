#include "program/ProgramFrames.h"

#include "program/ProgramFormat.h"

namespace award {

Shows ShowsOf(const ProgramFrames& program) {
    Shows shows;
    shows.items = true;
    shows.brightness = std::uint8_t(program.target.brightness);
    for (const ProgramFrames::Item& item : program.items) {
        const auto first = std::uint32_t(shows.words.size());
        for (const ColumnWords& page : item.pages) shows.words.insert(shows.words.end(), page.begin(), page.end());
        shows.words.insert(shows.words.end(), item.columns.begin(), item.columns.end());
        const auto count = std::uint32_t(item.style == ItemStyle::ScrollLeft ? item.columns.size() : item.pages.size());
        shows.shows.push_back({CodeOf(item.style), first, count, item.holdSweeps, item.stepSweeps});
    }
    return shows;
}

double CycleSeconds(const ProgramFrames& program) {
    const Shows shows = ShowsOf(program);
    return Milliseconds(CycleColumns(shows), shows.columnCycles) / 1000;
}

}  // namespace award
