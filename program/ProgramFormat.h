#pragma once

#include "program/Program.h"
#include "sign/SignGeometry.h"
#include "sign/SignTiming.h"

#include <QStringView>

#include <cstdint>

// The program sketch: every item's pages (64 words each) and scrolling
// columns one after another in one line of column words in flash, parts w0,
// w1, ... of kMarqueePartColumns words, and a table of items, one row
// of five unsigned longs each: style, first word, pages or columns, hold
// sweeps, step sweeps. Its columns take 100 us as the marquee's do, so that a
// sweep lasts kSweepMilliseconds. The board's loop, the preview's timeline
// and the reader all take the timing below from here.

namespace award {

inline constexpr QStringView kProgramPartName = u"w";
inline constexpr QStringView kProgramItemsName = u"items";
inline constexpr int kProgramItemFields = 5;
inline constexpr int kProgramItemBytes = 4 * kProgramItemFields;
// The item table is one object, so it too stays under 32,767 bytes.
inline constexpr int kProgramMaxItems = 32767 / kProgramItemBytes;

// A blink shows the page and a dark sign in turn, 0.3 s each (46.875 sweeps),
// this many times before the page holds.
inline constexpr int kBlinkTimes = 3;
inline constexpr int kBlinkSweeps = 47;
// The dark half second after each item, as between the phrase sketch's frames.
inline constexpr int kProgramGapSweeps = 78;
// Rows a page rises and columns a wipe uncovers before the page is whole.
inline constexpr int kRiseSteps = kSignRows - 1;
inline constexpr int kWipeSteps = kSignColumns - 1;

// The number the item table gives each style; the driver tests for these.
enum class StyleCode : std::uint32_t { Static = 0, ScrollLeft = 1, ScrollUp = 2, Blink = 3, Wipe = 4 };
StyleCode CodeOf(ItemStyle style);
// The style the board plays for a number in the table: any number it does
// not test for shows the pages as they are.
ItemStyle StyleOnBoard(std::uint32_t code);

// Which of an item's settings its style uses: every style but 左移 shows
// pages that hold and have an alignment; the moving ones have a speed.
bool StyleHasPages(ItemStyle style);
bool StyleUsesSpeed(ItemStyle style);

// Sweeps one item's steps take before its page holds, for each page; a 左移
// item's whole scroll.
std::uint64_t StepSweepsPerPage(ItemStyle style, std::uint32_t stepSweeps);

}  // namespace award
