/* 學校的看板：埠 C 選 64 欄中的一欄，埠 F 點亮這一欄的第 1 到 8 列，埠 K 第 9 到 16 列。 */
#include "engine/sign_calls.h"

#include <avr/interrupt.h>
#include <avr/io.h>

static volatile uint8_t signLit; /* 有一欄亮著 */

/* 中斷每一欄的時間點亮畫面的一欄，畫面照原樣放 */
static void signStore(const uint16_t *image, uint16_t *to) {
    for (uint8_t j = 0; j < SIGN_COLUMNS; ++j) to[j] = image[j];
}

/* 每欄 columnCycles 拍；亮度 1 到 SIGN_BRIGHTEST：每一欄只亮這一欄時間的 亮度/SIGN_BRIGHTEST */
static void signBegin(uint16_t columnCycles, uint8_t brightness) {
    DDRF = 0xFF;
    DDRK = 0xFF;
    DDRC = 0xFF;
    signLit = 0;
    if (brightness < SIGN_BRIGHTEST) OCR1B = (uint16_t)((uint32_t)columnCycles * brightness / SIGN_BRIGHTEST);
    signClockBegin(columnCycles);
    if (brightness < SIGN_BRIGHTEST) TIMSK1 |= _BV(OCIE1B);
}

static void signRowsOff(void) {
    if (!signLit) return;
    PORTF = 0;
    PORTK = 0;
    signLit = 0;
}

/* 一欄的時間開始：先關掉前一欄的列，再換欄，才不會有殘影 */
ISR(TIMER1_COMPA_vect) {
    const uint8_t i = signColumnTime();
    signRowsOff();
    if (i == SIGN_COLUMNS) return;
    const uint16_t rows = signImages[signFront][i];
    PORTC = i;
    PORTK = (uint8_t)(rows >> 8);
    PORTF = (uint8_t)rows;
    signLit = 1;
}

/* 亮度不到 SIGN_BRIGHTEST 時，這一欄亮夠了 */
ISR(TIMER1_COMPB_vect) { signRowsOff(); }
