#pragma once

#include "conversion/ConversionOptions.h"
#include "phrases/PhraseFormat.h"
#include "phrases/SketchWriter.h"
#include "refusal/Refusal.h"
#include "sign/ColumnWords.h"
#include "sign/SignTiming.h"

#include <QString>

#include <optional>
#include <vector>

namespace award {

// What a run noticed on the way, for telling the user.
struct RunReport {
    struct CutPhrase {
        int number = 0;  // 1 for the first phrase
        QString text;
    };
    int frames = 0;
    // Phrases in the text, also when there were too many to convert.
    long long phrases = 0;
    TableStore store = TableStore::Sram;
    // The sign, board and brightness the sketch was written for.
    SignTarget target{};
    // More phrases, or a longer marquee, than the board holds: nothing was written.
    Refusal refusal;
    std::vector<CutPhrase> cutPhrases;  // phrases inked right of column 64
    QString unconvertedTail;            // what follows the last space, when anything does
    // Characters the chosen face has no glyph for, once per phrase; in a
    // marquee, once in all, with phrase 0.
    struct MissingGlyph {
        int phrase = 0;
        char32_t character = 0;
    };
    std::vector<MissingGlyph> missingGlyphs;

    // A marquee run: the text's length, its columns and the speed.
    struct Marquee {
        long long characters = 0;
        long long columns = 0;
        int sweepsPerStep = 0;
    };
    std::optional<Marquee> marquee;
};

class DrawingSurface;

// Turns banner text into the sketch text. Each phrase (a piece of the text
// between spaces, all but the one after the last space) is drawn on the
// surface at 12 points and sampled into one frame row of 64 column words.
//
// On the school's sign at full brightness up to kMega2560MaxPhrases phrases
// the table sits in SRAM; beyond that, in flash, up to
// kMega2560MaxFlashPhrases. Any other sign, board or brightness keeps it in
// flash, up to what that board holds (MaxPhrases). A text with more phrases
// than that is refused: no sketch at all rather than one that fails on the
// board.
class BannerConverter {
public:
    explicit BannerConverter(DrawingSurface& surface) : surface_(surface) {}

    // One whole run as the options ask: their style set on the surface, then
    // the text converted phrase by phrase or as a marquee.
    const QString& Convert(const QString& text, const ConversionOptions& options);
    // One whole run in the surface's current style; firstScanRow is the surface row that becomes bit 0 (1 or
    // 3). Gives the sketch text, or an empty text when the run was refused.
    const QString& ConvertBanner(const QString& bannerText, FirstScanRow firstScanRow, const SignTarget& target = {});
    // The whole text as one line that scrolls across the sign at `speed`;
    // line breaks count as spaces. Refused past the columns the target's
    // board holds (MaxMarqueeColumns).
    const QString& ConvertMarquee(const QString& text, FirstScanRow firstScanRow, MarqueeSpeed speed,
                                  const SignTarget& target = {});
    // Clears the surface, prints the phrase and returns its 64 column words.
    ColumnWords ScanPhrase(QStringView phrase, FirstScanRow firstScanRow);

    // Passes the sketch on in pieces as it grows instead of keeping it whole.
    void SetSketchSink(SketchWriter::Sink sink) { writer_.SetSink(std::move(sink)); }

    const RunReport& LastRunReport() const { return report_; }

    static TableStore StoreFor(long long phrases, const SignTarget& target = {});

private:
    void NoteMissingGlyphs(int phrase);

    DrawingSurface& surface_;
    SketchWriter writer_;
    RunReport report_;
    const QString refusedText_;  // what a refused run gives: nothing
    QString marqueeText_;
};

}  // namespace award
