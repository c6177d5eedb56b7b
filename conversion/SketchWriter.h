#pragma once

#include "conversion/ColumnWords.h"
#include "conversion/SketchFormat.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>
#include <vector>

namespace award {

// Builds the sketch text: the frame table and the fixed driver that shows it on
// a 64 x 16 LED matrix through ports C, F and K of an ATmega2560. Every
// operation appends to the end of the code buffer; lines end with CR LF.
class SketchWriter {
public:
    // Empties the buffer and writes the declarations and the all-zero frame 0.
    // A table kept in flash is cut into parts as it grows.
    void BeginSketch(TableStore store = TableStore::Sram);
    // Appends one frame row: its delay factor and its 64 column words.
    void AppendFrame(const ColumnWords& words);
    // Appends the closing all-zero row, the frame count and the driver routines.
    void EndSketch(int count);
    const QString& SketchText() const { return buffer_; }

    // Hands the text on in pieces, each ending at a line break, instead of
    // keeping it all: the buffer is passed on and emptied whenever it has
    // grown past a few kilobytes, and at the end of the sketch. An empty
    // function keeps the whole text in the buffer again.
    using Sink = std::function<void(const QString& piece)>;
    void SetSink(Sink sink) { sink_ = std::move(sink); }

    // The code of a sketch apart from its table and its count: the
    // declarations before the table and the routines after it. The reader
    // compares a sketch's code with this to know the board runs our driver.
    static QString FixedCode(TableStore store, int flashParts);
    static int FlashParts(int tableRows) { return (tableRows + kFlashPartRows - 1) / kFlashPartRows; }

    static inline const QString kLineBreak = QStringLiteral("\r\n");
    // The lines joined, each ending with a line break.
    static QString Lines(const QStringList& lines) { return lines.join(kLineBreak) + kLineBreak; }

    // Pieces every sketch shares: the set-up of ports F, K and C as outputs,
    // and one sweep of the 64 columns of the buffer a.
    static const QString& SetupRoutine();
    static QString ColumnSweep(int delayMicroseconds = kColumnMicroseconds);
    // A table too big for one object is cut into parts named stem0, stem1, ...
    static QString PartName(QStringView stem, int part) { return stem.toString() + QString::number(part); }
    // Words of a marquee or a program, in parts of at most kMarqueePartColumns
    // (at least one part, so that the driver always has a table to read),
    // one sign's width to a line.
    static int WordParts(std::size_t words);
    static void AppendWordParts(QString& text, QStringView stem, const std::vector<std::uint16_t>& words);
    // The function that finds item n of such a table in flash: a far
    // address, which for a part only pgm_get_far_address of that part's own
    // name can give.
    static QString PartLookup(const QString& comment, const QString& signature, QStringView stem, int partItems,
                              int itemBytes, int parts);
    // Numbers carry a sign position: a space before a value that is not negative.
    static void AppendNumber(QString& text, std::int64_t value);

private:
    void StartRow();
    void PassOn(bool always);

    QString buffer_;
    TableStore store_ = TableStore::Sram;
    int rows_ = 0;  // rows begun so far, frame 0 included
    Sink sink_;
};

}  // namespace award
