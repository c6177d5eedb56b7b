#include "marquee/MarqueeWriter.h"

#include "sign/SignTiming.h"
#include "sketch/SketchCode.h"

#include <QStringList>

namespace award {

QString MarqueeWriter::OneLine(QString text) {
    return text.replace(QStringLiteral("\r\n"), QStringLiteral(" ")).replace(u'\n', u' ').replace(u'\r', u' ');
}

QString MarqueeWriter::FixedCode(int parts, const SignTarget& target) {
    QStringList sizes;
    // sizeof is a 16-bit size_t on the board: the parts are counted one by one
    // in unsigned long, or their sum would wrap past 65,535 bytes.
    for (int part = 0; part < parts; ++part)
        sizes << QStringLiteral("sizeof(%1)/2UL").arg(sketch::PartName(kMarqueePartName, part));
    return sketch::Lines({QStringLiteral("const unsigned long columns=%1;   //文字的欄數").arg(sizes.join(u'+'))}) +
           sketch::EngineCode(target) + sketch::WordReaders(kMarqueePartName, parts, target.board) +
           sketch::Lines({
               QStringLiteral("void loop() {"),
               QStringLiteral("   //文字從右邊進入暗的看板，每一步向左移一欄，最後一欄從左邊離開後從頭再來"),
               QStringLiteral("   playShow(SHOW_SCROLL_LEFT,0,columns,0,%1);").arg(kMarqueeSweepsName),
               QStringLiteral("}"),
           });
}

QString MarqueeWriter::Sketch(const std::vector<std::uint16_t>& columns, int sweepsPerStep,
                              const SignTarget& target) {
    QString text = QStringLiteral("//跑馬燈：文字每一欄一個數（第 0 位元是最上面一列），放在 flash 程式記憶體，每段 %1 欄")
                       .arg(kPartWords) +
                   sketch::kLineBreak;
    // An empty text still needs one column for its array to compile.
    sketch::AppendWordParts(text, kMarqueePartName, columns.empty() ? std::vector<std::uint16_t>{0} : columns);
    text += QStringLiteral("const unsigned int %1=").arg(kMarqueeSweepsName);
    sketch::AppendNumber(text, sweepsPerStep);
    text += QStringLiteral(";   //每移動一欄掃瞄幾次：%1 慢、%2 中、%3 快")
                .arg(MarqueeSweeps(MarqueeSpeed::Slow))
                .arg(MarqueeSweeps(MarqueeSpeed::Medium))
                .arg(MarqueeSweeps(MarqueeSpeed::Fast)) + sketch::kLineBreak;
    text += sketch::BrightnessLine(target.brightness);
    text += FixedCode(sketch::WordParts(columns.size()), target);
    return text;
}

}  // namespace award
