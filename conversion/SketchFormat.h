#pragma once

// What the generated sketches and the board they run on have in common: the
// writer, the reader, the LED preview, compiling and the board tests all take
// these facts from here.

namespace award {

// The Arduino Mega 2560's memories, as boards.txt gives them.
inline constexpr int kMega2560SramBytes = 8192;
// Flash less the 8 KiB the bootloader keeps at the top.
inline constexpr int kMega2560ProgramBytes = 253952;
// SRAM left free for the stack, below which a sketch is not trusted to run.
inline constexpr int kStackReserveBytes = 512;

// The most phrases whose sketch still leaves kStackReserveBytes of SRAM for
// the stack. The frame table lives in SRAM: each phrase adds a row of 65
// two-byte words, and one more phrase would cut the stack's share below 512
// bytes. Found by compiling generated sketches with the Arduino IDE's flags;
// the board tests keep it honest.
inline constexpr int kMega2560MaxPhrases = 55;

}  // namespace award
