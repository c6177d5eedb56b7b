#pragma once

#include "marquee/MarqueeFrames.h"
#include "phrases/PhraseFrames.h"
#include "program/ProgramFrames.h"
#include "sketch/CppTokens.h"

#include <QString>

#include <optional>
#include <variant>

namespace award {

// What a sketch text makes the board show, in the form the sketch is written
// in: a phrase table, a marquee or a program. A class of its own only so that
// headers can name it without including the forms.
struct SketchForm : std::variant<PhraseFrames, MarqueeFrames, ProgramFrames> {
    using variant::variant;
};

// The shows the engine plays for any of them.
Shows ShowsOf(const SketchForm& form);

// Reads the frame table and the frame count, the marquee's columns and
// speed, or the program's items, back out of a sketch text, also one
// the user edited by hand, the way avr-g++ reads them: comments, octal and
// hexadecimal numbers, 16-bit wrap-around and all. Gives nothing when the text
// is not one of our sketches that the compiler would build and the board run:
// characters the compiler rejects, a driver other than ours, a table or count
// declared twice or in a form of its own, or a count past the end of the table.
std::optional<SketchForm> ReadSketch(const QString& sketchText);

// The same, with the reason when the text is none of our sketches: the line
// and what was expected there, as the preview and the notices say it.
struct SketchReading {
    std::optional<SketchForm> sketch;
    Refusal refusal;                 // empty when there is a sketch
};
SketchReading ReadSketchOrWhy(const QString& sketchText);

}  // namespace award
