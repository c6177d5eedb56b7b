#include "conversion/SketchWriter.h"

#include <QStringList>

#include <charconv>

namespace award {
namespace {

QString ZeroRow(int zeros) {
    QString row;
    for (int i = 0; i < zeros; ++i) row += i == 0 ? QStringLiteral("0") : QStringLiteral(",0");
    return row;
}

const QString& Preamble() {
    static const QString text = [] {
        const QStringList lines{
            QStringLiteral("unsigned int i,j,k;"),
            QStringLiteral("unsigned int a[64]; //重複掃瞄資料"),
            QStringLiteral("//標題資料"),
            QStringLiteral("unsigned int b[][65]={ {") + ZeroRow(65) + QStringLiteral("}"),
        };
        return lines.join(SketchWriter::kLineBreak) + SketchWriter::kLineBreak;
    }();
    return text;
}

const QString& ClosingRow() {
    static const QString text =
        QStringLiteral(",{1,") + ZeroRow(64) + QStringLiteral("}") + SketchWriter::kLineBreak +
        QStringLiteral("};") + SketchWriter::kLineBreak;
    return text;
}

const QString& Driver() {
    static const QString text = [] {
        const QStringList lines{
            QStringLiteral("void setup() {"),
            QStringLiteral("    DDRF=0xFF;"),
            QStringLiteral("    DDRK=0xFF;"),
            QStringLiteral("    DDRC=0xFF;"),
            QStringLiteral("}"),
            QStringLiteral("void loop() {"),
            QStringLiteral("   //每次一組，共num組"),
            QStringLiteral("   for (k=1;k<=num;k++){"),
            QStringLiteral("       for (j=1;j<=64;j++)"),
            // Row k holds column 1 at index 1; the sweep shows a[0] at LED column 0.
            QStringLiteral("           a[j-1]=b[k][j];"),
            QStringLiteral("       for (j=0;j<=100*b[k][0];j++){     //延遲的時間"),
            QStringLiteral("           for (i=0;i<=63;i++)"),
            QStringLiteral("           {"),
            QStringLiteral("               PORTC=i;"),
            QStringLiteral("               PORTK=a[i] / 256;"),
            QStringLiteral("               PORTF=a[i] % 256;"),
            QStringLiteral("               delayMicroseconds(100);"),
            QStringLiteral("               PORTF=0 ;"),
            QStringLiteral("               PORTK=0;"),
            QStringLiteral("           }"),
            QStringLiteral("       }"),
            QStringLiteral("       delay(500);"),
            QStringLiteral("   }"),
            QStringLiteral("}"),
        };
        return lines.join(SketchWriter::kLineBreak) + SketchWriter::kLineBreak;
    }();
    return text;
}

}  // namespace

void SketchWriter::BeginSketch() {
    buffer_.clear();
    buffer_ += Preamble();
}

void SketchWriter::BeginFrameRow() { buffer_ += QLatin1StringView(",{1,"); }

void SketchWriter::AppendColumnWord(std::uint16_t word, bool isLast) {
    AppendNumber(word);
    if (isLast) {
        buffer_ += QLatin1Char('}');
        buffer_ += kLineBreak;
    } else {
        buffer_ += QLatin1Char(',');
    }
}

void SketchWriter::EndSketch(int count) {
    buffer_ += ClosingRow();
    buffer_ += QLatin1StringView("unsigned int num=");
    AppendNumber(count);
    buffer_ += QStringLiteral(";   //b[][65]資料長度");
    buffer_ += kLineBreak;
    buffer_ += Driver();
}

// Numbers carry a sign position: a space before a value that is not negative.
void SketchWriter::AppendNumber(std::int64_t value) {
    char digits[24];
    char* start = digits;
    if (value >= 0) *start++ = ' ';
    const auto result = std::to_chars(start, digits + sizeof digits, value);
    buffer_ += QLatin1StringView(digits, result.ptr - digits);
}

}  // namespace award
