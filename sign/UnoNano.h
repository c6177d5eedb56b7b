#pragma once

// The Arduino Uno's and Nano's memories, as boards.txt gives them. Both have
// an ATmega328P; the Uno's bootloader keeps 512 bytes of its 32 KiB of flash,
// the Nano's 2 KiB, so a sketch for either is held to the Nano's share.

namespace award {

inline constexpr int kUnoSramBytes = 2048;
inline constexpr int kUnoNanoProgramBytes = 30720;
// What fits under the Uno's optiboot, which a Nano with the newer bootloader
// has too; a Nano with the older one answers at 57600 baud and holds the above.
inline constexpr int kUnoProgramBytes = 32256;

}  // namespace award
