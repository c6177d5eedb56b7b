#pragma once

#include "engine/Shows.h"
#include "program/Program.h"
#include "sign/ColumnWords.h"
#include "sign/SignGeometry.h"
#include "sign/SignTarget.h"

#include <bitset>
#include <cstdint>
#include <vector>

namespace award {

// Where the characters of a 逐字 page end: bit j for column j, the last
// column of a character whose next one appears a step later.
using CharacterEnds = std::bitset<kSignColumns>;

// What a program sketch makes the board show, item by item, as its tables
// say: read back from the sketch text, hand edits included.
struct ProgramFrames {
    struct Item {
        ItemStyle style = ItemStyle::Static;
        // Sweeps each page stays lit once in place.
        std::uint32_t holdSweeps = 0;
        // Sweeps of each step of a moving style: a row up, a column across.
        std::uint32_t stepSweeps = 0;
        // The pages of every style but 左移 and 右移, in order.
        std::vector<ColumnWords> pages = {};
        // The columns of a 左移 or 右移 item's picture and text.
        std::vector<std::uint16_t> columns = {};
        // For 逐字, one for each page; a page without them appears whole at once.
        std::vector<CharacterEnds> characterEnds = {};

        bool operator==(const Item&) const = default;
    };
    std::vector<Item> items;  // shown in this order, then again from the first
    // The sign and board the driver is for, and the brightness the sketch names.
    SignTarget target{};

    bool operator==(const ProgramFrames&) const = default;
};

// The shows the engine plays for it: one an item, over all items' words in
// the order the sketch's table holds them.
Shows ShowsOf(const ProgramFrames& program);
// How long one cycle of the program lasts on the board.
double CycleSeconds(const ProgramFrames& program);

}  // namespace award
