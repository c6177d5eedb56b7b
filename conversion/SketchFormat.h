#pragma once

#include <QStringView>

// What the generated sketches and the board they run on have in common: the
// writer, the reader, the LED preview, compiling and the board tests all take
// these facts from here.

namespace award {

// The table of frames. Row 0 is an all-zero opening row, rows 1 to num are
// the frames shown, and an all-zero closing row ends the table. Element 0 of
// a row is the frame's delay factor, elements 1 to 64 its column words.
inline constexpr QStringView kTableName = u"b";
inline constexpr QStringView kCountName = u"num";
inline constexpr int kRowElements = 65;

// How the driver shows a frame: sweeps of the 64 columns, each column lit for
// 100 us, repeated 100 x (delay factor) + 1 times; then the sign stays dark
// for half a second.
inline constexpr int kColumnMicroseconds = 100;
inline constexpr int kSweepsPerDelayUnit = 100;
inline constexpr int kPauseMilliseconds = 500;
inline constexpr double kSweepMilliseconds = 64 * kColumnMicroseconds / 1000.0;

// Where a sketch keeps its table: in SRAM as a plain array, the form users
// know, or, when SRAM cannot hold it, in flash. avr-gcc refuses any single
// object over 32,767 bytes, so the flash table is cut into parts b0, b1, ...
// of at most kFlashPartRows rows (252 x 130 bytes = 32,760).
enum class TableStore { Sram, Flash };
inline constexpr int kFlashPartRows = 252;

// The marquee: the whole text as one line of column words in flash, parts
// m0, m1, ... of at most kMarqueePartColumns words (32,766 bytes), and how
// many sweeps the sign makes before the text moves on by one column.
inline constexpr QStringView kMarqueePartName = u"m";
inline constexpr QStringView kMarqueeSweepsName = u"sweeps";
inline constexpr int kMarqueePartColumns = 16383;

// Speeds of the marquee, as sweeps of 6.4 ms per step of one column. Watching
// the preview, 16 sweeps (9.8 columns, a little over half a character, per
// second) reads comfortably even for long names; 8 (19.5 columns, 1.2
// characters, per second) is the pace of a shop sign; 4 (39 columns, 2.4
// characters, per second) is as fast as a four-character phrase can still be
// read as it passes. Whole sweeps, so that no column is cut short and flickers.
enum class MarqueeSpeed { Slow, Medium, Fast };
// The phrase sketch lights each column for delayMicroseconds(100), and its
// loop adds about 2.2 us more, so a column takes 102 us there. The marquee
// waits 98 us instead, so that a column takes 100 us and a step lasts the
// time its speed says, within a per cent.
inline constexpr int kMarqueeColumnDelayMicroseconds = 98;
inline constexpr int MarqueeSweeps(MarqueeSpeed speed) {
    return speed == MarqueeSpeed::Slow ? 16 : speed == MarqueeSpeed::Medium ? 8 : 4;
}

// The program: every item's pages (64 words each) and scrolling columns one
// after another in one line of column words in flash, parts w0, w1, ... of
// kMarqueePartColumns words, and a table of items, one row of five unsigned
// longs each: style, first word, pages or columns, hold sweeps, step sweeps.
// Its columns take 100 us as the marquee's do, so that a sweep lasts
// kSweepMilliseconds.
inline constexpr QStringView kProgramPartName = u"w";
inline constexpr QStringView kProgramItemsName = u"items";
inline constexpr int kProgramItemFields = 5;
inline constexpr int kProgramItemBytes = 4 * kProgramItemFields;
// A blink shows the page and a dark sign in turn, 0.3 s each (46.875 sweeps),
// this many times before the page holds.
inline constexpr int kBlinkTimes = 3;
inline constexpr int kBlinkSweeps = 47;
// The dark half second after each item, as between the phrase sketch's frames.
inline constexpr int kProgramGapSweeps = 78;
// Rows a page rises and columns a wipe uncovers before the page is whole.
inline constexpr int kRiseSteps = 15;
inline constexpr int kWipeSteps = 63;
// The flash a program sketch takes besides its words (2 bytes each) and its
// items (kProgramItemBytes each): the driver, whose word lookup grows with
// the parts, and the Arduino core. Measured as the capacities above, with
// arduino-builder; the largest, that of the most parts any program that fits
// can have, bounds them all, so that the run never passes a sketch that does
// not fit:
//
//   words     parts  items   program bytes   besides the tables
//     1,000       1      3           3,998      1,938
//    70,000       5    500         151,988      1,988
//   100,000       7     20         202,600      2,200
//   120,000       8     20         242,642      2,242
//   125,655       8     20         253,952      fits exactly
inline constexpr long long kProgramCodeBytes = 2242;
// The item table is one object, so it too stays under 32,767 bytes.
inline constexpr int kProgramMaxItems = 32767 / kProgramItemBytes;

// The Arduino Mega 2560's memories, as boards.txt gives them.
inline constexpr int kMega2560SramBytes = 8192;
// Flash less the 8 KiB the bootloader keeps at the top.
inline constexpr int kMega2560ProgramBytes = 253952;
// SRAM left free for the stack, below which a sketch is not trusted to run.
inline constexpr int kStackReserveBytes = 512;

// The most phrases whose SRAM table still leaves kStackReserveBytes of SRAM
// for the stack. Each phrase adds a row of 65 two-byte words, and one more
// phrase would cut the stack's share below 512 bytes. Found by compiling
// generated sketches with the Arduino IDE's flags; the board tests keep it
// honest. Up to here sketches keep the table in SRAM.
inline constexpr int kMega2560MaxPhrases = 55;

// The most phrases whose sketch, with the table in flash, still fits the
// kMega2560ProgramBytes of program space. Each phrase adds 130 bytes of flash.
// Measured by compiling generated sketches with the Arduino IDE's flags
// (arduino-builder, Mega 2560, Debian 12's avr-gcc 5.4):
//
//   phrases   program bytes
//        56           8,668   the smallest flash table
//     1,000         131,498
//     1,930         252,524
//     1,940         253,824   fits, 128 bytes to spare
//     1,941         253,954   2 bytes too many: "Sketch too big"
inline constexpr int kMega2560MaxFlashPhrases = 1940;

// The most columns a marquee sketch holds in the program space, about 7,890
// full-width characters. Each column adds 2 bytes of flash. Measured as the
// flash capacity for phrases was:
//
//   columns   program bytes
//         0             932
//     1,000           2,956
//   100,000         201,246
//   126,293         253,952   fits exactly
//   126,294         253,954   "Sketch too big"
inline constexpr long long kMarqueeMaxColumns = 126293;

}  // namespace award
