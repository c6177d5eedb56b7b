#pragma once

#include <QByteArray>
#include <QString>

#include "refusal/Refusal.h"

namespace award {

// A file's bytes, or why they could not be had, in the user's words.
struct FileBytes {
    // Up to the limit asked for and one byte more, so that the caller can
    // tell a file that is too large.
    QByteArray bytes;
    Refusal refusal;
};

// Only a regular file is read: a folder, a pipe or a device is refused before
// it is opened, and it is opened without waiting, so that nothing (a pipe
// that took the file's place meanwhile) can hold up the caller.
FileBytes ReadRegularFile(const QString& path, qsizetype limit);
// What is on an open descriptor, to its end or one byte past the limit.
FileBytes ReadUpTo(int fd, qsizetype limit);

}  // namespace award
