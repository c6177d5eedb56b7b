#pragma once

#include "program/Program.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

namespace award {

// A program file read: the program, or the first thing wrong with it, and
// then no program at all.
struct ProgramFileRead {
    Program program;
    bool ok = false;
    // Where the bad row starts: the file's line, 1 for the first, and the
    // spreadsheet's row, which a cell of several lines puts ahead of the line;
    // 0 when no row is to blame.
    int line = 0;
    int row = 0;
    QString why;
    QString encoding;    // what the bytes were read as
    QStringList notices;  // what reading found that the user must hear of
};

// What to tell the user of a file that was refused: the row, the line where
// it differs, and the reason.
QString ProgramFileProblem(const ProgramFileRead& read);

// The header row of program files, and the text of a whole file: UTF-8 CSV,
// one item per row, values as the editor shows them.
QString ProgramCsvHeader();
QByteArray ProgramCsv(const Program& program);
// Reads UTF-8 with or without a byte-order mark, UTF-16 and Big5, cells
// parted by commas, or by tabs or semicolons as spreadsheets also save them
// (the header row tells which). Empty cells take the defaults.
ProgramFileRead ReadProgramCsv(const QByteArray& bytes);
// Only a regular file is read, as files/RegularFile.h reads.
ProgramFileRead ReadProgramFile(const QString& path);
// Saves the program, the file replaced only once the new text is whole.
// Returns why it failed, or nothing.
std::optional<QString> SaveProgramFile(const QString& path, const Program& program);

}  // namespace award
