#pragma once

#include "sign/ColumnWords.h"
#include "program/ProgramFrames.h"

#include <cstdint>
#include <vector>

namespace award {

// One image the sign shows and for how many sweeps; a dark sign is an image
// of zero words.
struct ShownImage {
    ColumnWords words{};
    std::uint32_t sweeps = 0;

    bool operator==(const ShownImage&) const = default;
};

// What the board shows for one item, image by image, the dark gap after it
// included. Two images in a row may be equal (a page held after its last
// step); they are kept apart as the board's loop keeps them.
std::vector<ShownImage> ItemTimeline(const ProgramFrames::Item& item);
// One cycle of the whole program: every item's timeline in order.
std::vector<ShownImage> ProgramTimeline(const ProgramFrames& program);
// Sweeps in one cycle, without building the images.
std::uint64_t ProgramCycleSweeps(const ProgramFrames& program);

}  // namespace award
