#include "conversion/CapacityWords.h"

#include <QLocale>

namespace award {
namespace {

QString Grouped(long long n) {
    return QLocale(QLocale::English).toString(n);
}

}  // namespace

QString SramPhrasesInWords() {
    return Grouped(kMega2560MaxPhrases);
}

QString FlashPhrasesInWords() {
    return Grouped(kMega2560MaxFlashPhrases);
}

QString MarqueeColumnsInWords() {
    return Grouped(kMarqueeMaxColumns);
}

QString MarqueeCharactersInWords() {
    return Grouped(kMarqueeMaxColumns / kCharacterColumns / 10 * 10);
}

QString CharactersPerSecondInWords(MarqueeSpeed speed) {
    const double columnsPerSecond = 1000.0 / (MarqueeSweeps(speed) * kSweepMilliseconds);
    return QString::number(columnsPerSecond / kCharacterColumns, 'f', 1);
}

}  // namespace award
