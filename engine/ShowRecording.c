/* The engine as the preview runs it: the sign's calls record what it would
 * show, and the words come from memory. */
#include "engine/ShowRecording.h"

#include "engine/sign_calls.h"

static uint16_t showWord(uint32_t n) { return awardRecordedWord(n); }

static void showWords(uint32_t n, uint16_t* to) {
    for (uint8_t j = 0; j < SIGN_COLUMNS; ++j) to[j] = awardRecordedWord(n + j);
}

static void signShow(const uint16_t* image, uint32_t sweeps) {
    if (sweeps > 0) awardRecordImage(image, sweeps);
}

static void signPause(uint32_t columns) {
    if (columns > 0) awardRecordPause(columns);
}

#include "engine/shows.c"

void awardPlayRecorded(uint32_t kind, uint32_t first, uint32_t count, uint32_t hold, uint32_t step, uint32_t pause,
                       int item) {
    pagePause = pause;
    if (item)
        playItem(kind, first, count, hold, step);
    else
        playShow(kind, first, count, hold, step);
}
