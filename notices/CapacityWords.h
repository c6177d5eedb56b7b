#pragma once

#include "sign/SignTarget.h"
#include "sign/SignTiming.h"

#include <QString>

namespace award {

// The board's capacities and the marquee's speeds as the program tells them
// to people, worked out from the format's own figures: whole numbers with
// thousands separators ("1,940"), estimates rounded as one says them.

// Phrases the frame table of the school's sign holds in SRAM, and the most a
// banner may have for the target.
QString SramPhrasesInWords();
QString FlashPhrasesInWords(const SignTarget& target = {});
// Columns a marquee holds on the target's board, and about how many
// full-width characters that is ("7,890", rounded down to tens).
QString MarqueeColumnsInWords(const SignTarget& target = {});
QString MarqueeCharactersInWords(const SignTarget& target = {});
// A program's flash on the target's board, in bytes ("30,720").
QString ProgramBytesInWords(BoardKind board);
// Full-width characters a second that pass at this speed, to one decimal ("1.2").
QString CharactersPerSecondInWords(MarqueeSpeed speed);

}  // namespace award
