#pragma once

#include <QString>

#include <cstdint>
#include <ostream>
#include <string>
#include <optional>
#include <vector>

namespace award::test {

// A known sketch as a user might have edited it, and what avr-g++ and the
// board make of it.
struct HandEditedSketch {
    const char* what;
    QString text;
    bool compiles;
    // Frames the board shows, or nothing when the text is no sketch of ours
    // that the board runs (the compiler rejects it, or its driver is changed).
    std::optional<int> frames;
    // Column 4 of frame 1, 384 as written.
    std::uint16_t column4 = 384;
    // What the reader's reason names, when it refuses the text.
    const char16_t* named = u"";
};

std::vector<HandEditedSketch> HandEditedSketches();

void PrintTo(const HandEditedSketch& sketch, std::ostream* os);
// The row's words run together, for a test name.
std::string HandEditName(const HandEditedSketch& sketch);

}  // namespace award::test
