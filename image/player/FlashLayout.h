/* The board's flash image as the program writes it, read by player.c on the
 * board and written by FlashImage.cpp on the computer: one home for both.
 *
 *   0x00000  the player: vectors, start-up code and the show loop, at most
 *            AWARD_DATA_START bytes (the build refuses a bigger one).
 *   0x00500  AWARD_DATA_START: the header, 16 bytes.
 *   0x00510  the shows, AWARD_SHOW_BYTES each, played in order, then again
 *            from the first.
 *   ...      the column words the shows name, 2 bytes each, bit 0 lighting
 *            row 1 (port F bit 0) and bit 15 row 16 (port K bit 7). They run
 *            up to where the bootloader begins, past 0x10000, so the player
 *            reads all of them through far addresses.
 *
 * Every number is little-endian, as the AVR reads it.
 *
 * Header:
 *   +0  u16  column cycles: CPU cycles each column stays selected, paced by
 *            Timer 1, so that a sweep takes what the compiled sketch's does
 *   +2  u16  number of shows
 *   +4  u32  page pause: after each page of a show has been held, the sign
 *            stays dark this many column times with no port written (the
 *            phrase sketch's half second)
 *   +8  u32  item gap: after each show, sweeps of a dark sign (the program's
 *            dark half second between items)
 *  +12  u32  page load: before each page of a show, the sign stays dark this
 *            many column times with no port written (the program sketch's
 *            reading of the page's words)
 *
 * Show:
 *   +0  u16  kind, one of AWARD_SHOW_* below
 *   +2  u16  zero
 *   +4  u32  flash byte address of its first column word
 *   +8  u32  pages, or for AWARD_SHOW_SCROLL columns
 *  +12  u32  hold: sweeps each page stays lit once whole
 *  +16  u32  step: sweeps of each step of rising, wiping or scrolling
 *
 * A page is 64 column words, LED column 0 first. The kinds:
 *   STILL   each page held, then the page pause
 *   SCROLL  the columns enter a dark sign from the right one per step; the
 *           last leaves on the left after count + 64 steps
 *   RISE    each page rises from the bottom a row per step, 15 steps, then held
 *   BLINK   each page lit and dark in turn for AWARD_BLINK_SWEEPS sweeps each,
 *           AWARD_BLINK_TIMES times, then held
 *   WIPE    each page uncovered from the left a column per step, 63 steps,
 *           then held
 */
#ifndef AWARD_FLASH_LAYOUT_H
#define AWARD_FLASH_LAYOUT_H

#define AWARD_DATA_START 0x500UL
#define AWARD_HEADER_BYTES 16
#define AWARD_SHOW_BYTES 20
/* Where the bootloader begins: the image must end below it. */
#define AWARD_FLASH_END 0x3E000UL

#define AWARD_SHOW_STILL 0
#define AWARD_SHOW_SCROLL 1
#define AWARD_SHOW_RISE 2
#define AWARD_SHOW_BLINK 3
#define AWARD_SHOW_WIPE 4

#define AWARD_RISE_STEPS 15
#define AWARD_WIPE_STEPS 63
#define AWARD_BLINK_TIMES 3
#define AWARD_BLINK_SWEEPS 47

#endif
