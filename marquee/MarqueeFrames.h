#pragma once

#include "engine/Shows.h"
#include "sign/SignTarget.h"

#include <cstdint>
#include <vector>

namespace award {

// What a marquee sketch makes the board show, read back from its text: the
// text's column words and the sweeps of each step of the scroll.
struct MarqueeFrames {
    std::vector<std::uint16_t> columns;
    std::uint32_t sweepsPerStep = 0;
    // The sign and board the driver is for, and the brightness the sketch names.
    SignTarget target{};

    bool operator==(const MarqueeFrames&) const = default;
};

// The one 左移 show the engine plays for it.
Shows ShowsOf(const MarqueeFrames& marquee);
// How long one pass of a text this many columns wide lasts on the board.
double PassSeconds(std::size_t columns, std::uint32_t sweepsPerStep);

}  // namespace award
