#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include <optional>

// Big5, as Traditional Chinese Windows writes it (code page 950, its
// user-defined area read as Unicode's private use area). Qt reads it through
// ICU on Linux; Qt for Windows has no ICU, and Windows' own code page serves.
namespace award::big5 {

// Whether this system reads and writes Big5 at all.
bool Available();

// The text the bytes hold; nothing when they are no whole Big5.
std::optional<QString> Decode(QByteArrayView bytes);

// The text in Big5; nothing when a character has no Big5 code.
std::optional<QByteArray> Encode(QStringView text);

}  // namespace award::big5
