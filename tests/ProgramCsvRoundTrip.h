#pragma once

#include "program/Program.h"

#include <QByteArray>
#include <QString>

#include <optional>

namespace award {

// What the reader and the writer of program files must agree on, checked by
// the tests on chosen and random input and by the fuzzer on any input.

// A file the reader accepts, saved and read again, gives the same program;
// otherwise, what differs.
std::optional<QString> ReopenDifference(const QByteArray& file);
// A program the editor may hold saves to a file that reads as the same
// program; otherwise, what differs.
std::optional<QString> SaveDifference(const Program& program);
// A program of any texts and settings, made from arbitrary bytes.
Program ProgramFromBytes(const QByteArray& bytes);

}  // namespace award
