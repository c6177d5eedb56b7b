#pragma once

#include "phrases/PhraseFormat.h"
#include "sign/ColumnWords.h"
#include "sign/SignTarget.h"

#include <QString>

#include <functional>

namespace award {

// Builds the phrase sketch: the frame table and the fixed driver that shows it on
// a 64 x 16 LED matrix through ports C, F and K of an ATmega2560, or, for any
// other sign, board or brightness, the table in flash played by the engine's
// frames. Every operation appends to the end of the code buffer; lines end
// with CR LF.
class SketchWriter {
public:
    // Empties the buffer and writes the declarations and the all-zero frame 0.
    // A table kept in flash is cut into parts as it grows. A target other than
    // the school's sign at full brightness keeps the table in flash whatever
    // the store asked for.
    void BeginSketch(TableStore store = TableStore::Sram, const SignTarget& target = {});
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
    // The same for the engine's form, after the brightness: the engine, the
    // target's driver, the frame reads and the set-up.
    static QString EngineFixedCode(const SignTarget& target, int flashParts);
    static int FlashParts(int tableRows) { return (tableRows + kFlashPartRows - 1) / kFlashPartRows; }

private:
    void StartRow();
    void PassOn(bool always);

    QString buffer_;
    TableStore store_ = TableStore::Sram;
    SignTarget target_;
    bool engine_ = false;
    int rows_ = 0;  // rows begun so far, frame 0 included
    Sink sink_;
};

}  // namespace award
