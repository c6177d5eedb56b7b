#include "SketchChecks.h"
#include "conversion/SketchReader.h"

#include <gtest/gtest.h>

namespace award {
namespace {

TEST(SketchReader, ReadsFramesOfAKnownSketchInOrder) {
    const auto frames = ReadSketch(test::ReadGolden("two_known_frames.ino"));
    ASSERT_TRUE(frames.has_value());
    ASSERT_EQ(frames->frames.size(), 2u);
    EXPECT_EQ(frames->tableRows, 4);
    EXPECT_EQ(frames->frames[0].delayFactor, 1);
    EXPECT_EQ(frames->frames[0].words[3], 384);
    EXPECT_EQ(frames->frames[0].words[63], 65535);
    EXPECT_EQ(frames->frames[1].words[0], 1);
    EXPECT_EQ(frames->frames[1].words[1], 32768);
    EXPECT_EQ(frames->frames[1].words[62], 65535);
    int lit = 0;
    for (const auto& frame : frames->frames)
        for (auto word : frame.words) lit += word != 0;
    EXPECT_EQ(lit, 5);
}

TEST(SketchReader, FollowsHandEdits) {
    QString text = test::ReadGolden("two_known_frames.ino");
    // A hand-edited word, a changed delay factor and a count cut to one frame.
    text.replace(QStringLiteral(", 384,"), QStringLiteral(",  7 ,"));
    text.replace(QStringLiteral(",{1, 1,"), QStringLiteral(",{3, 1,"));
    text.replace(QStringLiteral("num= 2;"), QStringLiteral("num=1;"));
    const auto frames = ReadSketch(text);
    ASSERT_TRUE(frames.has_value());
    ASSERT_EQ(frames->frames.size(), 1u);
    EXPECT_EQ(frames->frames[0].words[3], 7);
}

TEST(SketchReader, RejectsWhatTheBoardCouldNotRun) {
    const QString good = test::ReadGolden("two_known_frames.ino");
    const struct {
        const char* what;
        QString text;
    } broken[] = {
        {"initial text", QStringLiteral("Text3")},
        {"empty", QString()},
        {"row cut short", QString(good).replace(QStringLiteral(", 384,"), QStringLiteral(","))},
        {"word too big", QString(good).replace(QStringLiteral(" 384"), QStringLiteral(" 65536"))},
        {"not a number", QString(good).replace(QStringLiteral(" 384"), QStringLiteral(" x"))},
        {"count past the table", QString(good).replace(QStringLiteral("num= 2;"), QStringLiteral("num= 4;"))},
        {"negative count", QString(good).replace(QStringLiteral("num= 2;"), QStringLiteral("num=-1;"))},
        {"table not closed", QString(good).replace(QStringLiteral("};\r\n"), QStringLiteral("\r\n"))},
    };
    for (const auto& b : broken) EXPECT_FALSE(ReadSketch(b.text).has_value()) << b.what;
}

}  // namespace
}  // namespace award
