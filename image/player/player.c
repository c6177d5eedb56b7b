/* The board's one program when the computer loads a sign without compiling
 * it: plays the shows FlashLayout.h describes, with the phrase sketch's
 * wiring (port C the column, port F rows 1-8, port K rows 9-16).
 *
 * Timer 1 paces the columns, so every column lasts the header's column
 * cycles whatever the code between them does, and a sweep takes exactly 64 of
 * them. No interrupt is ever enabled. */
#include "FlashLayout.h"

#include <avr/io.h>
#include <avr/pgmspace.h>
#include <avr/wdt.h>
#include <stdint.h>

#define COLUMNS 64
#define STRING_(x) #x
#define STRING(x) STRING_(x)

/* Reset, and the bootloader's jump when it is done, land at address 0. No
 * interrupt is used, so there is no vector table, and every variable is
 * written before it is read, so none is cleared: the player keeps to the
 * least flash it can, leaving the rest to the data. */
__asm__(".section .vectors,\"ax\",@progbits\n"
        "    clr __zero_reg__\n"
        "    out __SREG__, __zero_reg__\n"
        "    ldi r28, lo8(" STRING(RAMEND) ")\n"
        "    ldi r29, hi8(" STRING(RAMEND) ")\n"
        "    out __SP_H__, r29\n"
        "    out __SP_L__, r28\n"
        "    jmp main\n"
        "    .text\n");

static uint16_t a[COLUMNS]; /* what the sign shows */
static uint16_t pg[COLUMNS]; /* the page being shown */

static uint16_t Word(uint32_t address) { return pgm_read_word_far(address); }
static uint32_t Long(uint32_t address) { return pgm_read_dword_far(address); }

/* Waits for the end of the current column time. */
static void Tick(void) {
    while (!(TIFR1 & _BV(OCF1A))) {
    }
    TIFR1 = _BV(OCF1A);
}

/* Sweeps `a` n times. The first column waits for a column time of its own to
 * begin, so that none is cut short by the work done before: a column time
 * that ended meanwhile is forgotten. */
static void Show(uint32_t n) {
    if (n == 0) return;
    TIFR1 = _BV(OCF1A);
    Tick();
    for (; n > 0; --n) {
        for (uint8_t i = 0; i < COLUMNS; ++i) {
            const uint16_t w = a[i];
            PORTC = i;
            PORTK = (uint8_t)(w >> 8);
            PORTF = (uint8_t)w;
            Tick();
            PORTF = 0;
            PORTK = 0;
        }
    }
}

static void Dark(uint32_t n) {
    for (uint8_t j = 0; j < COLUMNS; ++j) a[j] = 0;
    Show(n);
}

/* A dark sign with no port written, as the phrase sketch's delay leaves it. */
static void Pause(uint32_t columns) {
    for (; columns > 0; --columns) Tick();
}

static void LoadPage(uint32_t address) {
    for (uint8_t j = 0; j < COLUMNS; ++j, address += 2) pg[j] = Word(address);
}

/* Starts from a dark sign: step 0 enters no column. */
static void Scroll(uint32_t next, uint32_t count, uint32_t step) {
    for (uint8_t j = 0; j < COLUMNS; ++j) a[j] = 0;
    Show(step);
    for (uint32_t s = 1; s < count + COLUMNS; ++s) {
        for (uint8_t j = 0; j < COLUMNS - 1; ++j) a[j] = a[j + 1];
        a[COLUMNS - 1] = s <= count ? Word(next) : 0;
        next += 2;
        Show(step);
    }
}

static uint32_t pause, load; /* the header's */

static void Pages(uint16_t kind, uint32_t first, uint32_t count, uint32_t hold, uint32_t step) {
    for (; count > 0; --count, first += 2 * COLUMNS) {
        LoadPage(first);
        Pause(load);
        if (kind == AWARD_SHOW_RISE) {
            for (uint8_t r = 1; r <= AWARD_RISE_STEPS; ++r) {
                for (uint8_t j = 0; j < COLUMNS; ++j) a[j] = (uint16_t)(pg[j] << (16 - r));
                Show(step);
            }
        } else if (kind == AWARD_SHOW_BLINK) {
            for (uint8_t b = 1; b <= AWARD_BLINK_TIMES; ++b) {
                for (uint8_t j = 0; j < COLUMNS; ++j) a[j] = pg[j];
                Show(AWARD_BLINK_SWEEPS);
                Dark(AWARD_BLINK_SWEEPS);
            }
        } else if (kind == AWARD_SHOW_WIPE) {
            for (uint8_t c = 1; c <= AWARD_WIPE_STEPS; ++c) {
                for (uint8_t j = 0; j < COLUMNS; ++j) a[j] = j < c ? pg[j] : 0;
                Show(step);
            }
        }
        for (uint8_t j = 0; j < COLUMNS; ++j) a[j] = pg[j];
        Show(hold);
        Pause(pause);
    }
}

int main(void) {
    /* The bootloader may leave the watchdog running. */
    MCUSR = 0;
    wdt_disable();
    DDRF = 0xFF;
    DDRK = 0xFF;
    DDRC = 0xFF;

    const uint32_t header = AWARD_DATA_START;
    OCR1A = Word(header) - 1;
    TCCR1A = 0;
    TCNT1 = 0;
    TCCR1B = _BV(WGM12) | _BV(CS10); /* clear on OCR1A, the CPU's clock */
    const uint16_t shows = Word(header + 2);
    pause = Long(header + 4);
    const uint32_t gap = Long(header + 8);
    load = Long(header + 12);

    for (;;) {
        for (uint16_t s = 0; s < shows; ++s) {
            const uint32_t show = header + AWARD_HEADER_BYTES + (uint32_t)AWARD_SHOW_BYTES * s;
            const uint16_t kind = Word(show);
            const uint32_t first = Long(show + 4), count = Long(show + 8);
            const uint32_t hold = Long(show + 12), step = Long(show + 16);
            if (kind == AWARD_SHOW_SCROLL)
                Scroll(first, count, step);
            else
                Pages(kind, first, count, hold, step);
            Dark(gap);
        }
    }
}
