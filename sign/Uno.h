#pragma once

// The Arduino Uno's and Nano's ATmega328P, as boards.txt gives them.

namespace award {

inline constexpr int kUnoSramBytes = 2048;
// Flash less the half KiB optiboot keeps at the top.
inline constexpr int kUnoProgramBytes = 32256;
// A Nano with the older bootloader keeps 2 KiB of it, and answers at 57600 baud.
inline constexpr int kNanoOldBootloaderProgramBytes = 30720;

}  // namespace award
