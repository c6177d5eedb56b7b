/* 節目碰到看板和字表只經過這幾個呼叫：看板上的播放程式、Arduino 程式和電腦上的
 * 預覽各自提供它們，所以同一份 shows.c 在三個地方播出一樣的節目。 */
#pragma once

#include "engine/shows.h"

#include <stdint.h>

/* 放字表的一方提供：第 n 個字，和從第 n 個字起的一頁 */
static uint16_t showWord(uint32_t n);
static void showWords(uint32_t n, uint16_t *to);
/* 看板提供：把 image 顯示 sweeps 次掃瞄；全暗、不寫埠 columns 欄的時間 */
static void signShow(const uint16_t *image, uint32_t sweeps);
static void signPause(uint32_t columns);
