#pragma once

#include <QByteArray>
#include "refusal/Refusal.h"

#include <QString>

namespace award {

// The encodings text files reach us in, as their bytes are laid out.
enum class TextEncoding { Utf8, Utf16LE, Utf16BE, Utf32LE, Utf32BE, Big5 };

// The name the user sees, e.g. "UTF-16LE", "Big5".
QString EncodingName(TextEncoding encoding);

// A text file's bytes as text, or why they were refused.
struct DecodedText {
    QString text;  // without a byte-order mark; line breaks as the file has them
    TextEncoding encoding = TextEncoding::Utf8;
    bool byteOrderMark = false;
    Refusal refusal;
    // Characters of the private-use area (such as Big5's user-defined area,
    // where schools keep their own name characters), each once in the order
    // they first appear: no face draws them, so the user must hear of them.
    QString privateUse;
};

// Whether control characters other than tabs and line breaks are refused as
// the sign of a file that is no text, or kept as text that a writer of ours
// may have put there.
enum class ControlCharacters { Refused, Kept };

// A byte-order mark decides first; else valid UTF-8 or valid Big5 as
// Traditional Chinese Windows writes it, and when the bytes are both, the one
// that reads as Chinese. Bytes that no encoding reads whole are refused, never
// replaced, and so are control characters other than tabs and line breaks,
// unless they are to be kept.
DecodedText DecodeText(const QByteArray& bytes, ControlCharacters controls = ControlCharacters::Refused);

// Says which private-use characters the text holds and that they will show as
// boxes; empty when it holds none.
QString PrivateUseNotice(const DecodedText& decoded);

}  // namespace award
