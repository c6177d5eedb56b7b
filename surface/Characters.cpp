#include "surface/Characters.h"

#include <QTextBoundaryFinder>

namespace award {

std::vector<qsizetype> CharacterBoundaries(QStringView text) {
    std::vector<qsizetype> ends;
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
    for (qsizetype end = finder.toNextBoundary(); end > 0; end = finder.toNextBoundary()) ends.push_back(end);
    return ends;
}

qsizetype CharacterCount(QStringView text) {
    qsizetype count = 0;
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
    while (finder.toNextBoundary() > 0) ++count;
    return count;
}

QStringView FirstCharacters(QStringView text, qsizetype count) {
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
    qsizetype end = 0;
    for (qsizetype i = 0; i < count; ++i) {
        const qsizetype next = finder.toNextBoundary();
        if (next < 0) break;
        end = next;
    }
    return text.first(end);
}

}  // namespace award
