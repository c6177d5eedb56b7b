#include "phrases/SketchWriter.h"

#include "sign/SignGeometry.h"
#include "sign/SignTiming.h"
#include "sketch/SketchCode.h"

#include <QStringList>

namespace award {
namespace {

using sketch::Lines;

QString ZeroRow(int zeros) { return QStringList(zeros, QStringLiteral("0")).join(u','); }

// The start of a table part in flash, up to its first row's opening brace.
QString FlashPartStart(int part) {
    return QStringLiteral("const unsigned int %1[][%2] PROGMEM={ {")
        .arg(sketch::PartName(kTableName, part))
        .arg(kRowElements);
}

const QString& Declarations() {
    static const QString text = Lines({
        QStringLiteral("unsigned int i,j,k;"),
        sketch::ColumnBufferLine(),
    });
    return text;
}

QString TableStart(TableStore store) {
    if (store == TableStore::Sram)
        return Lines({QStringLiteral("//標題資料"),
                                    QStringLiteral("unsigned int %1[][%2]={ {").arg(kTableName).arg(kRowElements) +
                                        ZeroRow(kRowElements) + QStringLiteral("}")});
    return Lines(
        {QStringLiteral("//標題資料：畫面太多，SRAM 放不下，整個表放在 flash 程式記憶體，每段 %1 列").arg(kFlashPartRows),
         FlashPartStart(0) + ZeroRow(kRowElements) + QStringLiteral("}")});
}

// The end of a frame: its sweeps done, the dark pause, the next frame.
const QString& Sweep() {
    static const QString text = sketch::ColumnSweep() + Lines({
        QStringLiteral("       }"),
        QStringLiteral("       delay(%1);").arg(kPauseMilliseconds),
        QStringLiteral("   }"),
        QStringLiteral("}"),
    });
    return text;
}

const QString& SramLoop() {
    static const QString text =
        Lines({
            QStringLiteral("void loop() {"),
            QStringLiteral("   //每次一組，共num組"),
            QStringLiteral("   for (k=1;k<=%1;k++){").arg(kCountName),
            QStringLiteral("       for (j=1;j<=%1;j++)").arg(kSignColumns),
            // Row k holds column 1 at index 1; the sweep shows a[0] at LED column 0.
            QStringLiteral("           a[j-1]=%1[k][j];").arg(kTableName),
            QStringLiteral("       for (j=0;j<=%1*%2[k][0];j++){     //延遲的時間")
                .arg(kSweepsPerDelayUnit)
                .arg(kTableName),
        }) +
        Sweep();
    return text;
}

// pgm_read_word reaches only the first 64 KiB of flash, and a table this big
// runs past it: every read goes through a far address. The sweep count is an
// unsigned long so that no delay factor wraps it.
QString FlashLoop(int parts) {
    return sketch::PartLookup(QStringLiteral("//第 n 個畫面在 flash 裡的位置"),
                                    QStringLiteral("uint_farptr_t frameRow(unsigned int n)"), kTableName,
                                    kFlashPartRows, 2 * kRowElements, parts) +
           sketch::SetupRoutine() +
           Lines({
               QStringLiteral("void loop() {"),
               QStringLiteral("   //每次一組，共num組"),
               QStringLiteral("   for (k=1;k<=%1;k++){").arg(kCountName),
               QStringLiteral("       uint_farptr_t row=frameRow(k);"),
               QStringLiteral("       for (j=1;j<=%1;j++)").arg(kSignColumns),
               QStringLiteral("           a[j-1]=pgm_read_word_far(row+2*j);"),
               QStringLiteral("       for (unsigned long n=0;n<=%1UL*pgm_read_word_far(row);n++){     //延遲的時間")
                   .arg(kSweepsPerDelayUnit),
           }) +
           Sweep();
}

QString Driver(TableStore store, int flashParts) {
    return store == TableStore::Sram ? sketch::SetupRoutine() + SramLoop() : FlashLoop(flashParts);
}

}  // namespace

QString SketchWriter::FixedCode(TableStore store, int flashParts) {
    return Declarations() + Driver(store, flashParts);
}

void SketchWriter::BeginSketch(TableStore store) {
    buffer_.resize(0);
    store_ = store;
    rows_ = 1;
    buffer_ += Declarations();
    buffer_ += TableStart(store);
}

// A flash table starts a new part every kFlashPartRows rows; a row in SRAM,
// or inside a part, follows the one above after a comma.
void SketchWriter::StartRow() {
    if (store_ == TableStore::Flash && rows_ % kFlashPartRows == 0) {
        buffer_ += QStringLiteral("};") + sketch::kLineBreak + FlashPartStart(rows_ / kFlashPartRows);
    } else {
        buffer_ += QLatin1StringView(",{");
    }
    ++rows_;
}

void SketchWriter::AppendFrame(const ColumnWords& words) {
    StartRow();
    buffer_ += QLatin1StringView("1");
    for (const std::uint16_t word : words) {
        buffer_ += QLatin1Char(',');
        sketch::AppendNumber(buffer_, word);
    }
    buffer_ += QLatin1Char('}');
    buffer_ += sketch::kLineBreak;
    PassOn(false);
}

void SketchWriter::EndSketch(int count) {
    StartRow();
    buffer_ += QStringLiteral("1,") + ZeroRow(kSignColumns) + QStringLiteral("}") + sketch::kLineBreak;
    buffer_ += QStringLiteral("};") + sketch::kLineBreak;
    buffer_ += QStringLiteral("unsigned int %1=").arg(kCountName);
    sketch::AppendNumber(buffer_, count);
    buffer_ += QStringLiteral(";   //%1[][%2]資料長度").arg(kTableName).arg(kRowElements);
    buffer_ += sketch::kLineBreak;
    buffer_ += Driver(store_, FlashParts(rows_));
    PassOn(true);
}

void SketchWriter::PassOn(bool always) {
    constexpr qsizetype kPiece = qsizetype{1} << 14;  // 16 KiB
    if (!sink_ || (!always && buffer_.size() < kPiece)) return;
    sink_(buffer_);
    buffer_.resize(0);
}

}  // namespace award
