/* P10 面板兩片（HUB12 插座）：兩片 32 × 16 的面板並排成 64 × 16。一次掃瞄 s（0 到 3）
 * 點亮兩片的第 s、s+4、s+8、s+12 列：從 SPI 送出 32 個位元組，再鎖存、選列、打開 OE。
 * 四次掃瞄是一次完整的更新，每次掃瞄亮 16 欄的時間，所以一次更新正好是學校看板
 * 掃瞄 64 欄的時間，每個畫面、每段暗的時間都和學校看板一樣長。
 * 先送的位元組走得最遠：Arduino 接右邊那片（從正面看），左邊那片接右邊那片的輸出。 */
#include "engine/sign_calls.h"

#include <avr/interrupt.h>
#include <avr/io.h>

enum {
    P10_SCANS = 4,
    P10_SCAN_COLUMNS = SIGN_COLUMNS / P10_SCANS,                /* 一次掃瞄亮幾欄的時間 */
    P10_ROW_GROUPS = SIGN_ROWS / P10_SCANS,                    /* 一次掃瞄亮幾列 */
    P10_SCAN_BYTES = SIGN_COLUMNS / 8 * P10_ROW_GROUPS,        /* 一次掃瞄送幾個位元組 */
    /* 常見的面板 0 是亮；有些廠牌的資料是反的，1 才亮，接那種面板時把這裡改成 1 */
    P10_ONE_LIGHTS = 0
};

/* 控制板的腳位檔提供：腳位設成輸出、面板關著；打開或關掉 OE；鎖存；選第 s 次掃瞄的列 */
static void p10PinsBegin(void);
static void p10Enable(uint8_t on);
static void p10Latch(void);
static void p10Rows(uint8_t s);

static uint8_t p10OnColumns;       /* 每次掃瞄亮幾欄的時間 */
static volatile uint8_t p10Column; /* 這次掃瞄到了第幾欄的時間 */

/* 畫面換成面板的位元組：第 s 次掃瞄的 32 個位元組依序是每 8 欄一組（從左到右），
 * 每組是第 s+12、s+8、s+4、s 列；一個位元組最左邊那一欄是最高位元 */
static void signStore(const uint16_t *image, uint16_t *to) {
    uint8_t *bytes = (uint8_t *)to;
    uint16_t row = 1;
    for (uint8_t r = 0; r < SIGN_ROWS; ++r, row = (uint16_t)(row << 1)) {
        uint8_t *at = bytes + (r % P10_SCANS) * P10_SCAN_BYTES + (P10_ROW_GROUPS - 1 - r / P10_SCANS);
        for (uint8_t i = 0; i < SIGN_COLUMNS; i += 8, at += P10_ROW_GROUPS) {
            uint8_t lit = 0;
            for (uint8_t c = 0; c < 8; ++c) lit = (uint8_t)((lit << 1) | ((image[i + c] & row) ? 1 : 0));
            *at = P10_ONE_LIGHTS ? lit : (uint8_t)~lit;
        }
    }
}

/* 每欄 columnCycles 拍；亮度 1 到 SIGN_BRIGHTEST：每次掃瞄只亮這次掃瞄時間的 亮度/SIGN_BRIGHTEST */
static void signBegin(uint16_t columnCycles, uint8_t brightness) {
    p10PinsBegin();
    /* SPI 當主控，最高位元先送，模式 0，CPU 時脈的四分之一（4 MHz） */
    SPCR = _BV(SPE) | _BV(MSTR);
    SPSR = 0;
    p10OnColumns = P10_SCAN_COLUMNS;
    if (brightness < SIGN_BRIGHTEST) p10OnColumns = (uint8_t)(brightness * P10_SCAN_COLUMNS / SIGN_BRIGHTEST);
    signClockBegin(columnCycles);
    if (p10OnColumns < P10_SCAN_COLUMNS) TIMSK1 |= _BV(OCIE1B);
}

/* 每次掃瞄的第一欄時間：送出這次掃瞄的位元組，鎖存，換列；送的時候面板還亮著前一次掃瞄 */
ISR(TIMER1_COMPA_vect) {
    const uint8_t i = signColumnTime();
    if (i == SIGN_COLUMNS) {
        p10Enable(0);
        return;
    }
    p10Column = i % P10_SCAN_COLUMNS;
    if (p10Column != 0) return;
    const uint8_t s = i / P10_SCAN_COLUMNS;
    const uint8_t *bytes = (const uint8_t *)signImages[signFront] + s * P10_SCAN_BYTES;
    for (uint8_t n = 0; n < P10_SCAN_BYTES; ++n) {
        SPDR = bytes[n];
        while (!(SPSR & _BV(SPIF))) {
        }
    }
    p10Enable(0);
    p10Latch();
    p10Rows(s);
    p10Enable(1);
    /* 之後每一欄的時間到了這一刻，就亮滿了一欄的時間 */
    OCR1B = TCNT1;
}

/* 亮度不到 SIGN_BRIGHTEST 時，這次掃瞄亮夠了 */
ISR(TIMER1_COMPB_vect) {
    if (p10Column == p10OnColumns) p10Enable(0);
}
