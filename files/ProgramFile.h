#pragma once

#include "program/Program.h"
#include "refusal/Refusal.h"

#include <QByteArray>
#include <QDir>
#include <QString>
#include <QStringList>

#include <optional>

namespace award {

// A program file read: the program, or the first thing wrong with it, and
// then no program at all.
struct ProgramFileRead {
    Program program;
    // Where the bad row starts, its line in the file and its row in a
    // spreadsheet (a cell of several lines puts the row ahead of the line),
    // and why.
    Refusal refusal;
    QString encoding;    // what the bytes were read as
    QStringList notices;  // what reading found that the user must hear of
};


// The header row of program files without pictures; every column a program
// file may have, in order: 圖片, 門檻 and 反相 follow 對齊 in a program with
// pictures, and a file may leave out any of them from the last.
QString ProgramCsvHeader();
QStringList ProgramCsvColumns();
// The text of a whole file: UTF-8 CSV, one item per row, values as the editor
// shows them, pictures' paths as seen from the file's folder (PicturePath.h).
// A program without pictures is written in the five columns alone.
QByteArray ProgramCsv(const Program& program, const QDir& folder = QDir());
// Reads UTF-8 with or without a byte-order mark, UTF-16 and Big5, cells
// parted by commas, or by tabs or semicolons as spreadsheets also save them
// (the header row tells which). Empty cells take the defaults. Each picture
// is read from the file's folder; one that cannot be read refuses its row.
ProgramFileRead ReadProgramCsv(const QByteArray& bytes, const QDir& folder = QDir());
// Only a regular file is read, as files/RegularFile.h reads.
ProgramFileRead ReadProgramFile(const QString& path);
// Saves the program, the file replaced only once the new text is whole.
// Returns why it failed, or nothing.
Refusal SaveProgramFile(const QString& path, const Program& program);

}  // namespace award
