#include "marquee/MarqueeWriter.h"

#include "sign/SignTiming.h"
#include "sketch/SketchCode.h"

#include <QStringList>

namespace award {

QString MarqueeWriter::OneLine(QString text) {
    text.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    text.replace(u'\n', u' ');
    text.replace(u'\r', u' ');
    return text;
}

ColumnWords MarqueeWriter::ImageAtStep(const std::vector<std::uint16_t>& columns, long long step) {
    ColumnWords words{};
    const auto count = static_cast<long long>(columns.size());
    for (int j = 0; j < kSignColumns; ++j) {
        const long long at = step + j - kSignColumns;
        if (at >= 0 && at < count) words[std::size_t(j)] = columns[std::size_t(at)];
    }
    return words;
}

QString MarqueeWriter::FixedCode(int parts) {
    QStringList sizes;
    // sizeof is a 16-bit size_t on the board: the parts are counted one by one
    // in unsigned long, or their sum would wrap past 65,535 bytes.
    for (int part = 0; part < parts; ++part)
        sizes << QStringLiteral("sizeof(%1)/2UL").arg(sketch::PartName(kMarqueePartName, part));
    // pgm_read_word reaches only the first 64 KiB of flash; a long text runs
    // past it, so every read goes through a far address.
    const QString declarations = sketch::Lines({
        QStringLiteral("unsigned int i,j;"),
        sketch::ColumnBufferLine(),
        QStringLiteral("const unsigned long columns=%1;   //文字的欄數").arg(sizes.join(u'+')),
    });
    const QString lookup = sketch::PartLookup(QStringLiteral("//文字第 n 欄在 flash 裡的位置"),
                                                    QStringLiteral("uint_farptr_t column(unsigned long n)"),
                                                    kMarqueePartName, kMarqueePartColumns, 2, parts);
    // Each step moves the sign's columns in a along by one and reads only the
    // column that enters, so a step costs no more than its sweeps; those are
    // the phrase sketch's, but for the delay.
    return declarations + lookup + sketch::SetupRoutine() +
           sketch::Lines({
               QStringLiteral("void loop() {"),
               QStringLiteral("   //文字從右邊進入暗的看板，每一步向左移一欄，最後一欄從左邊離開後從頭再來"),
               QStringLiteral("   for (unsigned long s=0;s<columns+%1;s++){     //LED 第 j 欄顯示文字第 s+j-%1 欄")
                   .arg(kSignColumns),
               sketch::ColumnLoop(7, u"j", kSignLastColumn - 1),
               QStringLiteral("           a[j]=s ? a[j+1] : 0;     //向左移一欄"),
               QStringLiteral("       a[%1]=(s>=1 && s-1<columns) ? pgm_read_word_far(column(s-1)) : 0;     //右邊進來的一欄")
                   .arg(kSignLastColumn),
               QStringLiteral("       for (j=1;j<=%1;j++){     //移動的速度").arg(kMarqueeSweepsName),
           }) +
           sketch::ColumnSweep(kMarqueeColumnDelayMicroseconds) +
           sketch::Lines({QStringLiteral("       }"), QStringLiteral("   }"), QStringLiteral("}")});
}

QString MarqueeWriter::Sketch(const std::vector<std::uint16_t>& columns, int sweepsPerStep) {
    QString text = QStringLiteral("//跑馬燈：文字每一欄一個數（第 0 位元是最上面一列），放在 flash 程式記憶體，每段 %1 欄")
                       .arg(kMarqueePartColumns) +
                   sketch::kLineBreak;
    // An empty text still needs one column for its array to compile.
    sketch::AppendWordParts(text, kMarqueePartName, columns.empty() ? std::vector<std::uint16_t>{0} : columns);
    text += QStringLiteral("const unsigned int %1=").arg(kMarqueeSweepsName);
    sketch::AppendNumber(text, sweepsPerStep);
    text += QStringLiteral(";   //每移動一欄掃瞄幾次：%1 慢、%2 中、%3 快")
                .arg(MarqueeSweeps(MarqueeSpeed::Slow))
                .arg(MarqueeSweeps(MarqueeSpeed::Medium))
                .arg(MarqueeSweeps(MarqueeSpeed::Fast)) + sketch::kLineBreak;
    text += FixedCode(sketch::WordParts(columns.size()));
    return text;
}

}  // namespace award
