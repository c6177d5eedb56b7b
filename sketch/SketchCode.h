#pragma once

#include "sign/CompilerLimits.h"
#include "sign/SignGeometry.h"
#include "sign/SignTarget.h"
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

// The constant every sketch played by the engine names its brightness in.
inline constexpr QStringView kBrightnessName = u"brightness";

inline const QString kLineBreak = QStringLiteral("\r\n");
// The lines joined, each ending with a line break.
inline QString Lines(const QStringList& lines) { return lines.join(kLineBreak) + kLineBreak; }

// The buffer a sweep shows, one word a column.
QString ColumnBufferLine();
// The set-up of ports F, K and C as outputs.
const QString& SetupRoutine();
// One sweep of the sign's columns of the buffer a, each lit for `delayMicroseconds`.
QString ColumnSweep(int delayMicroseconds = kColumnMicroseconds);

// The engine of shows and the driver of the target's sign and board, as
// every sketch the engine plays carries them.
QString EngineText(const SignTarget& target);
// The same, and the set-up that starts the sign at the brightness the
// sketch names.
QString EngineCode(const SignTarget& target);
// `const unsigned char brightness= 8;` with a comment that says what a user
// may put there.
QString BrightnessLine(int brightness);
// The engine's word reads over a table of parts stem0, stem1, ... of
// kPartWords words in flash: showWord(n), and showWords(n, to) for a page.
// The Mega reads its flash through far addresses, the Uno through near ones.
QString WordReaders(QStringView stem, int parts, BoardKind board = BoardKind::Mega2560);

// A table too big for one object is cut into parts named stem0, stem1, ...
inline QString PartName(QStringView stem, int part) { return stem.toString() + QString::number(part); }
// The part a name like that is of, or nothing for any other name.
std::optional<int> PartNumberOf(const QString& name, QStringView stem);
// Parts for this many words: at least one, so that the driver always has a
// table to read.
int WordParts(std::size_t words);
// The words as `const unsigned int stemN[] PROGMEM={...};`, one sign's width to a line.
void AppendWordParts(QString& text, QStringView stem, const std::vector<std::uint16_t>& words);
// The function `name(unsigned int n)` that finds row n of a table of rows
// cut into such parts in flash: on the Mega a far address, which for a part
// only pgm_get_far_address of that part's own name can give; on the Uno the
// row itself.
QString PartLookup(const QString& comment, QStringView name, QStringView stem, int partItems, int itemBytes, int parts,
                   BoardKind board = BoardKind::Mega2560);
// Numbers carry a sign position: a space before a value that is not negative.
void AppendNumber(QString& text, std::int64_t value);

}  // namespace award::sketch
