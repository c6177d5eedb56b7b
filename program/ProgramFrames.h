#pragma once

#include "engine/Shows.h"
#include "program/Program.h"
#include "sign/ColumnWords.h"
#include "sign/SignTarget.h"

#include <cstdint>
#include <vector>

namespace award {

// What a program sketch makes the board show, item by item, as its tables
// say: read back from the sketch text, hand edits included.
struct ProgramFrames {
    struct Item {
        ItemStyle style = ItemStyle::Static;
        // Sweeps each page stays lit once in place.
        std::uint32_t holdSweeps = 0;
        // Sweeps of each step of a moving style: a row up, a column across.
        std::uint32_t stepSweeps = 0;
        // The pages of every style but 左移, in order.
        std::vector<ColumnWords> pages;
        // The columns of a 左移 item's text.
        std::vector<std::uint16_t> columns;

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
