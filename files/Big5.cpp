#include "files/Big5.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace award::big5 {

bool Available() { return QStringDecoder("Big5").isValid(); }

// Stateless, so that a pair cut off at the end counts as an error instead of
// waiting for a byte that never comes.
std::optional<QString> Decode(QByteArrayView bytes) {
    QStringDecoder decoder("Big5", QStringConverter::Flag::Stateless);
    if (!decoder.isValid()) return std::nullopt;
    QString text = decoder.decode(bytes);
    if (decoder.hasError()) return std::nullopt;
    return text;
}

std::optional<QByteArray> Encode(QStringView text) {
    QStringEncoder encoder("Big5");
    QByteArray bytes = encoder.encode(text);
    if (!encoder.isValid() || encoder.hasError()) return std::nullopt;
    return bytes;
}

}  // namespace award::big5
