#include "conversion/SketchWriter.h"

#include "conversion/ColumnWords.h"

#include <QStringList>

#include <algorithm>
#include <charconv>

namespace award {
namespace {

QString ZeroRow(int zeros) {
    QString row;
    for (int i = 0; i < zeros; ++i) row += i == 0 ? QStringLiteral("0") : QStringLiteral(",0");
    return row;
}

// The start of a table part in flash, up to its first row's opening brace.
QString FlashPartStart(int part) {
    return QStringLiteral("const unsigned int %1[][%2] PROGMEM={ {")
        .arg(SketchWriter::PartName(kTableName, part))
        .arg(kRowElements);
}

const QString& Declarations() {
    static const QString text = SketchWriter::Lines({
        QStringLiteral("unsigned int i,j,k;"),
        QStringLiteral("unsigned int a[64]; //重複掃瞄資料"),
    });
    return text;
}

QString TableStart(TableStore store) {
    if (store == TableStore::Sram)
        return SketchWriter::Lines({QStringLiteral("//標題資料"),
                                    QStringLiteral("unsigned int %1[][%2]={ {").arg(kTableName).arg(kRowElements) +
                                        ZeroRow(kRowElements) + QStringLiteral("}")});
    return SketchWriter::Lines(
        {QStringLiteral("//標題資料：畫面太多，SRAM 放不下，整個表放在 flash 程式記憶體，每段 %1 列").arg(kFlashPartRows),
         FlashPartStart(0) + ZeroRow(kRowElements) + QStringLiteral("}")});
}

QString CountLine() { return QStringLiteral("unsigned int %1=").arg(kCountName); }

}  // namespace

const QString& SketchWriter::SetupRoutine() {
    static const QString text = Lines({
        QStringLiteral("void setup() {"),
        QStringLiteral("    DDRF=0xFF;"),
        QStringLiteral("    DDRK=0xFF;"),
        QStringLiteral("    DDRC=0xFF;"),
        QStringLiteral("}"),
    });
    return text;
}

// One sweep: every column lit in turn for its 100 us, rows 1-8 on port F and
// 9-16 on port K, and both cleared before the next column.
QString SketchWriter::ColumnSweep(int delayMicroseconds) {
    return Lines({
        QStringLiteral("           for (i=0;i<=63;i++)"),
        QStringLiteral("           {"),
        QStringLiteral("               PORTC=i;"),
        QStringLiteral("               PORTK=a[i] / 256;"),
        QStringLiteral("               PORTF=a[i] % 256;"),
        QStringLiteral("               delayMicroseconds(%1);").arg(delayMicroseconds),
        QStringLiteral("               PORTF=0 ;"),
        QStringLiteral("               PORTK=0;"),
        QStringLiteral("           }"),
    });
}

namespace {

// The end of a frame: its sweeps done, the dark pause, the next frame.
const QString& Sweep() {
    static const QString text = SketchWriter::ColumnSweep() + SketchWriter::Lines({
        QStringLiteral("       }"),
        QStringLiteral("       delay(%1);").arg(kPauseMilliseconds),
        QStringLiteral("   }"),
        QStringLiteral("}"),
    });
    return text;
}

const QString& SramLoop() {
    static const QString text =
        SketchWriter::Lines({
            QStringLiteral("void loop() {"),
            QStringLiteral("   //每次一組，共num組"),
            QStringLiteral("   for (k=1;k<=%1;k++){").arg(kCountName),
            QStringLiteral("       for (j=1;j<=64;j++)"),
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
    return SketchWriter::PartLookup(QStringLiteral("//第 n 個畫面在 flash 裡的位置"),
                                    QStringLiteral("uint_farptr_t frameRow(unsigned int n)"), kTableName,
                                    kFlashPartRows, 2 * kRowElements, parts) +
           SketchWriter::SetupRoutine() +
           SketchWriter::Lines({
               QStringLiteral("void loop() {"),
               QStringLiteral("   //每次一組，共num組"),
               QStringLiteral("   for (k=1;k<=%1;k++){").arg(kCountName),
               QStringLiteral("       uint_farptr_t row=frameRow(k);"),
               QStringLiteral("       for (j=1;j<=64;j++)"),
               QStringLiteral("           a[j-1]=pgm_read_word_far(row+2*j);"),
               QStringLiteral("       for (unsigned long n=0;n<=%1UL*pgm_read_word_far(row);n++){     //延遲的時間")
                   .arg(kSweepsPerDelayUnit),
           }) +
           Sweep();
}

QString Driver(TableStore store, int flashParts) {
    return store == TableStore::Sram ? SketchWriter::SetupRoutine() + SramLoop() : FlashLoop(flashParts);
}

}  // namespace

QString SketchWriter::PartLookup(const QString& comment, const QString& signature, QStringView stem, int partItems,
                                 int itemBytes, int parts) {
    QStringList lines{comment, signature + QStringLiteral(" {"), QStringLiteral("   switch (n / %1) {").arg(partItems)};
    for (int part = 0; part < parts; ++part)
        lines << QStringLiteral("   case %1: return pgm_get_far_address(%2) + (n % %3) * %4UL;")
                     .arg(part)
                     .arg(PartName(stem, part))
                     .arg(partItems)
                     .arg(itemBytes);
    lines << QStringLiteral("   }") << QStringLiteral("   return 0;") << QStringLiteral("}");
    return Lines(lines);
}

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
        buffer_ += QStringLiteral("};") + kLineBreak + FlashPartStart(rows_ / kFlashPartRows);
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
        AppendNumber(buffer_, word);
    }
    buffer_ += QLatin1Char('}');
    buffer_ += kLineBreak;
    PassOn(false);
}

void SketchWriter::EndSketch(int count) {
    StartRow();
    buffer_ += QStringLiteral("1,") + ZeroRow(kSignColumns) + QStringLiteral("}") + kLineBreak;
    buffer_ += QStringLiteral("};") + kLineBreak;
    buffer_ += CountLine();
    AppendNumber(buffer_, count);
    buffer_ += QStringLiteral(";   //%1[][%2]資料長度").arg(kTableName).arg(kRowElements);
    buffer_ += kLineBreak;
    buffer_ += Driver(store_, FlashParts(rows_));
    PassOn(true);
}

void SketchWriter::PassOn(bool always) {
    constexpr qsizetype kPiece = 16 * 1024;
    if (!sink_ || (!always && buffer_.size() < kPiece)) return;
    sink_(buffer_);
    buffer_.resize(0);
}

// Numbers carry a sign position: a space before a value that is not negative.
int SketchWriter::WordParts(std::size_t words) {
    return std::max(1, static_cast<int>((words + kMarqueePartColumns - 1) / kMarqueePartColumns));
}

void SketchWriter::AppendWordParts(QString& text, QStringView stem, const std::vector<std::uint16_t>& words) {
    const int parts = WordParts(words.size());
    for (int part = 0; part < parts; ++part) {
        text += QStringLiteral("const unsigned int %1[] PROGMEM={").arg(PartName(stem, part)) + kLineBreak;
        const std::size_t begin = std::size_t(part) * kMarqueePartColumns;
        const std::size_t end = std::min(words.size(), begin + kMarqueePartColumns);
        for (std::size_t i = begin; i < end; ++i) {
            AppendNumber(text, words[i]);
            if (i + 1 < end) text += QLatin1Char(',');
            if ((i - begin) % kSignColumns == kSignColumns - 1 || i + 1 == end) text += kLineBreak;
        }
        text += QStringLiteral("};") + kLineBreak;
    }
}

void SketchWriter::AppendNumber(QString& text, std::int64_t value) {
    char digits[24];
    char* start = digits;
    if (value >= 0) *start++ = ' ';
    const auto result = std::to_chars(start, digits + sizeof digits, value);
    text += QLatin1StringView(digits, result.ptr - digits);
}

}  // namespace award
