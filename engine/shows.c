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

/* 左移：第 0 步全暗；第 s 步最右邊一欄是文字的第 s 欄，count + SIGN_COLUMNS 步之後
 * 最後一欄也從左邊離開了。右移反過來：第 s 步最左邊一欄是文字倒數第 s 欄，
 * 直到第一欄也從右邊離開。兩個方向共用一段，看板上的播放程式小一點。 */
static void scroll(uint32_t first, uint32_t count, uint32_t step, uint8_t right) {
    clearShown();
    signShow(shown, step);
    for (uint32_t s = 1; s < count + SIGN_COLUMNS; ++s) {
        if (right) {
            for (uint8_t j = SIGN_COLUMNS - 1; j > 0; --j) shown[j] = shown[j - 1];
            shown[0] = s <= count ? showWord(first + count - s) : 0;
        } else {
            for (uint8_t j = 0; j + 1 < SIGN_COLUMNS; ++j) shown[j] = shown[j + 1];
            shown[SIGN_COLUMNS - 1] = s <= count ? showWord(first + s - 1) : 0;
        }
        signShow(shown, step);
    }
}

/* 第 r 步看到這一頁最下面 r + 1 列，在看板的最上面 */
static void drop(uint32_t step) {
    uint16_t row = 0x8000u;
    clearShown();
    for (uint8_t r = 0; r < RISE_STEPS; ++r, row = (uint16_t)(row >> 1)) {
        for (uint8_t j = 0; j < SIGN_COLUMNS; ++j)
            shown[j] = (uint16_t)(((unsigned)shown[j] << 1) | ((page[j] & row) ? 1u : 0u));
        signShow(shown, step);
    }
}

/* 第 c 步拉開正中間的 2(c + 1) 欄 */
static void openFromMiddle(uint32_t step) {
    clearShown();
    for (uint8_t c = 0; c < OPEN_STEPS; ++c) {
        shown[SIGN_COLUMNS / 2 - 1 - c] = page[SIGN_COLUMNS / 2 - 1 - c];
        shown[SIGN_COLUMNS / 2 + c] = page[SIGN_COLUMNS / 2 + c];
        signShow(shown, step);
    }
}

/* 第 r 步每一片葉片打開最上面 r + 1 列 */
static void blinds(uint32_t step) {
    uint16_t tops = 0; /* 每一片最上面的一列 */
    for (uint8_t r = 0; r < SIGN_ROWS; r = (uint8_t)(r + SIGN_ROWS / BLINDS_SLATS)) tops = (uint16_t)(tops | (1u << r));
    uint16_t rows = 0;
    for (uint8_t r = 0; r < BLINDS_STEPS; ++r) {
        rows = (uint16_t)(rows | (tops << r));
        for (uint8_t j = 0; j < SIGN_COLUMNS; ++j) shown[j] = page[j] & rows;
        signShow(shown, step * BLINDS_ROW_STEPS);
    }
}

/* 每一步多亮 DISSOLVE_LEDS 顆：每頁都從同一個數起，看板和預覽的順序一樣 */
static void dissolve(uint32_t step) {
    uint16_t led = 1;
    clearShown();
    for (uint8_t s = 0; s < DISSOLVE_STEPS; ++s) {
        for (uint8_t k = 0; k < DISSOLVE_LEDS; ++k) {
            const uint8_t j = (uint8_t)(led % SIGN_COLUMNS);
            shown[j] |= (uint16_t)(page[j] & (1u << (led / SIGN_COLUMNS)));
            led = (uint16_t)((led >> 1) ^ ((led & 1u) ? DISSOLVE_TAPS : 0u));
        }
        signShow(shown, step);
    }
}

/* marks 是這一頁後面的 CHARACTER_MARK_WORDS 個字：到一個字的最後一欄就顯示一步 */
static void byCharacter(uint32_t marks, uint32_t step) {
    clearShown();
    for (uint8_t w = 0; w < CHARACTER_MARK_WORDS; ++w) {
        const uint16_t ends = showWord(marks + w);
        for (uint8_t b = 0; b < 16; ++b) {
            const uint8_t j = (uint8_t)(w * 16 + b);
            shown[j] = page[j];
            if (ends & (1u << b)) signShow(shown, step * CHARACTER_STEPS);
        }
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
    if (kind == SHOW_SCROLL_LEFT || kind == SHOW_SCROLL_RIGHT) {
        scroll(first, count, step, kind == SHOW_SCROLL_RIGHT);
        return;
    }
    if (kind == SHOW_FRAMES || kind == SHOW_FRAMES_16) {
        playFrames(first, count, hold, kind == SHOW_FRAMES_16);
        return;
    }
    const uint8_t pageWords = kind == SHOW_BY_CHARACTER ? SIGN_COLUMNS + CHARACTER_MARK_WORDS : SIGN_COLUMNS;
    for (; count > 0; --count, first += pageWords) {
        showWords(first, page);
        switch (kind) {
        case SHOW_RISE: rise(step); break;
        case SHOW_BLINK: blink(); break;
        case SHOW_WIPE: wipe(step); break;
        case SHOW_DROP: drop(step); break;
        case SHOW_BY_CHARACTER: byCharacter(first + SIGN_COLUMNS, step); break;
        case SHOW_OPEN: openFromMiddle(step); break;
        case SHOW_BLINDS: blinds(step); break;
        case SHOW_DISSOLVE: dissolve(step); break;
        }
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
