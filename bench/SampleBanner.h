#pragma once

#include <QString>

namespace award::bench {

// Fifteen phrases of one to four characters, as a school's award notice has.
inline const QString kPhrases[] = {
    QStringLiteral("賀"),       QStringLiteral("本校"),     QStringLiteral("資訊科"),
    QStringLiteral("三年甲班"), QStringLiteral("陳怡君"),   QStringLiteral("參加"),
    QStringLiteral("全國技能"), QStringLiteral("競賽"),     QStringLiteral("榮獲"),
    QStringLiteral("程式設計"), QStringLiteral("第一名"),   QStringLiteral("指導老師"),
    QStringLiteral("林建宏"),   QStringLiteral("黃淑芬"),   QStringLiteral("恭喜"),
};

// `phrases` of them in turn, each followed by its space.
inline QString Banner(int phrases) {
    QString text;
    for (int i = 0; i < phrases; ++i) text += kPhrases[i % std::size(kPhrases)] + QLatin1Char(' ');
    return text;
}

}  // namespace award::bench
