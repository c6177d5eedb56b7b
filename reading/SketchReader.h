#pragma once

#include "phrases/PhraseFormat.h"
#include "program/ProgramFrames.h"
#include "sign/ColumnWords.h"
#include "sign/SignTiming.h"
#include "sketch/CppTokens.h"

#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

namespace award {

// What a sketch text makes the board show: frames 1 to num of its table, each
// with its delay factor (element 0 of the row) and its 64 column words.
struct SketchFrames {
    struct Frame {
        int delayFactor = 1;
        // Sweeps of the 64 columns the board makes before the dark pause.
        std::uint32_t sweeps = kSweepsPerDelayUnit + 1;
        ColumnWords words{};

        bool operator==(const Frame&) const = default;
    };
    std::vector<Frame> frames;  // shown in this order, then again from the first
    int tableRows = 0;          // rows in the table, frame 0 and the closing row included
    TableStore store = TableStore::Sram;

    // A marquee sketch instead: its column words and the sweeps of each step
    // of the scroll (0 when the board never shows the text: no sweeps at all,
    // or a sweep loop that never ends on the dark first step).
    struct Marquee {
        std::vector<std::uint16_t> columns;
        std::uint32_t sweepsPerStep = 0;

        bool operator==(const Marquee&) const = default;
    };
    std::optional<Marquee> marquee;

    // A program sketch instead: its items with their pages or columns.
    std::optional<ProgramFrames> program;
};

// Reads the frame table and the frame count, the marquee's columns and
// speed, or the program's items, back out of a sketch text, also one
// the user edited by hand, the way avr-g++ reads them: comments, octal and
// hexadecimal numbers, 16-bit wrap-around and all. Gives nothing when the text
// is not one of our sketches that the compiler would build and the board run:
// characters the compiler rejects, a driver other than ours, a table or count
// declared twice or in a form of its own, or a count past the end of the table.
std::optional<SketchFrames> ReadSketch(const QString& sketchText);

// The same, with the reason when the text is none of our sketches: the line
// and what was expected there, as the preview and the notices say it.
struct SketchReading {
    std::optional<SketchFrames> sketch;  // which form it is: frames, marquee or program
    ReadRefusal refusal;                 // empty when there is a sketch
};
SketchReading ReadSketchOrWhy(const QString& sketchText);

}  // namespace award
