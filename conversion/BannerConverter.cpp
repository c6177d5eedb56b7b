#include "conversion/BannerConverter.h"

#include "surface/DrawingSurface.h"

#include <QStringTokenizer>

namespace award {

const QString& BannerConverter::ConvertBanner(const QString& bannerText, int firstScanRow) {
    writer_.BeginSketch();
    report_ = {};
    surface_.SetScaleMode(DrawingSurface::Pixels);
    surface_.SetFontSize(12);
    surface_.SetCurrentX(0);
    surface_.SetCurrentY(0);
    surface_.Cls();

    // The piece after the last space is never converted, so every phrase but
    // the last piece becomes a frame. An empty text is one empty piece: no
    // frame and a count of 0, never -1, which the board would read as 65535.
    int count = 0;
    bool first = true;
    QStringView pending;
    for (const QStringView piece : QStringTokenizer(bannerText, u' ', Qt::KeepEmptyParts)) {
        if (!first) {
            WriteFrameRow(ScanPhrase(pending, firstScanRow));
            ++count;
            if (surface_.LastPrintInkRight() > kSignColumns)
                report_.cutPhrases.push_back({count, pending.toString()});
        }
        pending = piece;
        first = false;
    }
    report_.frames = count;
    report_.unconvertedTail = pending.toString();
    writer_.EndSketch(count);
    return writer_.SketchText();
}

void BannerConverter::WriteFrameRow(const ColumnWords& words) {
    writer_.BeginFrameRow();
    for (std::size_t x = 0; x < words.size(); ++x) writer_.AppendColumnWord(words[x], x + 1 == words.size());
}

ColumnWords BannerConverter::ScanPhrase(QStringView phrase, int firstScanRow) {
    surface_.Cls();
    surface_.Print(phrase);
    return SampleColumnWords(surface_, firstScanRow);
}

}  // namespace award
