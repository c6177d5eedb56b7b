#pragma once

#include "conversion/ColumnWords.h"
#include "conversion/SketchWriter.h"

#include <QString>

#include <vector>

namespace award {

// What a run noticed on the way, for telling the user.
struct RunReport {
    struct CutPhrase {
        int number = 0;  // 1 for the first phrase
        QString text;
    };
    int frames = 0;
    std::vector<CutPhrase> cutPhrases;  // phrases inked right of column 64
    QString unconvertedTail;            // what follows the last space, when anything does
};

class DrawingSurface;

// Turns banner text into the sketch text. Each phrase (a piece of the text
// between spaces, all but the one after the last space) is drawn on the
// surface at 12 points and sampled into one frame row of 64 column words.
class BannerConverter {
public:
    explicit BannerConverter(DrawingSurface& surface) : surface_(surface) {}

    // One whole run; firstScanRow is the surface row that becomes bit 0 (1 or 3).
    const QString& ConvertBanner(const QString& bannerText, int firstScanRow);
    // Clears the surface, prints the phrase and returns its 64 column words.
    ColumnWords ScanPhrase(QStringView phrase, int firstScanRow);

    const RunReport& LastRunReport() const { return report_; }

private:
    void WriteFrameRow(const ColumnWords& words);

    DrawingSurface& surface_;
    SketchWriter writer_;
    RunReport report_;
};

}  // namespace award
