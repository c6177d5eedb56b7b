#pragma once

// The sign: 64 columns of 16 LEDs, the size every writer, reader and the LED
// preview take from here.

namespace award {

inline constexpr int kSignColumns = 64;
inline constexpr int kSignRows = 16;
inline constexpr int kSignLastColumn = kSignColumns - 1;
// A full-width character drawn at kCharacterPoints is as wide as the sign is tall.
inline constexpr int kCharacterPoints = 12;
inline constexpr int kCharacterColumns = kSignRows;

}  // namespace award
