#include "files/TextEncoding.h"

#include "files/Big5.h"

#include <QList>
#include <QStringEncoder>

namespace award {
namespace {

std::optional<QByteArray> Encoded(const QString& text, TextEncoding encoding, bool byteOrderMark) {
    if (encoding == TextEncoding::Big5) return big5::Encode(text);
    QStringEncoder encoder(EncodingName(encoding).toLatin1().constData(),
                           byteOrderMark ? QStringConverter::Flag::WriteBom : QStringConverter::Flag::Default);
    QByteArray bytes = encoder.encode(text);
    if (!encoder.isValid() || encoder.hasError()) return std::nullopt;
    return bytes;
}

}  // namespace

QString CharactersWithoutCode(const QString& text, TextEncoding encoding) {
    if (encoding != TextEncoding::Big5 || Encoded(text, encoding, false)) return {};
    QString missing;
    for (const char32_t c : text.toUcs4()) {
        const QString character = QString::fromUcs4(&c, 1);
        if (!missing.contains(character) && !Encoded(character, encoding, false)) missing += character;
    }
    return missing;
}

std::optional<QByteArray> EncodeText(const QString& text, TextEncoding encoding, bool byteOrderMark) {
    return Encoded(text, encoding, byteOrderMark && encoding != TextEncoding::Big5);
}

}  // namespace award
