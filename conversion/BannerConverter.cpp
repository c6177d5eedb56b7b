#include "conversion/BannerConverter.h"

#include "conversion/MarqueeWriter.h"
#include "surface/DrawingSurface.h"

#include <QStringTokenizer>

namespace award {

TableStore BannerConverter::StoreFor(long long phrases) {
    return phrases > kMega2560MaxPhrases ? TableStore::Flash : TableStore::Sram;
}

const QString& BannerConverter::Convert(const QString& text, const ConversionOptions& options) {
    surface_.SetStyle(options.style);
    return options.mode == DisplayMode::Marquee ? ConvertMarquee(text, options.firstScanRow, options.speed)
                                                : ConvertBanner(text, options.firstScanRow);
}

const QString& BannerConverter::ConvertPhrases(const std::vector<QStringView>& phrases, long long phraseCount,
                                               QStringView tail, const ConversionOptions& options) {
    surface_.SetStyle(options.style);
    return RunPhrases(phrases, phraseCount, tail, options.firstScanRow);
}

const QString& BannerConverter::ConvertBanner(const QString& bannerText, int firstScanRow) {
    // The piece after the last space is never converted, so every space ends
    // a phrase. Counting first keeps a huge paste from being cut up at all.
    const long long count = bannerText.count(u' ');
    std::vector<QStringView> phrases;
    QStringView tail;
    if (count <= kMega2560MaxFlashPhrases) {
        phrases.reserve(static_cast<std::size_t>(count));
        for (const QStringView piece : QStringTokenizer(bannerText, u' ', Qt::KeepEmptyParts))
            phrases.push_back(piece);
        if (!phrases.empty()) {
            tail = phrases.back();
            phrases.pop_back();
        }
    } else {
        tail = QStringView(bannerText).mid(bannerText.lastIndexOf(u' ') + 1);
    }
    return RunPhrases(phrases, count, tail, firstScanRow);
}

const QString& BannerConverter::RunPhrases(const std::vector<QStringView>& phrases, long long phraseCount,
                                           QStringView tail, int firstScanRow) {
    report_ = {};
    report_.phrases = phraseCount;
    report_.store = StoreFor(phraseCount);
    report_.unconvertedTail = tail.toString();
    if (phraseCount > kMega2560MaxFlashPhrases) {
        report_.refused = true;
        return refusedText_;
    }

    writer_.BeginSketch(report_.store);
    surface_.SetScaleMode(DrawingSurface::Pixels);
    surface_.SetFontSize(12);
    surface_.SetCurrentX(0);
    surface_.SetCurrentY(0);
    surface_.Cls();

    // An empty text is one empty piece: no frame and a count of 0, never -1,
    // which the board would read as 65535.
    int count = 0;
    for (const QStringView phrase : phrases) {
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

const QString& BannerConverter::ConvertMarquee(const QString& text, int firstScanRow, MarqueeSpeed speed) {
    report_ = {};
    QString line = text;
    line.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    line.replace(u'\n', u' ');
    line.replace(u'\r', u' ');

    surface_.SetScaleMode(DrawingSurface::Pixels);
    surface_.SetFontSize(12);
    const std::vector<std::uint16_t> columns = SampleLineColumns(surface_.DrawLine(line), firstScanRow);
    NoteMissingGlyphs(0);
    report_.marquee = RunReport::Marquee{line.size(), static_cast<long long>(columns.size()), MarqueeSweeps(speed)};
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

ColumnWords BannerConverter::ScanPhrase(QStringView phrase, int firstScanRow) {
    surface_.Cls();
    surface_.Print(phrase);
    return SampleColumnWords(surface_, firstScanRow);
}

}  // namespace award
