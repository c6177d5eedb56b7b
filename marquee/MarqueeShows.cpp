#include "marquee/MarqueeFrames.h"

namespace award {

Shows ShowsOf(const MarqueeFrames& marquee) {
    Shows shows;
    shows.shows.push_back({SHOW_SCROLL_LEFT, 0, std::uint32_t(marquee.columns.size()), 0, marquee.sweepsPerStep});
    shows.words = marquee.columns;
    shows.brightness = std::uint8_t(marquee.target.brightness);
    return shows;
}

double PassSeconds(std::size_t columns, std::uint32_t sweepsPerStep) {
    // The time does not depend on what the columns show.
    Shows shows;
    shows.shows.push_back({SHOW_SCROLL_LEFT, 0, std::uint32_t(columns), 0, sweepsPerStep});
    return Milliseconds(ShowColumns(shows, 0), shows.columnCycles) / 1000;
}

}  // namespace award
