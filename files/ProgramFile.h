#pragma once

#include "program/Program.h"

#include <QByteArray>
#include <QString>

#include <optional>

namespace award {

// A program file read: the program, or the first thing wrong with it, and
// then no program at all.
struct ProgramFileRead {
    Program program;
    bool ok = false;
    int line = 0;  // the file's line where the bad row starts, 1 for the first; 0 when no line is to blame
    QString why;
    QString encoding;  // what the bytes were read as
};

// What to tell the user of a file that was refused: the line and the reason.
QString ProgramFileProblem(const ProgramFileRead& read);

// The header row of program files, and the text of a whole file: UTF-8 CSV,
// one item per row, values as the editor shows them.
QString ProgramCsvHeader();
QByteArray ProgramCsv(const Program& program);
// Reads UTF-8 with or without a byte-order mark, UTF-16 and Big5. Empty
// cells take the defaults.
ProgramFileRead ReadProgramCsv(const QByteArray& bytes);
ProgramFileRead ReadProgramFile(const QString& path);
// Saves the program, the file replaced only once the new text is whole.
// Returns why it failed, or nothing.
std::optional<QString> SaveProgramFile(const QString& path, const Program& program);

}  // namespace award
