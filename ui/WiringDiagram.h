#pragma once

#include <QImage>

namespace award {

// A picture of how the sign hangs on the Arduino Mega 2560: port F and port
// K through the row drivers to the 16 rows, port C through the column
// decoder and its drivers to the 64 columns.
QImage WiringDiagram();
// Two P10 panels seen from the front, the board's cable into the right one's
// input, the left one's input from the right one's output, and their own
// 5 V supply sharing its ground with the board.
QImage P10WiringDiagram();

}  // namespace award
