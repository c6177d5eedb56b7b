/* 每一種顯示方式一步一步做什麼。只用 shows.h 裡的呼叫碰到看板和字表。 */
#include "engine/sign_calls.h"

static uint16_t shown[SIGN_COLUMNS]; /* 看板上現在亮的 */
static uint16_t page[SIGN_COLUMNS];  /* 正要出現的這一頁 */
static uint32_t pagePause;           /* 每頁之後全暗、不寫埠的欄數 */

static void clearShown(void) {
    for (uint8_t j = 0; j < SIGN_COLUMNS; ++j) shown[j] = 0;
}

/* 第 r 步看到這一頁最上面 r 列，在看板的最下面。每一步只移一列、補一列，
 * 算得快，不耽誤掃瞄。 */
static void rise(uint32_t step) {
    uint16_t row = 1;
    clearShown();
    for (uint8_t r = 0; r < RISE_STEPS; ++r, row = (uint16_t)(row << 1)) {
        for (uint8_t j = 0; j < SIGN_COLUMNS; ++j)
            shown[j] = (uint16_t)((shown[j] >> 1) | ((page[j] & row) ? 0x8000u : 0u));
        signShow(shown, step);
    }
}

static void blink(void) {
    clearShown();
    for (uint8_t b = 0; b < BLINK_TIMES; ++b) {
        signShow(page, BLINK_SWEEPS);
        signShow(shown, BLINK_SWEEPS);
    }
}

/* 第 c 步拉開最左邊 c 欄 */
static void wipe(uint32_t step) {
    clearShown();
    for (uint8_t c = 0; c < WIPE_STEPS; ++c) {
        shown[c] = page[c];
        signShow(shown, step);
    }
}

/* 第 0 步全暗；第 s 步最右邊一欄是文字的第 s 欄，count + SIGN_COLUMNS 步之後
 * 最後一欄也從左邊離開了 */
static void scrollLeft(uint32_t first, uint32_t count, uint32_t step) {
    clearShown();
    signShow(shown, step);
    for (uint32_t s = 1; s < count + SIGN_COLUMNS; ++s) {
        for (uint8_t j = 0; j + 1 < SIGN_COLUMNS; ++j) shown[j] = shown[j + 1];
        shown[SIGN_COLUMNS - 1] = s <= count ? showWord(first + s - 1) : 0;
        signShow(shown, step);
    }
}

/* 畫面表：每頁前面是它的延遲倍數，這頁停留 unit × 倍數 + 1 次掃瞄 */
static void playFrames(uint32_t first, uint32_t count, uint32_t unit, uint8_t sixteenBits) {
    for (; count > 0; --count, first += SIGN_COLUMNS + 1) {
        uint32_t sweeps = unit * showWord(first);
        if (sixteenBits) sweeps = (uint16_t)sweeps;
        showWords(first + 1, page);
        signShow(page, sweeps + 1);
        signPause(pagePause);
    }
}

static void playShow(uint32_t kind, uint32_t first, uint32_t count, uint32_t hold, uint32_t step) {
    if (kind == SHOW_SCROLL_LEFT) {
        scrollLeft(first, count, step);
        return;
    }
    if (kind == SHOW_FRAMES || kind == SHOW_FRAMES_16) {
        playFrames(first, count, hold, kind == SHOW_FRAMES_16);
        return;
    }
    for (; count > 0; --count, first += SIGN_COLUMNS) {
        showWords(first, page);
        if (kind == SHOW_RISE) rise(step);
        if (kind == SHOW_BLINK) blink();
        if (kind == SHOW_WIPE) wipe(step);
        signShow(page, hold);
        signPause(pagePause);
    }
}

/* 節目的一項，之後全暗一會兒 */
static void playItem(uint32_t kind, uint32_t first, uint32_t count, uint32_t hold, uint32_t step) {
    playShow(kind, first, count, hold, step);
    clearShown();
    signShow(shown, GAP_SWEEPS);
}
