#include "image/IntelHex.h"

#include <cstdint>

namespace award {
namespace {

constexpr int kRecordBytes = 16;

void AppendRecord(QByteArray& hex, std::uint16_t address, std::uint8_t type, const char* data, int size) {
    QByteArray record;
    record.reserve(4 + size + 1);
    record.append(char(size)).append(char(address >> 8)).append(char(address & 0xFF)).append(char(type));
    record.append(data, size);
    std::uint8_t sum = 0;
    for (const char byte : record) sum = std::uint8_t(sum + std::uint8_t(byte));
    record.append(char(std::uint8_t(-sum)));
    hex += ':' + record.toHex().toUpper() + "\r\n";
}

}  // namespace

QByteArray IntelHex(const QByteArray& image) {
    QByteArray hex;
    hex.reserve(image.size() * 45 / kRecordBytes + 64);
    for (qsizetype at = 0; at < image.size(); at += kRecordBytes) {
        if (at % 0x10000 == 0 && at > 0) {
            const char upper[2] = {char(at >> 24), char((at >> 16) & 0xFF)};
            AppendRecord(hex, 0, 4, upper, 2);
        }
        const int size = int(std::min<qsizetype>(kRecordBytes, image.size() - at));
        AppendRecord(hex, std::uint16_t(at & 0xFFFF), 0, image.constData() + at, size);
    }
    AppendRecord(hex, 0, 1, nullptr, 0);
    return hex;
}

}  // namespace award
