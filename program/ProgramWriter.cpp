#include "program/ProgramWriter.h"

#include "program/ProgramFormat.h"
#include "sign/ColumnWords.h"
#include "sign/MeasuredCapacities.h"
#include "sign/SignGeometry.h"
#include "sign/SignTiming.h"
#include "sketch/SketchCode.h"

#include <QStringList>

#include <algorithm>

namespace award {
namespace {

std::uint32_t Code(ItemStyle style) { return std::uint32_t(CodeOf(style)); }

// Every item's words in the order the table holds them: its pages one after
// another, or its columns.
std::vector<std::uint16_t> AllWords(const ProgramFrames& program) {
    std::vector<std::uint16_t> words;
    words.reserve(static_cast<std::size_t>(ProgramWriter::Words(program)));
    for (const auto& item : program.items) {
        for (const ColumnWords& page : item.pages) words.insert(words.end(), page.begin(), page.end());
        words.insert(words.end(), item.columns.begin(), item.columns.end());
    }
    return words;
}

void AppendItems(QString& text, const ProgramFrames& program) {
    text += QStringLiteral("//節目表：每一項 {顯示方式, 第一個字, 頁數或欄數, 每頁停留的掃瞄次數, 每一步的掃瞄次數}") +
            sketch::kLineBreak;
    QStringList codes;
    for (const ItemStyle style : kItemStyles)
        codes << QStringLiteral("%1 %2").arg(std::uint32_t(CodeOf(style))).arg(StyleName(style));
    text += QStringLiteral("//顯示方式 %1；每頁 %2 欄，掃瞄一次 %3 ms")
                .arg(codes.join(u'、'))
                .arg(kSignColumns)
                .arg(kSweepMilliseconds) +
            sketch::kLineBreak;
    text += QStringLiteral("const unsigned long %1[][%2] PROGMEM={").arg(kProgramItemsName).arg(kProgramItemFields) +
            sketch::kLineBreak;
    long long first = 0;
    for (std::size_t n = 0; n < program.items.size(); ++n) {
        const auto& item = program.items[n];
        const bool scrolls = item.style == ItemStyle::ScrollLeft;
        const long long count = scrolls ? static_cast<long long>(item.columns.size())
                                        : static_cast<long long>(item.pages.size());
        text += QLatin1Char('{');
        for (const long long value : {static_cast<long long>(CodeOf(item.style)), first, count,
                                      static_cast<long long>(item.holdSweeps), static_cast<long long>(item.stepSweeps)}) {
            if (text.back() != u'{') text += QLatin1Char(',');
            sketch::AppendNumber(text, value);
        }
        text += QLatin1Char('}');
        if (n + 1 < program.items.size()) text += QLatin1Char(',');
        text += QStringLiteral("   //%1").arg(StyleName(item.style)) + sketch::kLineBreak;
        first += scrolls ? count : count * kSignColumns;
    }
    text += QStringLiteral("};") + sketch::kLineBreak;
}

}  // namespace

long long ProgramWriter::Words(const ProgramFrames& program) {
    long long words = 0;
    for (const auto& item : program.items)
        words += static_cast<long long>(item.pages.size()) * kSignColumns + static_cast<long long>(item.columns.size());
    return words;
}

long long ProgramWriter::FlashBytes(long long words, long long items) {
    return kProgramCodeBytes + 2 * std::max(words, 1LL) + kProgramItemBytes * items;
}

QString ProgramWriter::FixedCode(int wordParts) {
    // Items are counted from the table itself, so a row added or removed by
    // hand is played as it stands.
    const QString declarations = sketch::Lines({
        QStringLiteral("unsigned int i,j;"),
        sketch::ColumnBufferLine(),
        QStringLiteral("unsigned int pg[%1]; //這一頁").arg(kSignColumns),
        QStringLiteral("const unsigned int itemCount=sizeof(%1)/sizeof(%1[0]);   //節目的項數").arg(kProgramItemsName),
    });
    // Far reads throughout: the words run past the first 64 KiB of flash, and
    // the item table may lie behind them.
    const QString lookup = sketch::PartLookup(QStringLiteral("//第 n 個字在 flash 裡的位置"),
                                                    QStringLiteral("uint_farptr_t wordAt(unsigned long n)"),
                                                    kProgramPartName, kMarqueePartColumns, 2, wordParts);
    const QString field = sketch::Lines({
        QStringLiteral("//節目表第 t 項的第 f 個數"),
        QStringLiteral("unsigned long itemField(unsigned int t,unsigned int f) {"),
        QStringLiteral("   return pgm_read_dword_far(pgm_get_far_address(%1)+(t*%2UL+f)*4UL);")
            .arg(kProgramItemsName)
            .arg(kProgramItemFields),
        QStringLiteral("}"),
    });
    const QString show = sketch::Lines({QStringLiteral("//把 a 掃瞄 n 次"), QStringLiteral("void show(unsigned long n) {"),
                                QStringLiteral("   for (;n>0;n--){")}) +
                         sketch::ColumnSweep(kMarqueeColumnDelayMicroseconds) +
                         sketch::Lines({QStringLiteral("   }"), QStringLiteral("}")});
    const QString dark = sketch::Lines({
        QStringLiteral("//看板全暗 n 次掃瞄的時間"),
        QStringLiteral("void dark(unsigned long n) {"),
        sketch::ColumnLoop(3),
        QStringLiteral("       a[j]=0;"),
        QStringLiteral("   show(n);"),
        QStringLiteral("}"),
    });
    const QString loop = sketch::Lines({
        QStringLiteral("void loop() {"),
        QStringLiteral("   //一項一項照順序顯示，最後一項之後從頭再來"),
        QStringLiteral("   for (unsigned int t=0;t<itemCount;t++){"),
        QStringLiteral("       unsigned long style=itemField(t,0),first=itemField(t,1),count=itemField(t,2);"),
        QStringLiteral("       unsigned long hold=itemField(t,3),step=itemField(t,4);"),
        QStringLiteral("       if (style==%1){     //左移：文字從右邊進入暗的看板，每一步向左移一欄").arg(Code(ItemStyle::ScrollLeft)),
        QStringLiteral("           for (unsigned long s=0;s<count+%1;s++){").arg(kSignColumns),
        sketch::ColumnLoop(15, u"j", kSignLastColumn - 1),
        QStringLiteral("                   a[j]=s ? a[j+1] : 0;"),
        QStringLiteral("               a[%1]=(s>=1 && s-1<count) ? pgm_read_word_far(wordAt(first+s-1)) : 0;").arg(kSignLastColumn),
        QStringLiteral("               show(step);"),
        QStringLiteral("           }"),
        QStringLiteral("       } else {"),
        QStringLiteral("           for (unsigned long p=0;p<count;p++){     //一頁接一頁，中間不暗"),
        sketch::ColumnLoop(15),
        QStringLiteral("                   pg[j]=pgm_read_word_far(wordAt(first+%1*p+j));").arg(kSignColumns),
        QStringLiteral("               if (style==%1)     //上移：從下面一列一列升上來").arg(Code(ItemStyle::ScrollUp)),
        QStringLiteral("                   for (unsigned int r=1;r<=%1;r++){").arg(kRiseSteps),
        sketch::ColumnLoop(23),
        QStringLiteral("                           a[j]=pg[j]<<(%1-r);").arg(kSignRows),
        QStringLiteral("                       show(step);"),
        QStringLiteral("                   }"),
        QStringLiteral("               if (style==%1)     //閃爍：亮 0.3 秒、暗 0.3 秒").arg(Code(ItemStyle::Blink)),
        QStringLiteral("                   for (unsigned int b=1;b<=%1;b++){").arg(kBlinkTimes),
        sketch::ColumnLoop(23),
        QStringLiteral("                           a[j]=pg[j];"),
        QStringLiteral("                       show(%1);").arg(kBlinkSweeps),
        QStringLiteral("                       dark(%1);").arg(kBlinkSweeps),
        QStringLiteral("                   }"),
        QStringLiteral("               if (style==%1)     //拉幕：從左邊一欄一欄拉開").arg(Code(ItemStyle::Wipe)),
        QStringLiteral("                   for (unsigned int c=1;c<=%1;c++){").arg(kWipeSteps),
        sketch::ColumnLoop(23),
        QStringLiteral("                           a[j]=j<c ? pg[j] : 0;"),
        QStringLiteral("                       show(step);"),
        QStringLiteral("                   }"),
        sketch::ColumnLoop(15),
        QStringLiteral("                   a[j]=pg[j];"),
        QStringLiteral("               show(hold);     //停留"),
        QStringLiteral("           }"),
        QStringLiteral("       }"),
        QStringLiteral("       dark(%1);     //項與項之間暗 0.5 秒").arg(kProgramGapSweeps),
        QStringLiteral("   }"),
        QStringLiteral("}"),
    });
    return declarations + lookup + field + sketch::SetupRoutine() + show + dark + loop;
}

QString ProgramWriter::Sketch(const ProgramFrames& program) {
    QString text = QStringLiteral("//節目：每一項的每一頁 %1 欄、左移的每一欄，一欄一個數（第 0 位元是最上面一列），"
                                  "放在 flash 程式記憶體，每段 %2 個")
                       .arg(kSignColumns)
                       .arg(kMarqueePartColumns) +
                   sketch::kLineBreak;
    // A program of nothing but empty scrolls still needs one word for its array to compile.
    const std::vector<std::uint16_t> words = AllWords(program);
    sketch::AppendWordParts(text, kProgramPartName, words.empty() ? std::vector<std::uint16_t>{0} : words);
    AppendItems(text, program);
    text += FixedCode(sketch::WordParts(words.size()));
    return text;
}

}  // namespace award
