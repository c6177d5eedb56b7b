#pragma once

#include <array>
#include <cstdint>

namespace award {

class DrawingSurface;

// The sign's scan window: 64 columns of 16 rows.
inline constexpr int kSignColumns = 64;
inline constexpr int kSignRows = 16;

using ColumnWords = std::array<std::uint16_t, kSignColumns>;

// Reads columns 1 to 64 and rows firstScanRow to firstScanRow + 15 of the
// surface's pixels into one word per column. Bit n of a word is set when the
// pixel firstScanRow + n rows down is pure black; any other colour, and any
// pixel outside the surface, leaves it clear.
ColumnWords SampleColumnWords(const DrawingSurface& surface, int firstScanRow);

}  // namespace award
