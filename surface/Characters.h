#pragma once

#include <QStringView>

#include <vector>

namespace award {

// Text counted and cut as a reader sees it: one character is a grapheme
// cluster, so that 𠀀 (two UTF-16 code units) or 賀 with a variation selector
// after it counts as one and is never cut in two.

qsizetype CharacterCount(QStringView text);
// The text's first `count` characters, or the whole text if it has fewer.
QStringView FirstCharacters(QStringView text, qsizetype count);
// Where each character of the text ends, in code units, in order.
std::vector<qsizetype> CharacterBoundaries(QStringView text);

}  // namespace award
