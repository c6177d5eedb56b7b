#include "conversion/BannerConverter.h"

#include "marquee/MarqueeWriter.h"
#include "phrases/Phrases.h"
#include "sign/MeasuredCapacities.h"
#include "sign/SignTargetNames.h"
#include "sign/SignGeometry.h"
#include "surface/Characters.h"
#include "surface/ColumnSampling.h"
#include "surface/DrawingSurface.h"

namespace award {

TableStore BannerConverter::StoreFor(long long phrases, const SignTarget& target) {
    return KeepsOwnPhraseSketch(target) && phrases <= kMega2560MaxPhrases ? TableStore::Sram : TableStore::Flash;
}

const QString& BannerConverter::Convert(const QString& text, const ConversionOptions& options) {
    surface_.SetStyle(options.style);
    return options.mode == DisplayMode::Marquee
               ? ConvertMarquee(text, options.firstScanRow, options.speed, options.target)
               : ConvertBanner(text, options.firstScanRow, options.target);
}

const QString& BannerConverter::ConvertBanner(const QString& bannerText, FirstScanRow firstScanRow,
                                              const SignTarget& target) {
    const int most = MaxPhrases(target);
    const BannerPhrases split = SplitPhrases(bannerText, most);
    report_ = {};
    report_.phrases = split.count;
    report_.store = StoreFor(split.count, target);
    report_.target = target;
    report_.unconvertedTail = split.tail.toString();
    if (split.count > most) {
        report_.refusal = {0,
                           QStringLiteral("共 %1 句，比 %2 最多可放的 %3 句多了 %4 句，沒有產生程式；請減少句數。")
                               .arg(split.count)
                               .arg(BoardName(target.board))
                               .arg(most)
                               .arg(split.count - most),
                           Refusal::Kind::DoesNotFit};
        return refusedText_;
    }

    writer_.BeginSketch(report_.store, target);
    SetUpForSigns(surface_);
    surface_.Cls();

    // An empty text is one empty piece: no frame and a count of 0, never -1,
    // which the board would read as 65535.
    int count = 0;
    for (const QStringView phrase : split.phrases) {
        writer_.AppendFrame(ScanPhrase(phrase, firstScanRow));
        ++count;
        if (surface_.LastPrintInkRight() > kSignColumns)
            report_.cutPhrases.push_back({count, phrase.toString()});
        NoteMissingGlyphs(count);
    }
    report_.frames = count;
    writer_.EndSketch(count);
    return writer_.SketchText();
}

const QString& BannerConverter::ConvertMarquee(const QString& text, FirstScanRow firstScanRow, MarqueeSpeed speed,
                                               const SignTarget& target) {
    report_ = {};
    report_.target = target;
    const QString line = MarqueeWriter::OneLine(text);
    const std::vector<std::uint16_t> columns = ScanLine(surface_, line, firstScanRow);
    NoteMissingGlyphs(0);
    report_.marquee = RunReport::Marquee{CharacterCount(line), static_cast<long long>(columns.size()), MarqueeSweeps(speed)};
    // The picture area shows how the text starts.
    ScanPhrase(line, firstScanRow);

    if (const long long most = MaxMarqueeColumns(target); report_.marquee->columns > most) {
        report_.refusal = {0,
                           QStringLiteral("跑馬燈有 %1 欄，比 %2 最多可放的 %3 欄多了 %4 欄，沒有產生程式；請縮短文字。")
                               .arg(report_.marquee->columns)
                               .arg(BoardName(target.board))
                               .arg(most)
                               .arg(report_.marquee->columns - most),
                           Refusal::Kind::DoesNotFit};
        return refusedText_;
    }
    marqueeText_ = MarqueeWriter::Sketch(columns, MarqueeSweeps(speed), target);
    return marqueeText_;
}

void BannerConverter::NoteMissingGlyphs(int phrase) {
    for (const char32_t c : surface_.LastMissingGlyphs()) report_.missingGlyphs.push_back({phrase, c});
}

ColumnWords BannerConverter::ScanPhrase(QStringView phrase, FirstScanRow firstScanRow) {
    return ScanText(surface_, phrase, firstScanRow);
}

}  // namespace award
