#pragma once

#include "marquee/MarqueeFormat.h"
#include "sign/SignTarget.h"

#include <QString>

#include <cstdint>
#include <vector>

namespace award {

// Writes the marquee sketch: the text's column words in flash and the engine
// of shows, which scrolls them across the sign as a 左移 show: the text
// enters from the right edge of a dark sign and moves left one column per
// step, each step lasting a whole number of sweeps, until its last column has
// left at the left edge; then it starts again.
class MarqueeWriter {
public:
    // The text as the one line that scrolls: its line breaks become spaces.
    static QString OneLine(QString text);

    // For the target's sign and board, at its brightness.
    static QString Sketch(const std::vector<std::uint16_t>& columns, int sweepsPerStep, const SignTarget& target = {});

    // The code of a marquee sketch apart from its columns, its speed and its
    // brightness; the reader compares a sketch's code with this.
    static QString FixedCode(int parts, const SignTarget& target = {});
};

}  // namespace award
