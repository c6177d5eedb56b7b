#pragma once

#include "engine/shows.h"
#include "sign/ColumnWords.h"

#include <cstdint>
#include <vector>

namespace award {

// One show as the engine plays it (engine/shows.h): a program's item, a
// marquee's scroll, or a phrase table's frames.
struct Show {
    std::uint32_t kind = SHOW_STILL;
    std::uint32_t first = 0;  // its first column word
    std::uint32_t count = 0;  // pages, frames, or the columns of a scroll
    std::uint32_t hold = 0;
    std::uint32_t step = 0;

    bool operator==(const Show&) const = default;
};

// Everything a sketch makes the sign do: its shows in order, then again from
// the first, over one table of column words, and how each form times them.
struct Shows {
    std::vector<Show> shows;
    std::vector<std::uint16_t> words;
    std::uint16_t columnCycles = SHOW_COLUMN_CYCLES;  // CPU cycles of a column time
    std::uint32_t pagePause = 0;  // column times of a dark sign after each page
    bool items = false;           // a program's items, each followed by the dark gap
    std::uint8_t brightness = SIGN_BRIGHTEST;

    bool operator==(const Shows&) const = default;
};

// One thing the sign shows, for a number of column times: an image, or a
// pause in which the sign is dark and no port is written. Two images in a row
// may be equal (a page held after its last step); the engine keeps them apart.
struct ShownImage {
    ColumnWords words{};
    std::uint64_t columns = 0;
    bool pause = false;

    bool operator==(const ShownImage&) const = default;
};

// What the engine shows for one show, the gap after a program's item included,
// image by image.
std::vector<ShownImage> PlayedShow(const Shows& shows, std::size_t show);
// One cycle: every show in order.
std::vector<ShownImage> PlayedCycle(const Shows& shows);
// Column times of one show, or one cycle, without keeping the images.
std::uint64_t ShowColumns(const Shows& shows, std::size_t show);
std::uint64_t CycleColumns(const Shows& shows);
// How long column times last on the board, in milliseconds.
double Milliseconds(std::uint64_t columns, std::uint16_t columnCycles);

}  // namespace award
