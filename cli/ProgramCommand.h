#pragma once

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QList>
#include <QString>

namespace award {

// --program FILE.csv: the companion command writes the sketch of a program
// file instead of a banner read on standard input.
QList<QCommandLineOption> ProgramOptions();
extern const char* const kProgramUsage;

bool ProgramCommandGiven(const QCommandLineParser& parser);

// The face and the first scan row the other options chose.
struct ProgramLook {
    QString font;
    bool bold = false;
    bool italic = false;
    int firstRow = 3;
};

// Reads the file, writes its sketch on standard output or takes it to the
// board as --upload and --hex say, and returns the exit status.
int RunProgramCommand(const QCommandLineParser& parser, const ProgramLook& look, int& argc, char** argv);

}  // namespace award
