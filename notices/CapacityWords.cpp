#include "notices/CapacityWords.h"

#include "sign/BoardMemories.h"
#include "sign/FigureWords.h"
#include "sign/MeasuredCapacities.h"
#include "sign/SignGeometry.h"

namespace award {

QString SramPhrasesInWords() { return Thousands(kMega2560MaxPhrases); }
QString FlashPhrasesInWords(const SignTarget& target) { return Thousands(MaxPhrases(target)); }
QString MarqueeColumnsInWords(const SignTarget& target) { return Thousands(MaxMarqueeColumns(target)); }
QString MarqueeCharactersInWords(const SignTarget& target) {
    return Thousands(MaxMarqueeColumns(target) / kCharacterColumns / 10 * 10);
}
QString ProgramBytesInWords(BoardKind board) { return Thousands(ProgramBytes(board)); }

QString CharactersPerSecondInWords(MarqueeSpeed speed) {
    const double columnsPerSecond = 1000.0 / (MarqueeSweeps(speed) * kSweepMilliseconds);
    return QString::number(columnsPerSecond / kCharacterColumns, 'f', 1);
}

}  // namespace award
