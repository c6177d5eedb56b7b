// The eleven ways a program item shows: each named and numbered once, using
// the settings it plays with, and 逐字's character ends worked out by the
// run, kept in the sketch, read back as edited by hand and played by the
// engine a character a step.

#include "ItemStylePrinter.h"
#include "PictureSamples.h"
#include "picture/PictureLeds.h"
#include "program/ProgramConverter.h"
#include "program/ProgramFormat.h"
#include "program/ProgramWriter.h"
#include "reading/SketchReader.h"
#include "surface/ColumnSampling.h"
#include "surface/DrawingSurface.h"

#include <QRegularExpression>

#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <set>

namespace award {

namespace {

TEST(ItemStyles, EachHasItsOwnNameAndNumberAndComesBackFromThem) {
    std::set<QString> names;
    std::set<std::uint32_t> codes;
    for (const ItemStyle style : kItemStyles) {
        SCOPED_TRACE(StyleName(style).toStdString());
        names.insert(StyleName(style));
        codes.insert(CodeOf(style));
        EXPECT_EQ(StyleNamed(StyleName(style)), style);
        EXPECT_EQ(StyleOnBoard(CodeOf(style)), style);
        EXPECT_TRUE(StyleNamesInWords().contains(StyleName(style)));
    }
    EXPECT_EQ(names.size(), kItemStyles.size());
    EXPECT_EQ(codes.size(), kItemStyles.size());
    EXPECT_EQ(kItemStyles.size(), 11u);
}

class StyleSettings : public ::testing::TestWithParam<ItemStyle> {
protected:
    ProgramFrames::Item Drawn(double hold, MarqueeSpeed speed) {
        return converter.Frames({{QStringLiteral("甲乙\n丙丁"), GetParam(), hold, speed}}, FirstScanRow::Row3).items.at(0);
    }
    double Seconds(double hold, MarqueeSpeed speed) {
        ProgramFrames frames;
        frames.items.push_back(Drawn(hold, speed));
        return CycleSeconds(frames);
    }

    DrawingSurface surface;
    ProgramConverter converter{surface};
};

// What the 節目表 greys and the run leaves out agree with what the engine
// plays: a style has pages when two lines make two pages that hold, and uses
// the speed when the speed changes how long it lasts.
TEST_P(StyleSettings, AreTheOnesTheEnginePlaysWith) {
    const ProgramFrames::Item item = Drawn(1.5, MarqueeSpeed::Medium);
    EXPECT_EQ(item.pages.size(), StyleHasPages(GetParam()) ? 2u : 0u);
    EXPECT_EQ(item.columns.empty(), StyleHasPages(GetParam()));
    EXPECT_EQ(Seconds(3.0, MarqueeSpeed::Medium) != Seconds(1.5, MarqueeSpeed::Medium), StyleHasPages(GetParam()));
    EXPECT_EQ(Seconds(1.5, MarqueeSpeed::Slow) > Seconds(1.5, MarqueeSpeed::Fast), StyleUsesSpeed(GetParam()));
    EXPECT_EQ(Seconds(1.5, MarqueeSpeed::Slow) == Seconds(1.5, MarqueeSpeed::Fast), !StyleUsesSpeed(GetParam()));
}

INSTANTIATE_TEST_SUITE_P(Every, StyleSettings, ::testing::ValuesIn(kItemStyles),
                         [](const auto& row) { return std::to_string(CodeOf(row.param)); });

// The page's columns up to `to`, the rest dark.
ColumnWords UpTo(const ColumnWords& page, int to) {
    ColumnWords shown{};
    std::copy_n(page.begin(), to + 1, shown.begin());
    return shown;
}

ColumnWords Moved(const ColumnWords& words, int by) {
    ColumnWords moved{};
    for (int j = 0; j < kSignColumns; ++j)
        if (j + by >= 0 && j + by < kSignColumns) moved[std::size_t(j + by)] = words[std::size_t(j)];
    return moved;
}

int FirstInked(const ColumnWords& words) {
    return int(std::ranges::find_if(words, [](std::uint16_t w) { return w != 0; }) - words.begin());
}

struct CharactersRow {
    const char* name;
    const char16_t* text;
    ItemAlign align;
    // The prefixes the steps show, in characters; the whole page follows.
    std::vector<int> steps;
};

void PrintTo(const CharactersRow& row, std::ostream* out) { *out << row.name; }

class ByCharacter : public ::testing::TestWithParam<CharactersRow> {
protected:
    void SetUp() override { SetUpForSigns(alone); }

