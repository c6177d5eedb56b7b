#pragma once

#include "program/ProgramFrames.h"

#include <QString>

namespace award {

// Writes the program sketch: every item's pages and columns in one table of
// column words in flash, a table of items in flash, and the engine with the
// driver of the program's sign and board, which plays the items in order.
class ProgramWriter {
public:
    static QString Sketch(const ProgramFrames& program);

    // The code of a program sketch apart from its tables and its brightness;
    // the reader compares a sketch's code with this.
    static QString FixedCode(int wordParts, const SignTarget& target = {});
    // Column words of all items together, as the table holds them.
    static long long Words(const ProgramFrames& program);
    // The sketch's program size on the target's board, as arduino-builder counts it.
    static long long FlashBytes(long long words, long long items, const SignTarget& target = {});
};

}  // namespace award
