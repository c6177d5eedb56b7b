#include "surface/Characters.h"

#include <QTextBoundaryFinder>

#include <algorithm>

namespace award {

std::vector<qsizetype> CharacterBoundaries(QStringView text) {
    std::vector<qsizetype> ends;
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
    for (qsizetype end = finder.toNextBoundary(); end > 0; end = finder.toNextBoundary()) ends.push_back(end);
    return ends;
}

qsizetype CharacterCount(QStringView text) { return qsizetype(CharacterBoundaries(text).size()); }

QStringView FirstCharacters(QStringView text, qsizetype count) {
    const std::vector<qsizetype> ends = CharacterBoundaries(text);
    const auto shown = std::min(std::size_t(std::max<qsizetype>(count, 0)), ends.size());
    return text.first(shown == 0 ? 0 : ends[shown - 1]);
}

}  // namespace award
