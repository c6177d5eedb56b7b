#pragma once

#include "sign/SignTiming.h"


#include <QString>

namespace award {

// The board's capacities and the marquee's speeds as the program tells them
// to people, worked out from the format's own figures: whole numbers with
// thousands separators ("1,940"), estimates rounded as one says them.

// Phrases the frame table holds in SRAM, and in flash.
QString SramPhrasesInWords();
QString FlashPhrasesInWords();
// Columns a marquee holds, and about how many full-width characters that is
// ("7,890", rounded down to tens).
QString MarqueeColumnsInWords();
QString MarqueeCharactersInWords();
// Full-width characters a second that pass at this speed, to one decimal ("1.2").
QString CharactersPerSecondInWords(MarqueeSpeed speed);

}  // namespace award
