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

QString TableStart(TableStore store, bool engine) {
    if (store == TableStore::Sram)
        return Lines({QStringLiteral("//標題資料"),
                                    QStringLiteral("unsigned int %1[][%2]={ {").arg(kTableName).arg(kRowElements) +
                                        ZeroRow(kRowElements) + QStringLiteral("}")});
    const QString why = engine ? QString() : QStringLiteral("畫面太多，SRAM 放不下，");
    return Lines({QStringLiteral("//標題資料：%1整個表放在 flash 程式記憶體，每段 %2 列").arg(why).arg(kFlashPartRows),
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
    return sketch::PartLookup(QStringLiteral("//第 n 個畫面在 flash 裡的位置"), u"frameRow", kTableName,
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

// Word n of the table for the engine: rows of 65 words one after another, a
// page always within one row. The Mega reads through far addresses, the Uno
// through near ones.
QString FrameReads(BoardKind board, int parts) {
    const bool far = board == BoardKind::Mega2560;
    const QString words = QString::number(kRowElements);
    const QString read = far ? QStringLiteral("pgm_read_word_far") : QStringLiteral("pgm_read_word");
    const QString at = far ? QStringLiteral("frameRow(n/%1)+(n%%1)*2UL").arg(words)
                           : QStringLiteral("frameRow(n/%1)+n%%1").arg(words);
    return sketch::PartLookup(QStringLiteral("//第 n 個畫面在 flash 裡的位置"), u"frameRow", kTableName,
                              kFlashPartRows, 2 * kRowElements, parts, board) +
           Lines({
               QStringLiteral("//畫面表的第 n 個字：每個畫面 %1 個字，第一個是延遲倍數").arg(words),
               QStringLiteral("static uint16_t showWord(uint32_t n) {"),
               QStringLiteral("   return %1(%2);").arg(read, at),
               QStringLiteral("}"),
               QStringLiteral("//從第 n 個字起的一頁，在同一個畫面裡"),
               QStringLiteral("static void showWords(uint32_t n, uint16_t *to) {"),
               (far ? QStringLiteral("   uint_farptr_t at=") : QStringLiteral("   const unsigned int *at=")) + at +
                   QStringLiteral(";"),
               QStringLiteral("   for (uint8_t j=0;j<SIGN_COLUMNS;j++,at+=%1) to[j]=%2(at);").arg(far ? 2 : 1).arg(read),
               QStringLiteral("}"),
           });
}

}  // namespace

QString SketchWriter::FixedCode(TableStore store, int flashParts) {
    return Declarations() + Driver(store, flashParts);
}

QString SketchWriter::EngineFixedCode(const SignTarget& target, int flashParts) {
    return sketch::EngineText(target) + FrameReads(target.board, flashParts) +
           Lines({
               QStringLiteral("void setup() {"),
               QStringLiteral("   pagePause=PHRASE_PAUSE_COLUMNS;"),
               QStringLiteral("   signBegin(PHRASE_COLUMN_CYCLES,%1);").arg(sketch::kBrightnessName),
               QStringLiteral("}"),
               QStringLiteral("void loop() {"),
               QStringLiteral("   //每次一組，共%1組：每組顯示 %2 × 延遲倍數 + 1 次掃瞄，之後全暗半秒")
                   .arg(kCountName)
                   .arg(kSweepsPerDelayUnit),
               QStringLiteral("   playShow(SHOW_FRAMES,%1,%2,%3,0);").arg(kRowElements).arg(kCountName).arg(kSweepsPerDelayUnit),
               QStringLiteral("}"),
           });
}

void SketchWriter::BeginSketch(TableStore store, const SignTarget& target) {
    buffer_.resize(0);
    target_ = target;
    engine_ = !KeepsOwnPhraseSketch(target);
    store_ = engine_ ? TableStore::Flash : store;
    rows_ = 1;
    if (!engine_) buffer_ += Declarations();
    buffer_ += TableStart(store_, engine_);
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
    buffer_ += u'}' + sketch::kLineBreak;
    PassOn(false);
}

void SketchWriter::EndSketch(int count) {
    StartRow();
    buffer_ += QStringLiteral("1,") + ZeroRow(kSignColumns) + QStringLiteral("}") + sketch::kLineBreak;
    buffer_ += QStringLiteral("};") + sketch::kLineBreak;
    buffer_ += QStringLiteral("unsigned int %1=").arg(kCountName);
    sketch::AppendNumber(buffer_, count);
    buffer_ += QStringLiteral(";   //%1[][%2]資料長度").arg(kTableName).arg(kRowElements) + sketch::kLineBreak;
    if (engine_)
        buffer_ += sketch::BrightnessLine(target_.brightness) + EngineFixedCode(target_, FlashParts(rows_));
    else
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
