#include "notices/Notices.h"

#include "phrases/PhraseFormat.h"
#include "sign/BoardMemories.h"
#include "sign/MeasuredCapacities.h"
#include "sign/SignTargetNames.h"
#include "sign/SignTiming.h"
#include "surface/Characters.h"

#include <algorithm>

namespace award {
namespace {

// Long phrases would push the rest of a notice out of its line.
QString Quoted(const QString& text) {
    constexpr int kShown = 8;
    const QStringView first = FirstCharacters(text, kShown);
    const QString shown = first.size() < text.size() ? first.toString() + u'…' : text;
    return QStringLiteral("「") + shown + QStringLiteral("」");
}

// Enough of them to find in the text; a list of hundreds would hide the other notices.
// `unit` is what the numbers count: 句 of a banner, 項 of a program.
QString MissingGlyphsNotice(const std::vector<RunReport::MissingGlyph>& missing, const QString& unit) {
    constexpr std::size_t kShown = 5;
    QStringList named;
    for (std::size_t i = 0; i < std::min(missing.size(), kShown); ++i) {
        const QString character = QString::fromUcs4(&missing[i].character, 1);
        named << (missing[i].phrase > 0 ? QStringLiteral("第 %1 %2的「%3」").arg(missing[i].phrase).arg(unit, character)
                                        : QStringLiteral("「%1」").arg(character));
    }
    QString notice = named.join(QStringLiteral("、")) + QStringLiteral("字型裡沒有");
    if (missing.size() > kShown) notice += QStringLiteral("（另有 %1 個）").arg(missing.size() - kShown);
    return notice + QStringLiteral("。");
}

QString MissingFaceNotice(const FaceStatus& face) {
    if (face.drawing && face.drawsChinese) return {};
    return QStringLiteral("這台電腦找不到中文字型，字無法顯示；請安裝 fonts-arphic-uming 或 fonts-arphic-ukai。");
}

QString StandInFaceNotice(const FaceStatus& face) {
    if (!face.drawing || !face.drawsChinese || face.drawing->family == face.requested) return {};
    return QStringLiteral("電腦沒有「%1」，已用「%2」代替。").arg(face.requested, face.drawing->family);
}

// No Chinese face at all is said before what the run warned of, a stand-in after.
QStringList AroundFace(const FaceStatus& face, QStringList warnings) {
    if (const QString missing = MissingFaceNotice(face); !missing.isEmpty()) warnings.prepend(missing);
    if (const QString standIn = StandInFaceNotice(face); !standIn.isEmpty()) warnings << standIn;
    return warnings;
}

}  // namespace

QStringList RunNotices(const RunReport& report, const FaceStatus& face) {
    QStringList notices = AroundFace(face, RunWarnings(report));
    if (report.refusal) return notices;
    if (report.marquee) {
        const auto& m = *report.marquee;
        const double pass = PassSeconds(std::size_t(m.columns), std::uint32_t(m.sweepsPerStep));
        notices << QStringLiteral("跑馬燈：共 %1 個字（%2 欄），在看板上捲一次約 %3 秒，用了 flash 容量的 %4%。")
                       .arg(m.characters)
                       .arg(m.columns)
                       .arg(pass, 0, 'f', 1)
                       .arg(100.0 * static_cast<double>(m.columns) / double(MaxMarqueeColumns(report.target)), 0, 'f', 1);
        return notices;
    }
    notices << (report.frames == 0
                    ? QStringLiteral("沒有轉換任何一句：每句後面要加 1 個空白。")
                    : QStringLiteral("轉換完成，共 %1 句，可以按「複製程式」了。").arg(report.frames));
    return notices;
}

QStringList RunWarnings(const RunReport& report) {
    QStringList notices;
    if (report.refusal) {
        notices << report.refusal.why;
    } else if (!report.marquee && report.store == TableStore::Flash && KeepsOwnPhraseSketch(report.target)) {
        notices << QStringLiteral("共 %1 句，超過 SRAM 可放的 %2 句，畫面表改放在 flash 程式記憶體；還可以再加 %3 句。")
                       .arg(report.frames)
                       .arg(kMega2560MaxPhrases)
                       .arg(kMega2560MaxFlashPhrases - report.frames);
    } else if (!report.marquee && !KeepsOwnPhraseSketch(report.target)) {
        notices << QStringLiteral("共 %1 句，%2 最多可放 %3 句，還可以再加 %4 句。")
                       .arg(report.frames)
                       .arg(BoardName(report.target.board))
                       .arg(MaxPhrases(report.target))
                       .arg(MaxPhrases(report.target) - report.frames);
    }
    if (!report.cutPhrases.empty()) {
        const auto& first = report.cutPhrases.front();
        const QString which = report.cutPhrases.size() == 1
                                  ? QStringLiteral("第 %1 句%2").arg(first.number).arg(Quoted(first.text))
                                  : QStringLiteral("第 %1 句%2等 %3 句")
                                        .arg(first.number)
                                        .arg(Quoted(first.text))
                                        .arg(report.cutPhrases.size());
        notices << which + QStringLiteral("太長，右邊會被切掉；每句最多 4 個中文字。");
    }
    if (!report.missingGlyphs.empty()) notices << MissingGlyphsNotice(report.missingGlyphs, QStringLiteral("句"));
    if (!report.unconvertedTail.isEmpty())
        notices << QStringLiteral("最後的%1後面沒有空白，所以沒有轉換；每句後面都要加 1 個空白。")
                       .arg(Quoted(report.unconvertedTail));
    return notices;
}

QStringList FaceNotices(const FaceStatus& face) { return AroundFace(face, {}); }

QStringList ProgramWarnings(const ProgramReport& report) {
    QStringList notices;
    if (report.refusal) notices << ProgramRefusal(report);
    if (!report.missingGlyphs.empty()) notices << MissingGlyphsNotice(report.missingGlyphs, QStringLiteral("項"));
    return notices;
}

QStringList ProgramNotices(const ProgramReport& report, const FaceStatus& face) {
    QStringList notices = AroundFace(face, ProgramWarnings(report));
    if (report.refusal) return notices;
    notices << QStringLiteral("節目：共 %1 項、%2 頁，播一輪約 %3 秒，用了 flash 容量的 %4%（%5 位元組）。")
                   .arg(report.items)
                   .arg(report.pages)
                   .arg(report.secondsPerCycle, 0, 'f', 1)
                   .arg(100.0 * static_cast<double>(report.flashBytes) / ProgramBytes(report.target.board), 0, 'f', 1)
                   .arg(report.flashBytes);
    return notices;
}

QString ProgramRefusal(const ProgramReport& report) {
    return report.refusal ? report.refusal.why + QStringLiteral("沒有產生程式。") : QString();
}

QString CopyNotice(const std::optional<SketchForm>& sketch) {
    if (!sketch) return QStringLiteral("已複製，但內容不是完整的程式，Arduino 可能無法編譯。");
    if (const auto* program = std::get_if<ProgramFrames>(&*sketch))
        return QStringLiteral("已複製節目程式（%1 項），請貼到 Arduino 編譯後上傳。").arg(program->items.size());
    if (const auto* marquee = std::get_if<MarqueeFrames>(&*sketch))
        return QStringLiteral("已複製跑馬燈程式（%1 欄），請貼到 Arduino 編譯後上傳。").arg(marquee->columns.size());
    const auto& phrases = std::get<PhraseFrames>(*sketch);
    const int frames = static_cast<int>(phrases.frames.size());
    if (phrases.store == TableStore::Sram && frames > kMega2560MaxPhrases)
        return QStringLiteral("已複製程式（%1 個畫面），但 SRAM 最多只放得下 %2 個畫面，板子上無法執行。")
            .arg(frames)
            .arg(kMega2560MaxPhrases);
    return QStringLiteral("已複製程式（%1 個畫面），請貼到 Arduino 編譯後上傳。").arg(frames);
}

QString CopyNotice(const SketchReading& reading) {
    const QString notice = CopyNotice(reading.sketch);
    return reading.sketch || reading.refusal.why.isEmpty() ? notice : notice + reading.refusal.Words();
}

QString EditedSketchNotice(const Refusal& refusal) {
    return QStringLiteral("程式區的程式看板無法執行：") + refusal.Words();
}

}  // namespace award
