#include "sketch/SketchCode.h"

#include "engine/EngineText.h"

#include <algorithm>
#include <charconv>

namespace award::sketch {

QString ColumnBufferLine() { return QStringLiteral("unsigned int a[%1]; //重複掃瞄資料").arg(kSignColumns); }

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
        QStringLiteral("           for (i=0;i<=%1;i++)").arg(kSignLastColumn),
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

QString EngineText(const SignTarget& target) {
    return engine::ShowsText() + engine::SignDriverText(target.sign, target.board);
}

QString EngineCode(const SignTarget& target) {
    return EngineText(target) + Lines({
                                    QStringLiteral("void setup() {"),
                                    QStringLiteral("   signBegin(SHOW_COLUMN_CYCLES,%1);").arg(kBrightnessName),
                                    QStringLiteral("}"),
                                });
}

QString BrightnessLine(int brightness) {
    QString line = QStringLiteral("const unsigned char %1=").arg(kBrightnessName);
    AppendNumber(line, brightness);
    return line + QStringLiteral(";   //亮度 1 到 %1，%1 最亮：改成比較小的數字，看板就比較暗").arg(int{SIGN_BRIGHTEST}) +
           kLineBreak;
}

// A page is read along the flash, a word after another, and the part looked
// up again only where one ends: a division takes longer than a column lasts.
QString WordReaders(QStringView stem, int parts, BoardKind board) {
    const bool far = board == BoardKind::Mega2560;
    const QString address = far ? QStringLiteral("uint_farptr_t") : QStringLiteral("const unsigned int *");
    const QString read = far ? QStringLiteral("pgm_read_word_far") : QStringLiteral("pgm_read_word");
    // A far address counts bytes, a pointer words.
    const QString bytes = far ? QStringLiteral("*2UL") : QString();
    QStringList lines{QStringLiteral("//字表第 p 段在 flash 裡的位置"), address + QStringLiteral(" partAt(unsigned long p) {"),
                      QStringLiteral("   switch (p) {")};
    for (int part = 0; part < parts; ++part)
        lines << (far ? QStringLiteral("   case %1: return pgm_get_far_address(%2);")
                      : QStringLiteral("   case %1: return %2;"))
                         .arg(part)
                         .arg(PartName(stem, part));
    lines << QStringLiteral("   }") << QStringLiteral("   return 0;") << QStringLiteral("}");
    const QString words = QString::number(kPartWords);
    lines << QStringLiteral("static uint16_t showWord(uint32_t n) {")
          << QStringLiteral("   return %1(partAt(n/%2)+(n%%2)%3);").arg(read, words, bytes) << QStringLiteral("}")
          << QStringLiteral("//從第 n 個字起的一頁，一段讀完從下一段接著讀")
          << QStringLiteral("static void showWords(uint32_t n, uint16_t *to) {")
          << QStringLiteral("   unsigned long part=n/%1;").arg(words)
          << QStringLiteral("   uint16_t left=%1-n%%1;").arg(words)
          << QStringLiteral("   %1%2at=partAt(part)+(%3-left)%4;")
                 .arg(address, far ? QStringLiteral(" ") : QString(), words, bytes)
          << QStringLiteral("   for (uint8_t j=0;j<SIGN_COLUMNS;j++){") << QStringLiteral("       if (left==0){")
          << QStringLiteral("           at=partAt(++part);") << QStringLiteral("           left=%1;").arg(words)
          << QStringLiteral("       }") << QStringLiteral("       to[j]=%1(at);").arg(read)
          << (far ? QStringLiteral("       at+=2;") : QStringLiteral("       at++;")) << QStringLiteral("       left--;")
          << QStringLiteral("   }") << QStringLiteral("}");
    return Lines(lines);
}

QString PartLookup(const QString& comment, QStringView name, QStringView stem, int partItems, int itemBytes, int parts,
                   BoardKind board) {
    const bool far = board == BoardKind::Mega2560;
    QStringList lines{comment,
                      (far ? QStringLiteral("uint_farptr_t ") : QStringLiteral("const unsigned int *")) +
                          name.toString() + QStringLiteral("(unsigned int n) {"),
                      QStringLiteral("   switch (n / %1) {").arg(partItems)};
    for (int part = 0; part < parts; ++part) {
        if (far)
            lines << QStringLiteral("   case %1: return pgm_get_far_address(%2) + (n % %3) * %4UL;")
                         .arg(part)
                         .arg(PartName(stem, part))
                         .arg(partItems)
                         .arg(itemBytes);
        else
            lines << QStringLiteral("   case %1: return %2[n % %3];").arg(part).arg(PartName(stem, part)).arg(partItems);
    }
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
    return std::max(1, static_cast<int>((words + kPartWords - 1) / kPartWords));
}

void AppendWordParts(QString& text, QStringView stem, const std::vector<std::uint16_t>& words) {
    const int parts = WordParts(words.size());
    for (int part = 0; part < parts; ++part) {
        text += QStringLiteral("const unsigned int %1[] PROGMEM={").arg(PartName(stem, part)) + kLineBreak;
        const std::size_t begin = std::size_t(part) * kPartWords;
        const std::size_t end = std::min(words.size(), begin + kPartWords);
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
