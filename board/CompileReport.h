#pragma once

#include "sign/SignTarget.h"

#include <QString>

#include <optional>

namespace award {

// What arduino-builder said about one sketch, in the user's words.
struct CompileReport {
    BoardKind board = BoardKind::Mega2560;
    bool built = false;
    // False when the program or its variables are too big for the board.
    bool fits = true;
    std::optional<int> programBytes;
    std::optional<int> sramBytes;
    // The sketch's line that the first error names, when it names one.
    std::optional<int> errorLine;
    // Why it did not build, or why the board could not run it: empty when it
    // can be uploaded.
    QString problem;

    bool Uploadable() const { return built && fits && problem.isEmpty(); }
    // Program size and SRAM use after a build.
    QString SizeNotice() const;
};

// Why a program of `programBytes` whose variables take `sramBytes` of SRAM
// is not loaded onto the board; empty when it fits.
QString CapacityProblem(int programBytes, int sramBytes, BoardKind board = BoardKind::Mega2560);

// Reads arduino-builder's output (its messages in the C locale) for a sketch
// file named `sketchFileName`, compiled for `board`.
CompileReport ReadCompileOutput(const QString& output, const QString& sketchFileName, bool succeeded,
                                BoardKind board = BoardKind::Mega2560);

}  // namespace award
