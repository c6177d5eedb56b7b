#pragma once

#include <QByteArray>
#include <QString>

#include "refusal/Refusal.h"

namespace award {

// Puts bytes into the file at path all at once: until the whole of them is on
// disk, the file keeps what it held before, so a crash or a full disk never
// leaves half a file. A target that is there but is no regular file (a
// folder, a pipe, a device) is refused, never replaced. Returns why it failed,
// for the user, or nothing.
Refusal WriteAtomically(const QString& path, const QByteArray& bytes);

}  // namespace award
