#include "IntelHexFile.h"

#include <QList>

#include <cstdint>

namespace award::test {

std::variant<QByteArray, std::string> LoadIntelHex(const QByteArray& hex) {
    QByteArray flash;
    std::uint32_t upper = 0;
    bool ended = false;
    int lineNumber = 0;
    for (const QByteArray& line : hex.split('\n')) {
        ++lineNumber;
        const QByteArray text = line.trimmed();
        if (text.isEmpty()) continue;
        const auto why = [&](const std::string& reason) { return "line " + std::to_string(lineNumber) + ": " + reason; };
        if (ended) return why("a record after the end");
        if (!text.startsWith(':')) return why("no ':' at the start");
        const QByteArray record = QByteArray::fromHex(text.mid(1));
        if (record.size() < 5 || record.toHex().toUpper() != text.mid(1).toUpper())
            return why("not an even number of hexadecimal digits");
        const auto byte = [&](int i) { return std::uint8_t(record[i]); };
        const int size = byte(0);
        if (record.size() != size + 5) return why("its length byte says " + std::to_string(size));
        std::uint8_t sum = 0;
        for (const char b : record) sum = std::uint8_t(sum + std::uint8_t(b));
        if (sum != 0) return why("a bad checksum");
        const QByteArray data = record.mid(4, size);
        switch (byte(3)) {
        case 0: {
            const std::uint32_t address = upper | std::uint32_t(byte(1)) << 8 | byte(2);
            if (address != std::uint32_t(flash.size()))
                return why("data for " + std::to_string(address) + " after " + std::to_string(flash.size()) + " bytes");
            flash += data;
            break;
        }
        case 1:
            if (size != 0) return why("an end-of-file record with data");
            ended = true;
            break;
        case 4:
            if (size != 2) return why("an extended linear address of " + std::to_string(size) + " bytes");
            upper = std::uint32_t(byte(4)) << 24 | std::uint32_t(byte(5)) << 16;
            break;
        default:
            return why("record type " + std::to_string(byte(3)));
        }
    }
    if (!ended) return std::string("no end-of-file record");
    return flash;
}

}  // namespace award::test
