#pragma once

#include <QString>

#include <cstdint>

namespace award {

// Builds the sketch text: the frame table and the fixed driver that shows it on
// a 64 x 16 LED matrix through ports C, F and K of an ATmega2560. Every
// operation appends to the end of the code buffer; lines end with CR LF.
class SketchWriter {
public:
    // Empties the buffer and writes the declarations and the all-zero frame 0.
    void BeginSketch();
    // Opens a frame row with its delay factor.
    void BeginFrameRow();
    // Appends one column word; the 64th closes the row.
    void AppendColumnWord(std::uint16_t word, bool isLast);
    // Appends the closing all-zero row, the frame count and the driver routines.
    void EndSketch(int count);
    const QString& SketchText() const { return buffer_; }

    static inline const QString kLineBreak = QStringLiteral("\r\n");

private:
    void AppendNumber(std::int64_t value);

    QString buffer_;
};

}  // namespace award
