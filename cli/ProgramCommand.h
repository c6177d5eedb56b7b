#pragma once

#include "conversion/ConversionOptions.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QList>
#include <QString>

namespace award {

// --program FILE.csv: the companion command writes the sketch of a program
// file instead of a banner read on standard input.
QList<QCommandLineOption> ProgramOptions();
// The --help section for it, in the words of the rest of the help.
QString ProgramUsage();

bool ProgramCommandGiven(const QCommandLineParser& parser);

// Reads the file, writes its sketch in the face, style and first scan row of
// `options` on standard output or takes it to the board as --upload and --hex
// say, and returns the exit status.
int RunProgramCommand(const QCommandLineParser& parser, const ConversionOptions& options, int& argc, char** argv);

}  // namespace award
