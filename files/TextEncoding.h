#pragma once

#include "files/TextDecoding.h"

#include <QByteArray>
#include <QString>

#include <optional>

namespace award {

// The characters of text that have no code in encoding, each once in the
// order they first appear; empty for the Unicode encodings, which hold all.
QString CharactersWithoutCode(const QString& text, TextEncoding encoding);

// The text's bytes in encoding, with a byte-order mark when asked; nothing
// when a character has no code there, rather than a question mark.
std::optional<QByteArray> EncodeText(const QString& text, TextEncoding encoding, bool byteOrderMark);

}  // namespace award