    DrawingSurface surface;
    ProgramConverter converter{surface};
    DrawingSurface alone;  // for the characters drawn by themselves
};

// Each step shows the characters so far as they look drawn alone, a blank
// one making no step of its own; the page holds once its last character is
// there.
TEST_P(ByCharacter, EachStepShowsTheCharactersSoFar) {
    const QString text = QString::fromUtf16(GetParam().text);
    const ProgramFrames frames =
        converter.Frames({{text, ItemStyle::ByCharacter, 1.5, MarqueeSpeed::Fast, GetParam().align}}, FirstScanRow::Row3);
    const ColumnWords& page = frames.items.at(0).pages.at(0);
    const std::vector<ShownImage> played = PlayedShow(ShowsOf(frames), 0);
    ASSERT_EQ(played.size(), GetParam().steps.size() + 2);
    const int shift = FirstInked(page) - FirstInked(ScanText(alone, text, FirstScanRow::Row3));
    for (std::size_t s = 0; s < GetParam().steps.size(); ++s)
        EXPECT_EQ(played[s].words, Moved(ScanText(alone, text.left(GetParam().steps[s]), FirstScanRow::Row3), shift))
            << "step " << s;
    EXPECT_EQ(played[GetParam().steps.size()].words, page);
    EXPECT_EQ(played.back().words, ColumnWords{}) << "the gap after the item";
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ByCharacter,
    ::testing::Values(CharactersRow{"FourCharactersLeft", u"恭喜本校", ItemAlign::Left, {1, 2, 3}},
                      CharactersRow{"FourCharactersCentred", u"恭喜本校", ItemAlign::Centre, {1, 2, 3}},
                      CharactersRow{"BlanksMakeNoStep", u"賀 喜 ", ItemAlign::Centre, {1}},
                      CharactersRow{"LettersAndDigits", u"AB 12", ItemAlign::Left, {1, 2, 4}},
                      CharactersRow{"OneCharacter", u"賀", ItemAlign::Left, {}}),
    [](const auto& row) { return std::string(row.param.name); });

// A picture's strips of a character's width appear one after another, then
// the characters after it; a picture wider than the sign does so page by page.
TEST(ByCharacterPicture, StripsAppearOneAfterAnotherThenTheText) {
    DrawingSurface surface;
    ProgramConverter converter{surface};
    DrawingSurface alone;
    SetUpForSigns(alone);
    ProgramItem item{QStringLiteral("恭喜"), ItemStyle::ByCharacter, 1.5, MarqueeSpeed::Fast, ItemAlign::Left};
    item.picture = PatternPicture(24, 3);
    const ProgramFrames beside = converter.Frames({item}, FirstScanRow::Row3);
    ASSERT_EQ(beside.items.at(0).pages.size(), 1u);
    const ColumnWords& page = beside.items[0].pages[0];
    const std::vector<ShownImage> played = PlayedShow(ShowsOf(beside), 0);
    ASSERT_EQ(played.size(), 3u + 2u);
    EXPECT_EQ(played[0].words, UpTo(page, 15));
    EXPECT_EQ(played[1].words, UpTo(page, 23));
    ColumnWords withFirst = UpTo(page, 23);
    const ColumnWords first = Moved(ScanText(alone, u"恭", FirstScanRow::Row3), 24);
    std::ranges::transform(withFirst, first, withFirst.begin(), std::bit_or<>());
    EXPECT_EQ(played[2].words, withFirst);
    EXPECT_EQ(played[3].words, page);

    item.text.clear();
    item.picture = PatternPicture(100, 5);
    const ProgramFrames wide = converter.Frames({item}, FirstScanRow::Row3);
    ASSERT_EQ(wide.items.at(0).pages.size(), 2u);
    const std::vector<ShownImage> pages = PlayedShow(ShowsOf(wide), 0);
    const ColumnWords& second = wide.items[0].pages[1];
    ASSERT_EQ(pages.size(), 4u + 3u + 1u);
    EXPECT_EQ(pages[2].words, UpTo(wide.items[0].pages[0], 47));
    EXPECT_EQ(pages[4].words, UpTo(second, 15));
    EXPECT_EQ(pages[5].words, UpTo(second, 31));
    EXPECT_EQ(pages[6].words, second);
}

// The sketch with the words of w0 from `from` on replaced.
QString WithWords(QString sketch, std::size_t from, const std::vector<std::uint16_t>& words) {
    const qsizetype begin = sketch.indexOf(u'{', sketch.indexOf(QStringLiteral("w0[]"))) + 1;
    const qsizetype end = sketch.indexOf(u'}', begin);
    QStringList values = sketch.mid(begin, end - begin).split(u',');
    for (std::size_t i = 0; i < words.size(); ++i) values[qsizetype(from + i)] = QString::number(words[i]);
    return sketch.replace(begin, end - begin, values.join(u','));
}

// The sketch keeps the character ends after each page and the reader takes
// them back, edited by hand too; an item whose pages and ends run past the
// words is refused on its own row's line, saying what it needs.
TEST(ByCharacterSketch, ReadsBackAsWrittenAndAsEditedByHandOrSaysWhichLine) {
    DrawingSurface surface;
    ProgramConverter converter{surface};
    const Program program{{QStringLiteral("恭喜"), ItemStyle::Static},
                          {QStringLiteral("恭喜本校\n第一名"), ItemStyle::ByCharacter, 1.5, MarqueeSpeed::Fast}};
    const QString sketch = converter.ConvertProgram(program, {});
    ASSERT_FALSE(sketch.isEmpty());
    const ProgramFrames drawn = converter.Frames(program, FirstScanRow::Row3);
    ASSERT_EQ(drawn.items[1].characterEnds.size(), 2u);
    const auto read = ReadSketch(sketch);
    ASSERT_TRUE(read && std::holds_alternative<ProgramFrames>(*read));
    EXPECT_EQ(std::get<ProgramFrames>(*read), drawn);

    // The second page's ends, the last four words, say by hand nothing but
    // column 63: that page shows one step, its whole self, then holds.
    const std::size_t secondEnds = 64 + 64 + 4 + 64;
    const QString edited = WithWords(sketch, secondEnds, {0, 0, 0, 0x8000});
    const auto handRead = ReadSketch(edited);
    ASSERT_TRUE(handRead && std::holds_alternative<ProgramFrames>(*handRead));
    const ProgramFrames& hand = std::get<ProgramFrames>(*handRead);
    EXPECT_EQ(hand.items[1].characterEnds[0], drawn.items[1].characterEnds[0]);
    EXPECT_EQ(hand.items[1].characterEnds[1], CharacterEnds().set(63));
    const std::vector<ShownImage> handPlayed = PlayedShow(ShowsOf(hand), 1);
    ASSERT_EQ(handPlayed.size(), 4u + 2u + 1u);
    EXPECT_EQ(handPlayed[4].words, drawn.items[1].pages[1]);
    EXPECT_EQ(handPlayed[4].columns, handPlayed[0].columns) << "a step as long as the first page's";

    // One page more than the words hold, on the item's own row.
    const QString row = QStringLiteral("{ 9, 64, 2,");
    ASSERT_EQ(sketch.count(row), 1);
    const QString tooMany = QString(sketch).replace(row, QStringLiteral("{ 9, 64, 3,"));
    const SketchReading refused = ReadSketchOrWhy(tooMany);
    EXPECT_FALSE(refused.sketch);
    EXPECT_EQ(refused.refusal.line, tooMany.left(tooMany.indexOf(QStringLiteral("{ 9, 64, 3,"))).count(u'\n') + 1);
    EXPECT_TRUE(refused.refusal.why.contains(QStringLiteral("第 2 項"))) << refused.refusal.why.toStdString();
    EXPECT_TRUE(refused.refusal.why.contains(StyleName(ItemStyle::ByCharacter))) << refused.refusal.why.toStdString();
}

}  // namespace
}  // namespace award
