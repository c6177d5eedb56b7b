#include "program/ProgramWriter.h"

#include "program/ProgramFormat.h"
#include "sign/ColumnWords.h"
#include "sign/MeasuredCapacities.h"
#include "sign/SignGeometry.h"
#include "sign/SignTiming.h"
#include "sketch/SketchCode.h"

#include <algorithm>

namespace award {
namespace {

void AppendItems(QString& text, const ProgramFrames& program, const Shows& shows) {
    text += QStringLiteral("//節目表：每一項 {顯示方式, 第一個字, 頁數或欄數, 每頁停留的掃瞄次數, 每一步的掃瞄次數}") +
            sketch::kLineBreak;
    text += QStringLiteral("//顯示方式 %1；每頁 %2 欄，掃瞄一次 %3 ms")
                .arg(StyleCodesInWords())
                .arg(kSignColumns)
                .arg(kSweepMilliseconds) +
            sketch::kLineBreak;
    text += QStringLiteral("const unsigned long %1[][%2] PROGMEM={").arg(kProgramItemsName).arg(kProgramItemFields) +
            sketch::kLineBreak;
    for (std::size_t n = 0; n < shows.shows.size(); ++n) {
        const Show& show = shows.shows[n];
        text += QLatin1Char('{');
        for (const std::uint32_t value : {show.kind, show.first, show.count, show.hold, show.step}) {
            if (text.back() != u'{') text += QLatin1Char(',');
            sketch::AppendNumber(text, value);
        }
        text += QLatin1Char('}');
        if (n + 1 < shows.shows.size()) text += QLatin1Char(',');
        text += QStringLiteral("   //%1").arg(StyleName(program.items[n].style)) + sketch::kLineBreak;
    }
    text += QStringLiteral("};") + sketch::kLineBreak;
}

}  // namespace

long long ProgramWriter::Words(const ProgramFrames& program) {
    long long words = 0;
    for (const auto& item : program.items)
        words += static_cast<long long>(item.pages.size()) * PageWords(item.style) +
                 static_cast<long long>(item.columns.size());
    return words;
}

long long ProgramWriter::FlashBytes(long long words, long long items, const SignTarget& target) {
    return ProgramCodeBytes(target) + 2 * std::max(words, 1LL) + kProgramItemBytes * items;
}

QString ProgramWriter::FixedCode(int wordParts, const SignTarget& target) {
    // Items are counted from the table itself, so a row added or removed by
    // hand is played as it stands. On the Mega the item table may lie past
    // the first 64 KiB of flash, behind the words: it is read through a far
    // address.
    const QString read = target.board == BoardKind::Mega2560
                             ? QStringLiteral("   return pgm_read_dword_far(pgm_get_far_address(%1)+(t*%2UL+f)*4UL);")
                                   .arg(kProgramItemsName)
                                   .arg(kProgramItemFields)
                             : QStringLiteral("   return pgm_read_dword(&%1[t][f]);").arg(kProgramItemsName);
    return sketch::Lines({
               QStringLiteral("const unsigned int itemCount=sizeof(%1)/sizeof(%1[0]);   //節目的項數").arg(kProgramItemsName),
               QStringLiteral("//節目表第 t 項的第 f 個數"),
               QStringLiteral("unsigned long itemField(unsigned int t,unsigned int f) {"),
               read,
               QStringLiteral("}"),
           }) +
           sketch::EngineCode(target) + sketch::WordReaders(kProgramPartName, wordParts, target.board) +
           sketch::Lines({
               QStringLiteral("void loop() {"),
               QStringLiteral("   //一項一項照順序顯示，最後一項之後從頭再來"),
               QStringLiteral("   for (unsigned int t=0;t<itemCount;t++)"),
               QStringLiteral("       playItem(itemField(t,0),itemField(t,1),itemField(t,2),itemField(t,3),itemField(t,4));"),
               QStringLiteral("}"),
           });
}

QString ProgramWriter::Sketch(const ProgramFrames& program) {
    QString text = QStringLiteral("//節目：每一項的每一頁 %1 欄、左移和右移的每一欄，一欄一個數（第 0 位元是最上面一列），"
                                  "放在 flash 程式記憶體，每段 %2 個")
                       .arg(kSignColumns)
                       .arg(kPartWords) +
                   sketch::kLineBreak;
    if (std::ranges::any_of(program.items, [](const auto& item) { return StyleMarksCharacters(item.style); }))
        text += QStringLiteral("//逐字的每一頁後面多 ") + QString::number(CHARACTER_MARK_WORDS) +
                QStringLiteral(" 個數：第 j 欄是一個字的最後一欄、下一個字在下一步出現時，第 j/16 個數的第 j%16 位元是 1") +
                sketch::kLineBreak;
    const Shows shows = ShowsOf(program);
    // A program of nothing but empty scrolls still needs one word for its array to compile.
    sketch::AppendWordParts(text, kProgramPartName, shows.words.empty() ? std::vector<std::uint16_t>{0} : shows.words);
    AppendItems(text, program, shows);
    text += sketch::BrightnessLine(program.target.brightness);
    text += FixedCode(sketch::WordParts(shows.words.size()), program.target);
    return text;
}

}  // namespace award
