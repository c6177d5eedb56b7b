/* 看板：64 欄，每欄 16 顆 LED，一欄一欄輪流點亮（掃瞄），每欄 100 微秒，
 * 所以掃瞄一次 64 欄是 6.4 毫秒。看板上的播放程式、寫出來的 Arduino 程式和
 * 電腦上的預覽都從這裡拿這些數。 */
#pragma once

enum {
    SIGN_COLUMNS = 64,
    SIGN_ROWS = 16,
    SIGN_COLUMN_MICROSECONDS = 100,
    SIGN_CLOCK_MHZ = 16,
    /* 亮度 1 到 8：每欄的時間裡 LED 亮的八分之幾 */
    SIGN_BRIGHTEST = 8
};
