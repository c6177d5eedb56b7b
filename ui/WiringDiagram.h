#pragma once

#include <QImage>

namespace award {

// A picture of how the sign hangs on the Arduino Mega 2560: port F and port
// K through the row drivers to the 16 rows, port C through the column
// decoder and its drivers to the 64 columns.
QImage WiringDiagram();

}  // namespace award
