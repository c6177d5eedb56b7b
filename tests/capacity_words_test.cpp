// The README, which people read first, says the capacities and speeds that
// the program works out from the format's figures.

#include "conversion/CapacityWords.h"

#include <QFile>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <functional>
#include <ostream>

namespace award {
namespace {

struct Said {
    const char* name;
    const char* sentence;  // as the README puts it, %1 to %3 for the figures
    std::function<QStringList()> figures;
};

void PrintTo(const Said& row, std::ostream* os) {
    *os << row.name;
}

QString ReadmeText() {
    QFile file(QStringLiteral(AWARD_SOURCE_DIR "/README.md"));
    if (!file.open(QIODevice::ReadOnly)) return {};
    return QString::fromUtf8(file.readAll()).replace(QRegularExpression(QStringLiteral("\\s+")), QStringLiteral(" "));
}

class Capacity : public testing::TestWithParam<Said> {};

TEST_P(Capacity, ReadmeSaysWhatTheProgramWorksOut) {
    QString sentence = QString::fromUtf8(GetParam().sentence);
    for (const QString& figure : GetParam().figures()) sentence = sentence.arg(figure);
    EXPECT_TRUE(ReadmeText().contains(sentence)) << sentence.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Readme, Capacity,
    testing::Values(Said{"PhrasesInSram", "Up to %1 phrases the frame table sits",
                         [] { return QStringList{SramPhrasesInWords()}; }},
                    Said{"PhrasesInFlash", "up to %1 phrases: what fits",
                         [] { return QStringList{FlashPhrasesInWords()}; }},
                    Said{"MarqueeLength", "a marquee holds up to %1 columns, about %2 Chinese characters",
                         [] {
                             return QStringList{MarqueeColumnsInWords(), MarqueeCharactersInWords()};
                         }},
                    Said{"MarqueeSpeeds", "(%1, %2 or %3 characters) a second",
                         [] {
                             return QStringList{CharactersPerSecondInWords(MarqueeSpeed::Slow),
                                                CharactersPerSecondInWords(MarqueeSpeed::Medium),
                                                CharactersPerSecondInWords(MarqueeSpeed::Fast)};
                         }}),
    [](const testing::TestParamInfo<Said>& row) { return std::string(row.param.name); });

}  // namespace
}  // namespace award
