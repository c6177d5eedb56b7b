#pragma once

#include "cli/CommandLine.h"

#include <QString>

namespace award {

// --upload PORT and --hex FILE: the companion command takes the sketch to the
// board, or to a HEX file, instead of standard output. Runs what the command
// line asks for and returns the exit status.
int RunBoardCommand(const CommandLine& line, const QString& sketch, int& argc, char** argv);

}  // namespace award
