#include "engine/Shows.h"

#include "engine/ShowRecording.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

namespace award {
namespace {

// The calls of one recording. The engine keeps no state between shows, so a
// recording is one call into it on this thread.
struct Recording {
    const Shows* shows = nullptr;
    std::vector<ShownImage>* images = nullptr;  // none: only the time is counted
    std::uint64_t columns = 0;
};
thread_local Recording* current = nullptr;

std::uint64_t Record(const Shows& shows, std::size_t show, std::vector<ShownImage>* images) {
    if (show >= shows.shows.size()) throw std::out_of_range("no such show");
    Recording recording{&shows, images};
    Recording* const outer = std::exchange(current, &recording);
    const Show& s = shows.shows[show];
    awardPlayRecorded(s.kind, s.first, s.count, s.hold, s.step, shows.pagePause, shows.items ? 1 : 0);
    current = outer;
    return recording.columns;
}

}  // namespace

extern "C" std::uint16_t awardRecordedWord(std::uint32_t n) {
    const auto& words = current->shows->words;
    return n < words.size() ? words[n] : 0;
}

extern "C" void awardRecordImage(const std::uint16_t* image, std::uint32_t sweeps) {
    const std::uint64_t columns = std::uint64_t{sweeps} * SIGN_COLUMNS;
    current->columns += columns;
    if (!current->images) return;
    ShownImage shown;
    std::copy_n(image, shown.words.size(), shown.words.begin());
    shown.columns = columns;
    current->images->push_back(shown);
}

extern "C" void awardRecordPause(std::uint32_t columns) {
    current->columns += columns;
    if (current->images) current->images->push_back({ColumnWords{}, columns, true});
}

std::vector<ShownImage> PlayedShow(const Shows& shows, std::size_t show) {
    std::vector<ShownImage> images;
    Record(shows, show, &images);
    return images;
}

std::vector<ShownImage> PlayedCycle(const Shows& shows) {
    std::vector<ShownImage> images;
    for (std::size_t s = 0; s < shows.shows.size(); ++s) Record(shows, s, &images);
    return images;
}

std::uint64_t ShowColumns(const Shows& shows, std::size_t show) { return Record(shows, show, nullptr); }

std::uint64_t CycleColumns(const Shows& shows) {
    std::uint64_t columns = 0;
    for (std::size_t s = 0; s < shows.shows.size(); ++s) columns += Record(shows, s, nullptr);
    return columns;
}

double Milliseconds(std::uint64_t columns, std::uint16_t columnCycles) {
    return static_cast<double>(columns) * columnCycles / (int{SIGN_CLOCK_MHZ} * 1000.0);
}

}  // namespace award
