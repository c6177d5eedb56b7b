#pragma once

#include "sign/Mega2560.h"
#include "sign/SignTarget.h"
#include "sign/UnoNano.h"

// What the board holds of each sketch, measured by compiling generated
// sketches with the Arduino IDE's flags (arduino-builder, Mega 2560 or Uno,
// Debian 12's avr-gcc 5.4); the board tests keep these honest. A sketch the
// engine plays is measured at the brightness that makes its code largest
// (the school's sign dimmed, the P10 panels at full brightness), so that
// every capacity holds at every brightness.

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
//   columns   program bytes (dimmed)
//   126,145         253,952   fits exactly
//   126,146         253,954   "Sketch too big"
//   126,154         253,970
inline constexpr long long kMarqueeMaxColumns = 126145;

// The flash a program sketch takes besides its words (2 bytes each) and its
// items (20 bytes each): the engine of shows, the word lookup, which grows
// with the parts, and the Arduino core. The largest, that of the most parts
// any program that fits can have, bounds them all, so that the run never
// passes a sketch that does not fit:
//
//   words     parts  items   program bytes   besides the tables (dimmed)
//     1,000       1      3           5,378      3,318   (full brightness)
//   125,499       8     20         254,734      3,360   (full brightness)
//   125,499       8     20         254,760      3,386   too big by 808
//   125,095       8     20         253,952      fits exactly
inline constexpr long long kProgramCodeBytes = 3386;

// What each board holds of the sketches the engine plays, for each sign it
// drives: the phrase table read by the engine's frames (the school's sign's
// when it is dimmed), the marquee's columns, and a program's code besides its
// words and items, measured as above.
struct EngineCapacities {
    int phrases = 0;
    long long marqueeColumns = 0;
    long long programCodeBytes = 0;
};

// The school's sign on the Mega 2560, dimmed: the marquee and the program as
// above; each phrase adds 130 bytes of flash.
//
//   phrases   program bytes
//     1,936         253,832   fits, 120 bytes to spare
//     1,937         253,962   "Sketch too big"
inline constexpr EngineCapacities kSchoolMega2560Engine{1936, kMarqueeMaxColumns, kProgramCodeBytes};

// Two P10 panels on the Mega 2560.
//
//   phrases   program bytes      columns   program bytes   program words  items   besides the tables
//     1,934         253,866      126,020         253,952           1,000      3      3,634
//     1,935         253,996      126,021         253,954         125,376     20      3,676   too big by 804
inline constexpr EngineCapacities kP10Mega2560Engine{1934, 126020, 3676};

// Two P10 panels on the Uno or Nano, whose 30,720 bytes are the Nano's share
// of its flash; every table fits in one part.
//
//   phrases   program bytes      columns   program bytes   program words  items   besides the tables
//       221          30,718       14,704          30,720           1,000      3      3,252
//       222          30,848       14,705          30,722          13,910     20      3,252   too big by 806
inline constexpr EngineCapacities kP10UnoEngine{221, 14704, 3252};

inline constexpr const EngineCapacities& EngineCapacitiesOf(SignKind sign, BoardKind board) {
    if (sign == SignKind::School) return kSchoolMega2560Engine;
    return board == BoardKind::Uno ? kP10UnoEngine : kP10Mega2560Engine;
}

// The most phrases, marquee columns and a program's code for the target.
inline constexpr int MaxPhrases(const SignTarget& target) {
    return KeepsOwnPhraseSketch(target) ? kMega2560MaxFlashPhrases
                                        : EngineCapacitiesOf(target.sign, target.board).phrases;
}
inline constexpr long long MaxMarqueeColumns(const SignTarget& target) {
    return EngineCapacitiesOf(target.sign, target.board).marqueeColumns;
}
inline constexpr long long ProgramCodeBytes(const SignTarget& target) {
    return EngineCapacitiesOf(target.sign, target.board).programCodeBytes;
}

}  // namespace award
