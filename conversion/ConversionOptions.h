#pragma once

#include "sign/SignTarget.h"
#include "sign/SignTiming.h"
#include "surface/FirstScanRow.h"
#include "surface/FontStyle.h"

namespace award {

enum class DisplayMode { Phrases, Marquee };

// Everything a run is asked for besides the text: what the window's controls
// or the command's options say, handed to the core as one value.
struct ConversionOptions {
    FontStyle style;
    FirstScanRow firstScanRow = FirstScanRow::Row3;
    DisplayMode mode = DisplayMode::Phrases;
    // Only a marquee moves.
    MarqueeSpeed speed = MarqueeSpeed::Medium;
    // The sign, board and brightness the sketch is written for.
    SignTarget target{};

    bool operator==(const ConversionOptions&) const = default;
};

}  // namespace award
