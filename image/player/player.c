/* The board's one program when the computer loads a sign without compiling
 * it: plays the shows FlashLayout.h describes through the engine every
 * sketch carries, on the school's sign or, built with AWARD_PLAYER_P10, on
 * two P10 panels wired to this board's pins. */
#include "FlashLayout.h"

#include "engine/sign_calls.h"

#include <avr/io.h>
#include <avr/pgmspace.h>
#include <avr/wdt.h>
#include <stdint.h>

#if defined(RAMPZ)
typedef uint32_t FlashAddress;
static uint16_t Word(FlashAddress at) { return pgm_read_word_far(at); }
static uint32_t Long(FlashAddress at) { return pgm_read_dword_far(at); }
#else
typedef uint16_t FlashAddress;
static uint16_t Word(FlashAddress at) { return pgm_read_word(at); }
static uint32_t Long(FlashAddress at) { return pgm_read_dword(at); }
#endif

/* The header follows the player, at the first even address past its code and
 * the initial values of its variables. */
extern const uint8_t __data_load_end[];

static FlashAddress words; /* where column word 0 lies */

static uint16_t showWord(uint32_t n) { return Word((FlashAddress)(words + 2 * n)); }

static void showWords(uint32_t n, uint16_t *to) {
    FlashAddress at = (FlashAddress)(words + 2 * n);
    for (uint8_t j = 0; j < SIGN_COLUMNS; ++j, at += 2) to[j] = Word(at);
}

#include "engine/sign_clock.c"
#if defined(AWARD_PLAYER_P10)
#include "engine/p10_sign.c"
#if defined(__AVR_ATmega2560__)
#include "engine/p10_pins_mega.c"
#else
#include "engine/p10_pins_uno.c"
#endif
#else
#include "engine/school_sign.c"
#endif
#include "engine/shows.c"

int main(void) {
    /* The bootloader may leave the watchdog running. */
    MCUSR = 0;
    wdt_disable();

    FlashAddress at = ((FlashAddress)(uintptr_t)__data_load_end + 1) & ~(FlashAddress)1;
    const uint16_t columnCycles = Word(at);
    const uint16_t shows = Word(at + 2);
    pagePause = Long(at + 4);
    const uint16_t items = Word(at + 8) & AWARD_FLAG_ITEMS;
    const uint8_t brightness = (uint8_t)Word(at + 10);
    const FlashAddress first = at + AWARD_HEADER_BYTES;
    words = (FlashAddress)(first + (uint32_t)AWARD_SHOW_BYTES * shows);
    signBegin(columnCycles, brightness);

    for (;;) {
        at = first;
        for (uint16_t s = 0; s < shows; ++s) {
            uint32_t f[AWARD_SHOW_BYTES / 4];
            for (uint8_t i = 0; i < AWARD_SHOW_BYTES / 4; ++i, at += 4) f[i] = Long(at);
#if defined(AWARD_PLAYER_FRAMES)
            (void)items;
            playFrames(f[1], f[2], f[3], f[0] == SHOW_FRAMES_16);
#else
            if (items)
                playItem(f[0], f[1], f[2], f[3], f[4]);
            else
                playShow(f[0], f[1], f[2], f[3], f[4]);
#endif
        }
    }
}
