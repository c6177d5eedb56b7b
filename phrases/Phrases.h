#pragma once

#include <QStringView>

#include <limits>
#include <vector>

namespace award {

// A banner cut into its phrases: every space ends one, so the piece after the
// last space is never converted; that piece is the tail.
struct BannerPhrases {
    std::vector<QStringView> phrases;
    long long count = 0;  // also when there were too many to cut out
    QStringView tail;
};

// The phrases of `text`, views into it. Past `most` phrases they are counted
// but not cut out, so that a huge paste costs no more than its count.
BannerPhrases SplitPhrases(QStringView text, long long most = std::numeric_limits<long long>::max());

}  // namespace award
