#pragma once

#include <QByteArray>

#include <string>
#include <variant>

namespace award::test {

// The bytes an Intel HEX text loads into flash from address 0, read record
// by record as avrdude reads them: data records at their addresses within
// the 64 KiB the last extended linear address record names, and the
// end-of-file record last. A record that is malformed, fails its checksum,
// leaves a gap or overlaps the bytes before, or follows the end, gives the
// line and why instead.
std::variant<QByteArray, std::string> LoadIntelHex(const QByteArray& hex);

}  // namespace award::test
