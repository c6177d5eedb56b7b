#pragma once

#include "engine/shows.h"
#include "program/Program.h"
#include "program/ProgramFrames.h"
#include "sign/CompilerLimits.h"

#include <QStringView>

#include <array>
#include <cstdint>
#include <span>

// The program sketch: every item's pages (64 words each, a 逐字 page followed
// by the words that mark where its characters end) and scrolling columns one
// after another in one line of column words in flash, parts w0,
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

// Which of an item's settings its style uses: every style but 左移 and 右移
// shows pages that hold and have an alignment; the moving ones have a speed.
bool StyleHasPages(ItemStyle style);
bool StyleUsesSpeed(ItemStyle style);
// Whether the engine needs to know where the style's characters end (逐字).
bool StyleMarksCharacters(ItemStyle style);

// The words each page of the style takes in the table.
int PageWords(ItemStyle style);
using CharacterEndWords = std::array<std::uint16_t, CHARACTER_MARK_WORDS>;
// A 逐字 page's character ends as the words after it, and back.
CharacterEndWords WordsOf(const CharacterEnds& ends);
CharacterEnds CharacterEndsOf(std::span<const std::uint16_t, CHARACTER_MARK_WORDS> words);

}  // namespace award
