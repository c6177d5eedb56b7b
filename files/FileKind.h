#pragma once

#include <QString>

#include <optional>

namespace award {

// Why the thing at path is no file to read or to replace: a folder, a pipe, a
// device. Nothing when it is a regular file, or when nothing is there.
// Opening a pipe or a terminal would wait for a writer that may never come.
std::optional<QString> NotRegularFile(const QString& path);

// The same for a file already open.
std::optional<QString> NotRegularFile(int fd, const QString& path);

// Opens the file at path for reading, without waiting should a pipe have
// taken its place since the look, and not inherited by tools the program
// starts: a file descriptor, or -1 with errno set.
int OpenForReading(const QString& path);

}  // namespace award
