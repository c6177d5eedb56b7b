#pragma once

#include "conversion/ConversionOptions.h"
#include "refusal/Refusal.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace award {

// What the companion command was asked to do, its options read and checked
// together, so that no combination slips past one check by taking another path.
struct CommandLine {
    bool help = false;
    ConversionOptions options;
    // A banner file named as an argument; empty for standard input.
    QString bannerFile;
    // --program: the sketch of a program file instead of a banner.
    QString programFile;
    // --upload PORT or --hex FILE instead of standard output; at most one.
    QString uploadPort;
    QString hexFile;

    bool ToBoard() const { return !uploadPort.isEmpty() || !hexFile.isEmpty(); }
};

struct CommandLineRead {
    std::optional<CommandLine> line;
    Refusal refusal;  // when the options cannot be used as given
};

// The arguments as main() has them, the command's name first.
CommandLineRead ReadCommandLine(const QStringList& arguments);

}  // namespace award
