/* 看板一欄一欄地亮，由計時器 1 的中斷照時間來做：每一欄的時間一到，中斷就換下一欄。
 * 節目只要把下一個畫面交出來（signShow、signPause），就可以去算再下一個畫面，
 * 同時看板照樣亮著前一個：畫面在掃瞄完整的一次之後才換，每個畫面都剛好亮它該亮的
 * 欄數，不管算下一個畫面要多久。 */
#include "engine/sign_calls.h"

#include <avr/interrupt.h>
#include <avr/io.h>

static uint16_t signImages[2][SIGN_COLUMNS]; /* 正在亮的畫面，和下一個 */
static volatile uint8_t signFront;           /* 正在亮的是哪一個 */
static volatile uint8_t signFrontDark;       /* 正在亮的是全暗、不寫埠 */
static volatile uint32_t signFrontLeft;      /* 正在亮的還有幾欄的時間 */
static volatile uint8_t signNextReady;       /* 下一個已經交出來了 */
static volatile uint8_t signNextDark;
static volatile uint32_t signNextColumns;
static volatile uint8_t signColumn; /* 這一欄的時間亮第幾欄 */

/* 看板的驅動程式提供：把畫面換成中斷要送到看板的樣子，放進 to */
static void signStore(const uint16_t *image, uint16_t *to);

/* 計時器 1 數 CPU 的每一拍，每 columnCycles 拍叫一次中斷 */
static void signClockBegin(uint16_t columnCycles) {
    signFrontDark = 1;
    signFrontLeft = 0;
    signNextReady = 0;
    TCCR1A = 0;
    TCCR1B = 0;
    TCNT1 = 0;
    OCR1A = (uint16_t)(columnCycles - 1);
    TCCR1B = _BV(WGM12) | _BV(CS10);
    TIFR1 = _BV(OCF1A) | _BV(OCF1B);
    TIMSK1 = _BV(OCIE1A);
    sei();
}

/* 在中斷裡：這一欄的時間要亮的是第幾欄；全暗、不寫埠的時候是 SIGN_COLUMNS */
static uint8_t signColumnTime(void) {
    if (signFrontLeft == 0 && signNextReady) {
        signFront ^= 1;
        signFrontDark = signNextDark;
        signFrontLeft = signNextColumns;
        signColumn = 0;
        signNextReady = 0;
    }
    if (signFrontLeft > 0) --signFrontLeft;
    if (signFrontDark) return SIGN_COLUMNS;
    const uint8_t i = signColumn;
    signColumn = (uint8_t)((i + 1) % SIGN_COLUMNS);
    return i;
}

/* 等前一個畫面開始亮，再交出下一個 */
static void signQueue(uint32_t columns, uint8_t dark) {
    while (signNextReady) {
    }
    signNextColumns = columns;
    signNextDark = dark;
    signNextReady = 1;
}

static void signShow(const uint16_t *image, uint32_t sweeps) {
    if (sweeps == 0) return;
    while (signNextReady) {
    }
    signStore(image, signImages[signFront ^ 1]);
    signQueue(sweeps * SIGN_COLUMNS, 0);
}

static void signPause(uint32_t columns) {
    if (columns > 0) signQueue(columns, 1);
}
