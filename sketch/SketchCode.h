#pragma once

#include "sign/CompilerLimits.h"
#include "sign/SignGeometry.h"
#include "sign/SignTiming.h"

#include <QString>
#include <QStringList>
#include <QStringView>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

// The C every sketch writer shares: lines ending in CR LF, the set-up of the
// ports, a sweep of the sign's columns, numbers, and word tables cut into
// parts that avr-gcc accepts. The sign's width and its timings come from the
// sign's own headers, never typed here.

namespace award {

// Words of a marquee or a program go in parts of at most this many.
inline constexpr int kPartWords = kMaxObjectBytes / 2;

}  // namespace award

namespace award::sketch {

inline const QString kLineBreak = QStringLiteral("\r\n");
// The lines joined, each ending with a line break.
inline QString Lines(const QStringList& lines) { return lines.join(kLineBreak) + kLineBreak; }

// The buffer a sweep shows, one word a column.
QString ColumnBufferLine();
// `for (j=0;j<=63;j++)` after `indent` spaces: a loop over the sign's columns
// up to `last`, counted in `index`.
QString ColumnLoop(int indent, QStringView index = u"j", int last = kSignLastColumn);
// The set-up of ports F, K and C as outputs.
const QString& SetupRoutine();
// One sweep of the sign's columns of the buffer a, each lit for `delayMicroseconds`.
QString ColumnSweep(int delayMicroseconds = kColumnMicroseconds);

// The engine of shows and the sign's driver, as every sketch but the phrase
// sketch carries them, and the set-up that starts the sign.
QString EngineCode();
// The engine's word reads over a table of parts stem0, stem1, ... of
// kPartWords words in flash: showWord(n), and showWords(n, to) for a page.
QString WordReaders(QStringView stem, int parts);

// A table too big for one object is cut into parts named stem0, stem1, ...
inline QString PartName(QStringView stem, int part) { return stem.toString() + QString::number(part); }
// The part a name like that is of, or nothing for any other name.
std::optional<int> PartNumberOf(const QString& name, QStringView stem);
// Parts for this many words: at least one, so that the driver always has a
// table to read.
int WordParts(std::size_t words);
// The words as `const unsigned int stemN[] PROGMEM={...};`, one sign's width to a line.
void AppendWordParts(QString& text, QStringView stem, const std::vector<std::uint16_t>& words);
// The function that finds item n of such a table in flash: a far address,
// which for a part only pgm_get_far_address of that part's own name can give.
QString PartLookup(const QString& comment, const QString& signature, QStringView stem, int partItems, int itemBytes,
                   int parts);
// Numbers carry a sign position: a space before a value that is not negative.
void AppendNumber(QString& text, std::int64_t value);

}  // namespace award::sketch
