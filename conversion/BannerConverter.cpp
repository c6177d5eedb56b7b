#include "conversion/BannerConverter.h"

#include "marquee/MarqueeWriter.h"
#include "phrases/Phrases.h"
#include "sign/MeasuredCapacities.h"
#include "sign/SignGeometry.h"
#include "surface/Characters.h"
#include "surface/ColumnSampling.h"
#include "surface/DrawingSurface.h"

namespace award {

TableStore BannerConverter::StoreFor(long long phrases) {
    return phrases > kMega2560MaxPhrases ? TableStore::Flash : TableStore::Sram;
}

const QString& BannerConverter::Convert(const QString& text, const ConversionOptions& options) {
    surface_.SetStyle(options.style);
    return options.mode == DisplayMode::Marquee ? ConvertMarquee(text, options.firstScanRow, options.speed)
                                                : ConvertBanner(text, options.firstScanRow);
}

const QString& BannerConverter::ConvertBanner(const QString& bannerText, FirstScanRow firstScanRow) {
    const BannerPhrases split = SplitPhrases(bannerText, kMega2560MaxFlashPhrases);
    report_ = {};
    report_.phrases = split.count;
    report_.store = StoreFor(split.count);
    report_.unconvertedTail = split.tail.toString();
    if (split.count > kMega2560MaxFlashPhrases) {
        report_.refused = true;
        return refusedText_;
    }

    writer_.BeginSketch(report_.store);
    SetUpForSigns(surface_);
    surface_.SetCurrentX(0);
    surface_.SetCurrentY(0);
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

const QString& BannerConverter::ConvertMarquee(const QString& text, FirstScanRow firstScanRow, MarqueeSpeed speed) {
    report_ = {};
    const QString line = MarqueeWriter::OneLine(text);
    const std::vector<std::uint16_t> columns = ScanLine(surface_, line, firstScanRow);
    NoteMissingGlyphs(0);
    report_.marquee = RunReport::Marquee{CharacterCount(line), static_cast<long long>(columns.size()), MarqueeSweeps(speed)};
    // The picture area shows how the text starts.
    ScanPhrase(line, firstScanRow);

    if (report_.marquee->columns > kMarqueeMaxColumns) {
        report_.refused = true;
        return refusedText_;
    }
    marqueeText_ = MarqueeWriter::Sketch(columns, MarqueeSweeps(speed));
    return marqueeText_;
}

void BannerConverter::NoteMissingGlyphs(int phrase) {
    for (const char32_t c : surface_.LastMissingGlyphs()) report_.missingGlyphs.push_back({phrase, c});
}

ColumnWords BannerConverter::ScanPhrase(QStringView phrase, FirstScanRow firstScanRow) {
    return ScanText(surface_, phrase, firstScanRow);
}

}  // namespace award
