/* The engine compiled for the computer: ShowRecording.c gives it these calls
 * instead of a sign's ports, and ShowRecorder.cpp answers them. */
#pragma once

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

uint16_t awardRecordedWord(uint32_t n);
void awardRecordImage(const uint16_t* image, uint32_t sweeps);
void awardRecordPause(uint32_t columns);
/* Plays one show, as a program's item when `item` is not 0. */
void awardPlayRecorded(uint32_t kind, uint32_t first, uint32_t count, uint32_t hold, uint32_t step, uint32_t pagePause,
                       int item);

#ifdef __cplusplus
}
#endif
