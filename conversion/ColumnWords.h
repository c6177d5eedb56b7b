#pragma once

#include "conversion/SketchFormat.h"

#include <array>
#include <cstdint>
#include <vector>

class QImage;

namespace award {

class DrawingSurface;

// One frame: a word for each of the sign's columns.
using ColumnWords = std::array<std::uint16_t, kSignColumns>;

// Reads columns 1 to 64 and rows firstScanRow to firstScanRow + 15 of the
// surface's pixels into one word per column. Bit n of a word is set when the
// pixel firstScanRow + n rows down is pure black; any other colour, and any
// pixel outside the surface, leaves it clear.
ColumnWords SampleColumnWords(const DrawingSurface& surface, int firstScanRow);

// Reads a line drawn on a strip of its own (DrawingSurface::DrawLine) into a
// word for each of its columns, bit n set where the pixel firstScanRow + n
// rows down is inked.
std::vector<std::uint16_t> SampleLineColumns(const QImage& strip, int firstScanRow);

}  // namespace award
