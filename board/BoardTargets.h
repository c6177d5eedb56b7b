#pragma once

#include "sign/SignTarget.h"

#include <QString>

#include <optional>

namespace award {

// What a board job may write to or talk through, checked before it compiles,
// so that a wrong path is refused at once and nothing else gets replaced.

// Why the HEX file cannot go to `path`: something other than a regular file
// is there (a device, a pipe, a folder). Nothing when it may be written.
std::optional<QString> HexTargetProblem(const QString& path);

// Why `port` is no serial port to upload through: missing, or not a
// character device (a regular file, a folder, avrdude's net: form); the
// example it gives is a port `board` comes on.
std::optional<QString> UploadPortProblem(const QString& port, BoardKind board = BoardKind::Mega2560);

}  // namespace award
