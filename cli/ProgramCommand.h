#pragma once

#include "cli/CommandLine.h"

#include <QString>

namespace award {

// --program FILE.csv: the companion command writes the sketch of a program
// file instead of a banner. The --help section for it, in the words of the
// rest of the help.
QString ProgramUsage();

// Reads the file, writes its sketch in the face, style and first scan row the
// command line asks for on standard output or takes it to the board as
// --upload and --hex say, and returns the exit status.
int RunProgramCommand(const CommandLine& line, int& argc, char** argv);

}  // namespace award
