#pragma once

#include "surface/DrawingSurface.h"

#include <QString>
#include <QStringList>

#include <array>
#include <bitset>

namespace award::test {

// The sign's 16 rows x 64 columns as a phrase lights them: row r, column c.
using LedGrid = std::array<std::bitset<64>, 16>;

// The award phrases of tests/data/award_phrases.txt, comment lines left out.
QStringList AwardPhrases();

// The phrase as a run scans it: drawn at 12 points, rows 3 to 18 and columns
// 1 to 64 of the surface, lit where the pixel is pure black.
LedGrid ScanLeds(DrawingSurface& surface, const QString& phrase);

// Lit LEDs none of whose eight neighbours is lit.
int IsolatedLeds(const LedGrid& leds);
int LitLeds(const LedGrid& leds);
// Groups of lit LEDs joined through any of the eight neighbours.
int LitGroups(const LedGrid& leds);

// Dark regions that lit LEDs close in on every side (through the four
// neighbours), as the counters of 口 or 日.
int Counters(const LedGrid& leds);

// The groups of ink the character's outline has at 64 pixels to the em,
// unhinted, where at least half a pixel is covered; -1 if the face lacks it.
int OutlineGroups(const InstalledFace& face, char32_t c);

}  // namespace award::test
