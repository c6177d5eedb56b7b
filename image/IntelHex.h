#pragma once

#include <QByteArray>

namespace award {

// Bytes that start at flash address 0 as an Intel HEX file, the form avrdude
// and the Arduino IDE load: 16 data bytes a record, an extended linear
// address before each 64 KiB, the end-of-file record last.
QByteArray IntelHex(const QByteArray& image);

}  // namespace award
