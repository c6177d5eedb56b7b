#include "conversion/MarqueeWriter.h"

#include "conversion/ColumnWords.h"
#include "conversion/SketchWriter.h"

#include <QStringList>

namespace award {

int MarqueeWriter::Parts(std::size_t columns) { return SketchWriter::WordParts(columns); }

QString MarqueeWriter::FixedCode(int parts) {
    QStringList sizes;
    // sizeof is a 16-bit size_t on the board: the parts are counted one by one
    // in unsigned long, or their sum would wrap past 65,535 bytes.
    for (int part = 0; part < parts; ++part)
        sizes << QStringLiteral("sizeof(%1)/2UL").arg(SketchWriter::PartName(kMarqueePartName, part));
    // pgm_read_word reaches only the first 64 KiB of flash; a long text runs
    // past it, so every read goes through a far address.
    const QString declarations = SketchWriter::Lines({
        QStringLiteral("unsigned int i,j;"),
        QStringLiteral("unsigned int a[64]; //重複掃瞄資料"),
        QStringLiteral("const unsigned long columns=%1;   //文字的欄數").arg(sizes.join(u'+')),
    });
    const QString lookup = SketchWriter::PartLookup(QStringLiteral("//文字第 n 欄在 flash 裡的位置"),
                                                    QStringLiteral("uint_farptr_t column(unsigned long n)"),
                                                    kMarqueePartName, kMarqueePartColumns, 2, parts);
    // Each step moves the sign's columns in a along by one and reads only the
    // column that enters, so a step costs no more than its sweeps; those are
    // the phrase sketch's, but for the delay.
    return declarations + lookup + SketchWriter::SetupRoutine() +
           SketchWriter::Lines({
               QStringLiteral("void loop() {"),
               QStringLiteral("   //文字從右邊進入暗的看板，每一步向左移一欄，最後一欄從左邊離開後從頭再來"),
               QStringLiteral("   for (unsigned long s=0;s<columns+64;s++){     //LED 第 j 欄顯示文字第 s+j-64 欄"),
               QStringLiteral("       for (j=0;j<=62;j++)"),
               QStringLiteral("           a[j]=s ? a[j+1] : 0;     //向左移一欄"),
               QStringLiteral("       a[63]=(s>=1 && s-1<columns) ? pgm_read_word_far(column(s-1)) : 0;     //右邊進來的一欄"),
               QStringLiteral("       for (j=1;j<=%1;j++){     //移動的速度").arg(kMarqueeSweepsName),
           }) +
           SketchWriter::ColumnSweep(kMarqueeColumnDelayMicroseconds) +
           SketchWriter::Lines({QStringLiteral("       }"), QStringLiteral("   }"), QStringLiteral("}")});
}

QString MarqueeWriter::Sketch(const std::vector<std::uint16_t>& columns, int sweepsPerStep) {
    QString text = QStringLiteral("//跑馬燈：文字每一欄一個數（第 0 位元是最上面一列），放在 flash 程式記憶體，每段 %1 欄")
                       .arg(kMarqueePartColumns) +
                   SketchWriter::kLineBreak;
    // An empty text still needs one column for its array to compile.
    SketchWriter::AppendWordParts(text, kMarqueePartName, columns.empty() ? std::vector<std::uint16_t>{0} : columns);
    text += QStringLiteral("const unsigned int %1=").arg(kMarqueeSweepsName);
    SketchWriter::AppendNumber(text, sweepsPerStep);
    text += QStringLiteral(";   //每移動一欄掃瞄幾次：16 慢、8 中、4 快") + SketchWriter::kLineBreak;
    text += FixedCode(Parts(columns.size()));
    return text;
}

}  // namespace award
