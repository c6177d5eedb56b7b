#pragma once

#include "sign/Mega2560.h"

// What the board holds of each sketch, measured by compiling generated
// sketches with the Arduino IDE's flags (arduino-builder, Mega 2560, Debian
// 12's avr-gcc 5.4); the board tests keep these honest.

namespace award {

// The most phrases whose SRAM table still leaves kStackReserveBytes of SRAM
// for the stack. Each phrase adds a row of 65 two-byte words, and one more
// phrase would cut the stack's share below 512 bytes. Up to here sketches
// keep the table in SRAM.
inline constexpr int kMega2560MaxPhrases = 55;

// The most phrases whose sketch, with the table in flash, still fits the
// kMega2560ProgramBytes of program space. Each phrase adds 130 bytes of flash.
//
//   phrases   program bytes
//        56           8,668   the smallest flash table
//     1,000         131,498
//     1,930         252,524
//     1,940         253,824   fits, 128 bytes to spare
//     1,941         253,954   2 bytes too many: "Sketch too big"
inline constexpr int kMega2560MaxFlashPhrases = 1940;

// The most columns a marquee sketch holds in the program space, about 7,880
// full-width characters. Each column adds 2 bytes of flash.
//
//   columns   program bytes
//   126,156         253,952   fits exactly
//   126,157         253,954   "Sketch too big"
//   126,293         254,226
inline constexpr long long kMarqueeMaxColumns = 126156;

// The flash a program sketch takes besides its words (2 bytes each) and its
// items (20 bytes each): the engine of shows, the word lookup, which grows
// with the parts, and the Arduino core. The largest, that of the most parts
// any program that fits can have, bounds them all, so that the run never
// passes a sketch that does not fit:
//
//   words     parts  items   program bytes   besides the tables
//     1,000       1      3           5,378      3,318
//    70,000       5    500         153,318      3,318
//   125,130       8     20         254,020      3,360   too big by 68
//   125,096       8     20         253,952      fits exactly
inline constexpr long long kProgramCodeBytes = 3360;

}  // namespace award
