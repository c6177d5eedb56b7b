#include "phrases/Phrases.h"

#include <QStringTokenizer>

namespace award {

BannerPhrases SplitPhrases(QStringView text, long long most) {
    BannerPhrases split;
    split.count = text.count(u' ');
    if (split.count > most) {
        split.tail = text.mid(text.lastIndexOf(u' ') + 1);
        return split;
    }
    split.phrases.reserve(static_cast<std::size_t>(split.count));
    for (const QStringView piece : QStringTokenizer(text, u' ', Qt::KeepEmptyParts)) split.phrases.push_back(piece);
    if (!split.phrases.empty()) {
        split.tail = split.phrases.back();
        split.phrases.pop_back();
    }
    return split;
}

}  // namespace award
