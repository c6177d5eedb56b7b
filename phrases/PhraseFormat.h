#pragma once

#include "sign/CompilerLimits.h"
#include "sign/SignGeometry.h"

#include <QStringView>

// The phrase sketch's table of frames. Row 0 is an all-zero opening row, rows
// 1 to num are the frames shown, and an all-zero closing row ends the table.
// Element 0 of a row is the frame's delay factor, elements 1 to 64 its column
// words.

namespace award {

inline constexpr QStringView kTableName = u"b";
inline constexpr QStringView kCountName = u"num";
inline constexpr int kRowElements = kSignColumns + 1;

// Where a sketch keeps its table: in SRAM as a plain array, the form users
// know, or, when SRAM cannot hold it, in flash, cut into parts b0, b1, ...
// of as many whole rows as avr-gcc takes in one object.
enum class TableStore { Sram, Flash };
inline constexpr int kFlashPartRows = kMaxObjectBytes / (2 * kRowElements);

// Which driver shows the table: the sketch's own, on the school's sign at full
// brightness, or the engine's frames, for any sign, board and brightness
// (the table then always in flash, each frame timed as the own driver times it).
enum class PhraseDriver { Own, Engine };

}  // namespace award
