#pragma once

// The Arduino Mega 2560's memories, as boards.txt gives them.

namespace award {

inline constexpr int kMega2560SramBytes = 8192;
// Flash less the 8 KiB the bootloader keeps at the top.
inline constexpr int kMega2560ProgramBytes = 253952;
// SRAM left free for the stack, below which a sketch is not trusted to run.
inline constexpr int kStackReserveBytes = 512;

}  // namespace award
