#pragma once

#include <QString>

namespace award {

// The serial port the user chose last, kept for the next run of the program.
QString RememberedPort();
void RememberPort(const QString& path);

}  // namespace award
