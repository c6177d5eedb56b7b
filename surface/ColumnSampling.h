#pragma once

#include "sign/ColumnWords.h"
#include "surface/FirstScanRow.h"

#include <QStringView>

#include <cstdint>
#include <vector>

namespace award {

class DrawingSurface;

// Reads columns 1 to 64 and rows firstScanRow to firstScanRow + 15 of the
// surface's pixels into one word per column. Bit n of a word is set when the
// pixel firstScanRow + n rows down is pure black; any other colour, and any
// pixel outside the surface, leaves it clear.
ColumnWords SampleColumnWords(const DrawingSurface& surface, FirstScanRow firstScanRow);

// Sets the surface up as every run draws: in pixels, characters at
// kCharacterPoints.
void SetUpForSigns(DrawingSurface& surface);
// Clears the surface, prints the text and returns its column words.
ColumnWords ScanText(DrawingSurface& surface, QStringView text, FirstScanRow firstScanRow);
// The text drawn as one line of any length and sampled, a word a column.
std::vector<std::uint16_t> ScanLine(DrawingSurface& surface, QStringView line, FirstScanRow firstScanRow);

}  // namespace award
