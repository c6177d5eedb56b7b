#pragma once

#include "conversion/BannerConverter.h"
#include "sign/ColumnWords.h"
#include "conversion/ConversionOptions.h"
#include "program/Program.h"
#include "program/ProgramFrames.h"

#include <QString>

#include <cstdint>
#include <functional>
#include <span>
#include <vector>

namespace award {

class DrawingSurface;

// Sweeps of kSweepMilliseconds nearest to a hold time, the time first kept
// within the editor's limits.
std::uint32_t HoldSweeps(double seconds);

// What a program run made, for telling the user.
struct ProgramReport {
    int items = 0;
    long long pages = 0;           // pages of every item but 左移 and 右移
    double secondsPerCycle = 0;    // one pass through all items, dark gaps included
    long long flashBytes = 0;      // the sketch's program size on the board, estimated
    SignTarget target{};           // the sign, board and brightness it was written for
    // Characters the chosen face has no glyph for, once per item, with the
    // item's number (1 for the first) as the phrase.
    std::vector<RunReport::MissingGlyph> missingGlyphs;
    // The program does not fit the board, or its drawing was cancelled: no
    // sketch was written, and why says how much is too much.
    Refusal refusal;
};

// Turns a program into its sketch: each item's picture and text drawn on the
// surface and cut into pages of whole characters, or sampled as one line for
// 左移 and 右移, then written with the item table that plays them.
class ProgramConverter {
public:
    explicit ProgramConverter(DrawingSurface& surface) : surface_(surface) {}

    // The whole program in the options' face, style and first scan row (their
    // display mode and speed are the items' own). Gives the sketch text, or an
    // empty text when the program was refused.
    const QString& ConvertProgram(const Program& program, const ConversionOptions& options);
    const ProgramReport& LastReport() const { return report_; }

    // Told how far drawing has gone, in characters of all the items' texts,
    // after each page; returning false stops the run, which is then refused
    // as cancelled. A program that cannot fit is refused before any drawing.
    using Progress = std::function<bool(qsizetype done, qsizetype total)>;
    void SetProgress(Progress progress) { progress_ = std::move(progress); }

    // The least flash the program's sketch can take, known without drawing:
    // each line of an item with pages is one page at least, and each picture
    // takes its columns.
    static long long LeastFlashBytes(const Program& program, const SignTarget& target = {});

    // What the sketch's tables will hold, without writing it, in the
    // surface's current style; the characters it lacked go to the report of
    // the run that asked.
    ProgramFrames Frames(const Program& program, FirstScanRow firstScanRow);
    // The pages of one text: as many whole characters on each as fit in 64
    // columns, drawn as a phrase is (靠左) or with the ink centred (置中).
    // A picture's columns lead the first line, its strips of
    // kCharacterColumns counted as characters: whole pages of them, then the
    // rest with as many of the line's characters after it as fit. `ends`,
    // when given, receives where each page's characters end, for 逐字.
    std::vector<ColumnWords> Pages(QStringView text, ItemAlign align, FirstScanRow firstScanRow,
                                   std::span<const std::uint16_t> picture = {},
                                   std::vector<CharacterEnds>* ends = nullptr);

private:
    // Takes note of what the surface's last drawing lacked, for the item.
    void NoteMissingGlyphs(int item);
    // Counts characters drawn for the progress; false once the run is to stop.
    bool Advance(qsizetype characters);
    // Refuses the run for `why`; gives the empty sketch.
    const QString& Refuse(const QString& why);
    const QString& RefuseTooLong(long long flashBytes, bool atLeast);

    DrawingSurface& surface_;
    ProgramReport report_;
    std::vector<RunReport::MissingGlyph> missing_;  // of the last Frames
    int currentItem_ = 0;
    QString sketch_;
    Progress progress_;
    qsizetype drawn_ = 0;
    qsizetype toDraw_ = 0;
    bool cancelled_ = false;
};

}  // namespace award
