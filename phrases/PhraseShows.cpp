#include "phrases/PhraseFrames.h"

#include "sign/SignTiming.h"

namespace award {

Shows ShowsOf(const PhraseFrames& phrases) {
    Shows shows;
    shows.columnCycles = PHRASE_COLUMN_CYCLES;
    shows.pagePause = PHRASE_PAUSE_COLUMNS;
    shows.brightness = std::uint8_t(phrases.target.brightness);
    const std::uint32_t kind = phrases.store == TableStore::Sram ? SHOW_FRAMES_16 : SHOW_FRAMES;
    shows.shows.push_back({kind, 0, std::uint32_t(phrases.frames.size()), kSweepsPerDelayUnit, 0});
    shows.words.reserve(phrases.frames.size() * (kSignColumns + 1));
    for (const PhraseFrames::Frame& frame : phrases.frames) {
        shows.words.push_back(std::uint16_t(frame.delayFactor));
        shows.words.insert(shows.words.end(), frame.words.begin(), frame.words.end());
    }
    return shows;
}

std::uint32_t FrameSweeps(const PhraseFrames& phrases, std::size_t index) {
    PhraseFrames one;
    one.store = phrases.store;
    one.frames.push_back(phrases.frames.at(index));
    Shows shows = ShowsOf(one);
    shows.pagePause = 0;
    return std::uint32_t(ShowColumns(shows, 0) / kSignColumns);
}

}  // namespace award
