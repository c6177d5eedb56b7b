#include "notices/CapacityWords.h"

#include "sign/FigureWords.h"
#include "sign/MeasuredCapacities.h"
#include "sign/SignGeometry.h"

namespace award {

QString SramPhrasesInWords() { return Thousands(kMega2560MaxPhrases); }
QString FlashPhrasesInWords() { return Thousands(kMega2560MaxFlashPhrases); }
QString MarqueeColumnsInWords() { return Thousands(kMarqueeMaxColumns); }
QString MarqueeCharactersInWords() { return Thousands(kMarqueeMaxColumns / kCharacterColumns / 10 * 10); }

QString CharactersPerSecondInWords(MarqueeSpeed speed) {
    const double columnsPerSecond = 1000.0 / (MarqueeSweeps(speed) * kSweepMilliseconds);
    return QString::number(columnsPerSecond / kCharacterColumns, 'f', 1);
}

}  // namespace award
