/* 看板的節目怎麼播：每一種顯示方式一步一步做什麼，寫在 shows.c，只寫這一次。
 * 看板上的播放程式、寫出來的 Arduino 程式和電腦上的預覽用的都是同一份。
 *
 * 節目由一項一項的「show」組成，每一項有：
 *   kind   顯示方式，下面的 SHOW_*
 *   first  第一個字（一欄一個數，第 0 位元是最上面一列）在字表的第幾個
 *   count  頁數；左移、右移是欄數
 *   hold   每頁完整出現後停留的掃瞄次數
 *   step   會動的顯示方式每一步的掃瞄次數
 * 一頁是 SIGN_COLUMNS 個字，最左邊一欄在前；逐字的每頁後面再多 CHARACTER_MARK_WORDS 個字。 */
#pragma once

#include "sign/sign.h"

enum {
    SHOW_STILL = 0,       /* 靜止：每頁停留 hold */
    SHOW_SCROLL_LEFT = 1, /* 左移：文字從右邊進入暗的看板，每一步向左一欄，最後一欄從左邊離開 */
    SHOW_RISE = 2,        /* 上移：每頁從下面一列一列升上來，再停留 */
    SHOW_BLINK = 3,       /* 閃爍：每頁亮、暗輪流 BLINK_TIMES 次，再停留 */
    SHOW_WIPE = 4,        /* 拉幕：每頁從左邊一欄一欄拉開，再停留 */
    /* 畫面表：每頁前面多一個延遲倍數 f，這頁停留 hold × f + 1 次掃瞄；
     * SHOW_FRAMES_16 的 hold × f 只算 16 位元，超過 65535 就從 0 再數 */
    SHOW_FRAMES = 5,
    SHOW_FRAMES_16 = 6,
    SHOW_DROP = 7,         /* 下移：每頁從上面一列一列降下來，再停留 */
    SHOW_SCROLL_RIGHT = 8, /* 右移：文字從左邊進入暗的看板，每一步向右一欄，第一欄從右邊離開 */
    SHOW_BY_CHARACTER = 9, /* 逐字：每頁的字一個一個出現，再停留 */
    SHOW_OPEN = 10,        /* 展開：每頁從中間向兩邊一次拉開兩欄，再停留 */
    SHOW_BLINDS = 11,      /* 百葉窗：每頁從 BLINDS_SLATS 片橫的葉片一列一列打開，再停留 */
    SHOW_DISSOLVE = 12,    /* 溶解：每頁的 LED 照固定、零散的順序一次亮 DISSOLVE_LEDS 顆，再停留 */

    SWEEP_MICROSECONDS = SIGN_COLUMNS * SIGN_COLUMN_MICROSECONDS,
    RISE_STEPS = SIGN_ROWS - 1, /* 上移、下移 */
    WIPE_STEPS = SIGN_COLUMNS - 1,
    OPEN_STEPS = SIGN_COLUMNS / 2 - 1,
    BLINDS_SLATS = 4,
    BLINDS_STEPS = SIGN_ROWS / BLINDS_SLATS - 1,
    /* 百葉窗每打開一列停的時間是 step 的幾倍：上移升起一片葉片那麼高的時間，
     * 不然三步一下就過去了 */
    BLINDS_ROW_STEPS = SIGN_ROWS / BLINDS_SLATS,
    /* 逐字的每頁後面的字：第 j 欄是一個字的最後一欄、下一個字在下一步才出現時，
     * 第 j / 16 個字的第 j % 16 位元是 1。最後一個字和整頁一起出現。 */
    CHARACTER_MARK_WORDS = SIGN_COLUMNS / 16,
    /* 逐字每出現一個字停的時間是 step 的幾倍：左移移過一個字寬（中文字和看板一樣高）
     * 的時間，讀起來和同一個速度的跑馬燈一樣快 */
    CHARACTER_STEPS = SIGN_ROWS,
    /* 溶解的順序：10 位元的線性回饋移位暫存器（x^10 + x^7 + 1）從 1 起走過 1 到 1023
     * 每個數一次，數 n 是第 n % SIGN_COLUMNS 欄、第 n / SIGN_COLUMNS 列的 LED；
     * 其餘的 LED 和整頁一起出現。 */
    DISSOLVE_TAPS = 0x240,
    DISSOLVE_LEDS = 16,
    DISSOLVE_STEPS = SIGN_COLUMNS * SIGN_ROWS / DISSOLVE_LEDS - 1,
    BLINK_TIMES = 3,
    BLINK_MILLISECONDS = 300,
    BLINK_SWEEPS = (BLINK_MILLISECONDS * 1000L + SWEEP_MICROSECONDS / 2) / SWEEP_MICROSECONDS,
    /* 節目的每一項之後，看板全暗半秒 */
    GAP_MILLISECONDS = 500,
    GAP_SWEEPS = (GAP_MILLISECONDS * 1000L + SWEEP_MICROSECONDS / 2) / SWEEP_MICROSECONDS,

    /* 每欄的時間，以 CPU 的拍數計 */
    SHOW_COLUMN_CYCLES = SIGN_COLUMN_MICROSECONDS * SIGN_CLOCK_MHZ,
    /* 畫面表照它自己的程式的節拍：每欄 delayMicroseconds(100) 加上迴圈，約 102 微秒；
     * 每個畫面之後暗 delay(500) 再讀下一個畫面 */
    PHRASE_COLUMN_CYCLES = 1636,
    PHRASE_PAUSE_COLUMNS = 4889
};
