// The README, which people read first, says the capacities and speeds that
// the program works out from the format's figures.

#include "notices/CapacityWords.h"
#include "sign/SignTiming.h"

#include <QFile>
#include <QRegularExpression>

#include <gtest/gtest.h>

namespace award {
namespace {

TEST(CapacityWords, AreTheFiguresTheReadmeGives) {
    QFile file(QStringLiteral(AWARD_SOURCE_DIR "/README.md"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString readme =
        QString::fromUtf8(file.readAll()).replace(QRegularExpression(QStringLiteral("\\s+")), QStringLiteral(" "));
    const QString sentences[] = {
        QStringLiteral("Up to %1 phrases the frame table sits").arg(SramPhrasesInWords()),
        QStringLiteral("up to %1 phrases: what fits").arg(FlashPhrasesInWords()),
        QStringLiteral("a marquee holds up to %1 columns, about %2 Chinese characters")
            .arg(MarqueeColumnsInWords(), MarqueeCharactersInWords()),
        QStringLiteral("(%1, %2 or %3 characters) a second")
            .arg(CharactersPerSecondInWords(MarqueeSpeed::Slow), CharactersPerSecondInWords(MarqueeSpeed::Medium),
                 CharactersPerSecondInWords(MarqueeSpeed::Fast)),
    };
    for (const QString& sentence : sentences) EXPECT_TRUE(readme.contains(sentence)) << sentence.toStdString();
}

}  // namespace
}  // namespace award
