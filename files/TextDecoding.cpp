#include "files/TextDecoding.h"

#include "files/Big5.h"

#include <QStringDecoder>
#include <QStringList>

#include <algorithm>
#include <optional>

namespace award {
namespace {



const char* CodecName(TextEncoding encoding) {
    switch (encoding) {
    case TextEncoding::Utf8: return "UTF-8";
    case TextEncoding::Utf16LE: return "UTF-16LE";
    case TextEncoding::Utf16BE: return "UTF-16BE";
    case TextEncoding::Utf32LE: return "UTF-32LE";
    case TextEncoding::Utf32BE: return "UTF-32BE";
    case TextEncoding::Big5: return "Big5";
    }
    return "UTF-8";
}

// Stateless, so that a sequence cut off at the end of the bytes counts as an
// error instead of waiting for bytes that never come.
std::optional<QString> Decoded(TextEncoding encoding, QByteArrayView bytes) {
    if (encoding == TextEncoding::Big5) return big5::Decode(bytes);
    QStringDecoder decoder(CodecName(encoding), QStringConverter::Flag::Stateless);
    if (!decoder.isValid()) return std::nullopt;
    QString text = decoder.decode(bytes);
    if (decoder.hasError()) return std::nullopt;
    return text;
}

// Qt's UTF-16 decoder makes a U+FFFD of a last odd byte and lets lone
// surrogates through; its UTF-32 decoder takes surrogates and values past
// U+10FFFF. Neither is text anyone wrote.
bool WholeUnicode(TextEncoding encoding, QByteArrayView bytes, const QString& text) {
    switch (encoding) {
    case TextEncoding::Utf16LE:
    case TextEncoding::Utf16BE:
        return bytes.size() % 2 == 0 && QStringView(text).isValidUtf16();
    case TextEncoding::Utf32LE:
    case TextEncoding::Utf32BE: {
        if (bytes.size() % 4 != 0) return false;
        const bool little = encoding == TextEncoding::Utf32LE;
        for (qsizetype at = 0; at < bytes.size(); at += 4) {
            char32_t unit = 0;
            for (int i = 0; i < 4; ++i)
                unit |= char32_t{static_cast<unsigned char>(bytes[at + (little ? i : 3 - i)])} << (8 * i);
            if (unit > 0x10FFFF || (unit >= 0xD800 && unit <= 0xDFFF)) return false;
        }
        return true;
    }
    case TextEncoding::Utf8:
    case TextEncoding::Big5:
        break;
    }
    return true;
}

// Big5's pairs are a lead byte 81–FE and a trail byte 40–7E or A1–FE. Qt
// reads a stray 80 or FF as a character of its own instead of failing.
bool Big5Shaped(QByteArrayView bytes) {
    for (qsizetype at = 0; at < bytes.size(); ++at) {
        const auto lead = static_cast<unsigned char>(bytes[at]);
        if (lead < 0x80) continue;
        if (lead == 0x80 || lead == 0xFF || ++at == bytes.size()) return false;
        const auto trail = static_cast<unsigned char>(bytes[at]);
        if (!((trail >= 0x40 && trail <= 0x7E) || (trail >= 0xA1 && trail <= 0xFE))) return false;
    }
    return true;
}

bool LooksChinese(char32_t c) {
    return (c >= 0x3000 && c <= 0x303F)      // CJK punctuation
           || (c >= 0x3100 && c <= 0x312F)   // Bopomofo
           || (c >= 0x31A0 && c <= 0x31BF)   // Bopomofo extended
           || (c >= 0x3400 && c <= 0x4DBF)   // CJK extension A
           || (c >= 0x4E00 && c <= 0x9FFF)   // CJK unified ideographs
           || (c >= 0xF900 && c <= 0xFAFF)   // CJK compatibility ideographs
           || (c >= 0xFE30 && c <= 0xFE4F)   // CJK compatibility forms
           || (c >= 0xFF00 && c <= 0xFFEF)   // fullwidth forms
           || (c >= 0x20000 && c <= 0x3FFFF);
}

// The share of the characters past ASCII that are Chinese: Big5 bytes read
// as UTF-8 give Latin-1 and Latin Extended letters, and the other way round
// mostly private-use or rare characters.
double ChineseShare(const QString& text) {
    const QList<uint> codes = text.toUcs4();
    const auto beyondAscii = std::ranges::count_if(codes, [](uint c) { return c >= 0x80; });
    const auto chinese = std::ranges::count_if(codes, LooksChinese);
    return beyondAscii == 0 ? 0.0 : static_cast<double>(chinese) / static_cast<double>(beyondAscii);
}

bool IsControl(QChar c) {
    return c.category() == QChar::Other_Control && c != u'\t' && c != u'\r' && c != u'\n';
}

QString NotTextReason() {
    return QStringLiteral("這不是文字檔（裡面有控制字元），可能是圖片、文件或程式。"
                          "請把文字存成純文字檔（.txt）再開啟。");
}

QString PrivateUseCharacters(const QString& text) {
    QString found;
    for (const char32_t c : text.toUcs4()) {
        if (QChar::category(c) != QChar::Other_PrivateUse) continue;
        const QString character = QString::fromUcs4(&c, 1);
        if (!found.contains(character)) found += character;
    }
    return found;
}

std::optional<TextEncoding> MarkedEncoding(const QByteArray& bytes) {
    const auto marked = QStringConverter::encodingForData(bytes);
    if (!marked) return std::nullopt;
    switch (*marked) {
    case QStringConverter::Utf8: return TextEncoding::Utf8;
    case QStringConverter::Utf16LE: return TextEncoding::Utf16LE;
    case QStringConverter::Utf16BE: return TextEncoding::Utf16BE;
    case QStringConverter::Utf32LE: return TextEncoding::Utf32LE;
    case QStringConverter::Utf32BE: return TextEncoding::Utf32BE;
    default: return std::nullopt;
    }
}

qsizetype MarkSize(TextEncoding encoding) {
    switch (encoding) {
    case TextEncoding::Utf8: return 3;
    case TextEncoding::Utf16LE:
    case TextEncoding::Utf16BE: return 2;
    case TextEncoding::Utf32LE:
    case TextEncoding::Utf32BE: return 4;
    case TextEncoding::Big5: break;
    }
    return 0;
}

}  // namespace

QString EncodingName(TextEncoding encoding) { return QString::fromLatin1(CodecName(encoding)); }

DecodedText DecodeText(const QByteArray& bytes, ControlCharacters controls) {
    DecodedText result;
    std::optional<QString> text;
    if (const auto marked = MarkedEncoding(bytes)) {
        result.encoding = *marked;
        result.byteOrderMark = true;
        const QByteArrayView body = QByteArrayView(bytes).sliced(MarkSize(*marked));
        text = Decoded(*marked, body);
        if (text && !WholeUnicode(*marked, body, *text))
            return Refuse<DecodedText>(Refusal::Kind::BrokenCharacters,
                           QStringLiteral("這個 %1 檔案裡有殘缺的字元，可能沒有存完整或已經損壞。"
                                          "請用記事本打開確認內容，「另存新檔」時編碼選 UTF-8，再開啟。")
                               .arg(EncodingName(*marked)));
    } else if (controls == ControlCharacters::Refused && bytes.contains('\0')) {
        return Refuse<DecodedText>(Refusal::Kind::NotText, NotTextReason());
    } else {
        const auto utf8 = Decoded(TextEncoding::Utf8, bytes);
        // Plain ASCII reads the same either way.
        const bool ascii = utf8 && utf8->size() == bytes.size();
        const auto big5 = !ascii && Big5Shaped(bytes) ? Decoded(TextEncoding::Big5, bytes) : std::nullopt;
        const bool readAsBig5 = big5 && (!utf8 || ChineseShare(*big5) > ChineseShare(*utf8));
        result.encoding = readAsBig5 ? TextEncoding::Big5 : TextEncoding::Utf8;
        text = readAsBig5 ? big5 : utf8;
    }
    if (!text) {
        const QString what = big5::Available()
                                 ? QStringLiteral("看不懂這個檔案的編碼：它不是 UTF-8、UTF-16，也不是 Big5。")
                                 : QStringLiteral("這個檔案不是 UTF-8 或 UTF-16，而這台電腦無法解讀 Big5。");
        return Refuse<DecodedText>(Refusal::Kind::UnknownEncoding,
                       what + QStringLiteral("請用記事本「另存新檔」，編碼選 UTF-8，再開啟。"));
    }
    if (controls == ControlCharacters::Refused && std::any_of(text->begin(), text->end(), IsControl)) return Refuse<DecodedText>(Refusal::Kind::NotText, NotTextReason());
    result.text = std::move(*text);
    result.privateUse = PrivateUseCharacters(result.text);
    return result;
}

QString PrivateUseNotice(const DecodedText& decoded) {
    if (decoded.privateUse.isEmpty()) return {};
    QStringList codes;
    for (const char32_t c : decoded.privateUse.toUcs4()) {
        const QString character = QString::fromUcs4(&c, 1);
        const auto code = decoded.encoding == TextEncoding::Big5 ? big5::Encode(character) : std::nullopt;
        codes << (code && code->size() == 2
                      ? QStringLiteral("Big5 %1").arg(QString::fromLatin1(code->toHex().toUpper()))
                      : QStringLiteral("U+%1").arg(static_cast<uint>(c), 4, 16, QLatin1Char('0')).toUpper());
    }
    return QStringLiteral("檔案裡有 %1 個造字區的字（%2），字型裡沒有這些字，會顯示成空白方框。")
        .arg(codes.size())
        .arg(codes.join(QStringLiteral("、")));
}

}  // namespace award
