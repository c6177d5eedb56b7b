#pragma once

#include "sign/sign.h"

// The sign: its columns and rows, the size every writer, reader and the LED
// preview take from here, as the engine on the board does.

namespace award {

inline constexpr int kSignColumns = SIGN_COLUMNS;
inline constexpr int kSignRows = SIGN_ROWS;
inline constexpr int kSignLastColumn = kSignColumns - 1;
// A full-width character drawn at kCharacterPoints is as wide as the sign is tall.
inline constexpr int kCharacterPoints = 12;
inline constexpr int kCharacterColumns = kSignRows;

}  // namespace award
