#include "sketch/SketchCode.h"

#include <algorithm>
#include <charconv>

namespace award::sketch {

QString ColumnBufferLine() { return QStringLiteral("unsigned int a[%1]; //重複掃瞄資料").arg(kSignColumns); }

QString ColumnLoop(int indent, QStringView index, int last) {
    return QString(indent, u' ') + QStringLiteral("for (%1=0;%1<=%2;%1++)").arg(index).arg(last);
}

const QString& SetupRoutine() {
    static const QString text = Lines({
        QStringLiteral("void setup() {"),
        QStringLiteral("    DDRF=0xFF;"),
        QStringLiteral("    DDRK=0xFF;"),
        QStringLiteral("    DDRC=0xFF;"),
        QStringLiteral("}"),
    });
    return text;
}

// Every column lit in turn, rows 1-8 on port F and 9-16 on port K, and both
// cleared before the next column.
QString ColumnSweep(int delayMicroseconds) {
    return Lines({
        ColumnLoop(11, u"i"),
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

QString PartLookup(const QString& comment, const QString& signature, QStringView stem, int partItems, int itemBytes,
                   int parts) {
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

std::optional<int> PartNumberOf(const QString& name, QStringView stem) {
    if (!name.startsWith(stem) || name.size() == stem.size()) return std::nullopt;
    const QStringView digits = QStringView(name).mid(stem.size());
    if (digits.size() > 1 && digits[0] == u'0') return std::nullopt;
    bool ok = false;
    const int part = digits.toInt(&ok);
    if (!ok || part < 0 || digits.front() == u'+' || digits.front() == u'-') return std::nullopt;
    return part;
}

int WordParts(std::size_t words) {
    return std::max(1, static_cast<int>((words + kMarqueePartColumns - 1) / kMarqueePartColumns));
}

void AppendWordParts(QString& text, QStringView stem, const std::vector<std::uint16_t>& words) {
    const int parts = WordParts(words.size());
    for (int part = 0; part < parts; ++part) {
        text += QStringLiteral("const unsigned int %1[] PROGMEM={").arg(PartName(stem, part)) + kLineBreak;
        const std::size_t begin = std::size_t(part) * kMarqueePartColumns;
        const std::size_t end = std::min(words.size(), begin + kMarqueePartColumns);
        for (std::size_t i = begin; i < end; ++i) {
            AppendNumber(text, words[i]);
            if (i + 1 < end) text += QLatin1Char(',');
            if ((i - begin) % kSignColumns == kSignLastColumn || i + 1 == end) text += kLineBreak;
        }
        text += QStringLiteral("};") + kLineBreak;
    }
}

void AppendNumber(QString& text, std::int64_t value) {
    char digits[24];
    char* start = digits;
    if (value >= 0) *start++ = ' ';
    const auto result = std::to_chars(start, digits + sizeof digits, value);
    text += QLatin1StringView(digits, result.ptr - digits);
}

}  // namespace award::sketch
