#pragma once

#include "sign/SignGeometry.h"

// How long the sign lights what it shows: every sketch sweeps the columns one
// after another, and counts its time in sweeps.

namespace award {

// A column is lit for 100 us, so a sweep of the 64 columns takes 6.4 ms.
inline constexpr int kColumnMicroseconds = SIGN_COLUMN_MICROSECONDS;
inline constexpr double kSweepMilliseconds = kSignColumns * kColumnMicroseconds / 1000.0;

// The phrase sketch shows a frame for 100 x (delay factor) + 1 sweeps, then
// keeps the sign dark for half a second.
inline constexpr int kSweepsPerDelayUnit = 100;
inline constexpr int kPauseMilliseconds = 500;

// Speeds of scrolling text, as sweeps of 6.4 ms per step of one column.
// Watching the preview, 16 sweeps (9.8 columns, a little over half a
// character, per second) reads comfortably even for long names; 8 (19.5
// columns, 1.2 characters, per second) is the pace of a shop sign; 4 (39
// columns, 2.4 characters, per second) is as fast as a four-character phrase
// can still be read as it passes. Whole sweeps, so that no column is cut
// short and flickers.
enum class MarqueeSpeed { Slow, Medium, Fast };
inline constexpr int MarqueeSweeps(MarqueeSpeed speed) {
    return speed == MarqueeSpeed::Slow ? 16 : speed == MarqueeSpeed::Medium ? 8 : 4;
}

}  // namespace award
