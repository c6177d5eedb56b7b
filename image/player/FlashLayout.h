/* The board's flash image as the program writes it, read by player.c on the
 * board and written by FlashImage.cpp on the computer: one home for both.
 *
 *   0x00000  the player: vectors, start-up code, the engine of shows and the
 *            sign's driver, at most AWARD_DATA_START bytes (the build refuses
 *            a bigger one).
 *   0x00600  AWARD_DATA_START: the header, 16 bytes.
 *   0x00610  the shows, AWARD_SHOW_BYTES each, played in order, then again
 *            from the first.
 *   ...      the column words the shows name, 2 bytes each, counted from 0.
 *            They run up to where the bootloader begins, past 0x10000 on the
 *            Mega, so the player reads them through far addresses there.
 *
 * Every number is little-endian, as the AVR reads it.
 *
 * Header:
 *   +0  u16  column cycles: CPU cycles of each column time
 *   +2  u16  number of shows
 *   +4  u32  page pause: column times of a dark sign, no port written, after
 *            each page (the phrase sketch's half second)
 *   +8  u16  flags: AWARD_FLAG_ITEMS, each show is a program's item, with
 *            the dark gap after it
 *  +10  u16  brightness, 1 to SIGN_BRIGHTEST
 *  +12  u32  zero
 *
 * Show: the engine's playShow arguments (engine/shows.h)
 *   +0  u16  kind
 *   +2  u16  zero
 *   +4  u32  first: its first column word, counted in words
 *   +8  u32  count
 *  +12  u32  hold
 *  +16  u32  step
 */
#ifndef AWARD_FLASH_LAYOUT_H
#define AWARD_FLASH_LAYOUT_H

#define AWARD_DATA_START 0x600UL
#define AWARD_HEADER_BYTES 16
#define AWARD_SHOW_BYTES 20
#define AWARD_FLAG_ITEMS 1

#endif
