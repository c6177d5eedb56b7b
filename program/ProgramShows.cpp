#include "program/ProgramFrames.h"

#include "program/ProgramFormat.h"

namespace award {

Shows ShowsOf(const ProgramFrames& program) {
    Shows shows;
    shows.items = true;
    shows.brightness = std::uint8_t(program.target.brightness);
    for (const ProgramFrames::Item& item : program.items) {
        const auto first = std::uint32_t(shows.words.size());
        for (std::size_t p = 0; p < item.pages.size(); ++p) {
            shows.words.insert(shows.words.end(), item.pages[p].begin(), item.pages[p].end());
            if (!StyleMarksCharacters(item.style)) continue;
            const CharacterEndWords marks = WordsOf(p < item.characterEnds.size() ? item.characterEnds[p] : CharacterEnds{});
            shows.words.insert(shows.words.end(), marks.begin(), marks.end());
        }
        shows.words.insert(shows.words.end(), item.columns.begin(), item.columns.end());
        const auto count = std::uint32_t(StyleHasPages(item.style) ? item.pages.size() : item.columns.size());
        shows.shows.push_back({CodeOf(item.style), first, count, item.holdSweeps, item.stepSweeps});
    }
    return shows;
}

double CycleSeconds(const ProgramFrames& program) {
    const Shows shows = ShowsOf(program);
    return Milliseconds(CycleColumns(shows), shows.columnCycles) / 1000;
}

}  // namespace award
