#pragma once

#include "marquee/MarqueeFormat.h"
#include "sign/ColumnWords.h"
#include "sign/SignGeometry.h"

#include <QString>

#include <cstdint>
#include <vector>

namespace award {

// Writes the marquee sketch: the text's column words in flash and a driver
// that scrolls them across the 64 x 16 sign, on the same ports and with the
// same 100 us columns as the phrase sketch. The text enters from the right
// edge of a dark sign and moves left one column per step, each step lasting
// a whole number of sweeps, until its last column has left at the left edge;
// then it starts again.
class MarqueeWriter {
public:
    // The text as the one line that scrolls: its line breaks become spaces.
    static QString OneLine(QString text);

    static QString Sketch(const std::vector<std::uint16_t>& columns, int sweepsPerStep);

    // The code of a marquee sketch apart from its columns and its speed; the
    // reader compares a sketch's code with this.
    static QString FixedCode(int parts);
    // Steps in one pass: from the dark sign until the last column has left.
    static long long StepsPerPass(std::size_t columns) { return static_cast<long long>(columns) + kSignColumns; }
    // What the sign shows at step s of the pass: LED column j shows column
    // s + j - 64 of the text, dark where that lies outside it. The program's
    // 左移 scrolls the same way.
    static ColumnWords ImageAtStep(const std::vector<std::uint16_t>& columns, long long step);
};

}  // namespace award
