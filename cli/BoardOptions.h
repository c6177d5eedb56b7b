#pragma once

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QList>
#include <QString>

#include <optional>

namespace award {

// --upload PORT and --hex FILE: the companion command takes the banner's
// sketch to the board, or to a HEX file, instead of standard output.
QList<QCommandLineOption> BoardOptions();

bool BoardCommandGiven(const QCommandLineParser& parser);
// Why the board options given cannot be used together, if they cannot.
std::optional<QString> BoardOptionsConflict(const QCommandLineParser& parser);
// Runs the command the options ask for and returns the exit status.
int RunBoardCommand(const QCommandLineParser& parser, const QString& sketch, int& argc, char** argv);

}  // namespace award
