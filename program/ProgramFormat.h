#pragma once

#include "program/Program.h"
#include "sign/CompilerLimits.h"

#include <QStringView>

#include <cstdint>

// The program sketch: every item's pages (64 words each) and scrolling
// columns one after another in one line of column words in flash, parts w0,
// w1, ... of kPartWords words, and a table of items, one row of five
// unsigned longs each: style, first word, pages or columns, hold sweeps, step
// sweeps, the arguments the engine plays each item with.

namespace award {

inline constexpr QStringView kProgramPartName = u"w";
inline constexpr QStringView kProgramItemsName = u"items";
inline constexpr int kProgramItemFields = 5;
inline constexpr int kProgramItemBytes = 4 * kProgramItemFields;
// The item table is one object, so it too stays within avr-gcc's limit.
inline constexpr int kProgramMaxItems = kMaxObjectBytes / kProgramItemBytes;

// The number the item table gives each style: the kind of show the engine
// plays for it (engine/shows.h).
std::uint32_t CodeOf(ItemStyle style);
// The style the board plays for a number in the table: any number the engine
// does not play as a style of its own shows the pages as they are.
ItemStyle StyleOnBoard(std::uint32_t code);
// Every style's number and name, as the sketch's comment and its messages
// list them: "0 靜止、1 左移、…".
QString StyleCodesInWords();

// Which of an item's settings its style uses: every style but 左移 shows
// pages that hold and have an alignment; the moving ones have a speed.
bool StyleHasPages(ItemStyle style);
bool StyleUsesSpeed(ItemStyle style);

}  // namespace award
