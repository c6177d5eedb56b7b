#include "ItemStylePrinter.h"
#include "conversion/BannerConverter.h"
#include "program/ProgramConverter.h"
#include "notices/Notices.h"
#include "phrases/PhraseFormat.h"
#include "sign/MeasuredCapacities.h"
#include "sign/SignTiming.h"
#include "surface/DrawingSurface.h"

#include <gtest/gtest.h>

#include <ostream>

namespace award {
namespace {

class RunNoticesTest : public ::testing::Test {
protected:
    QStringList NoticesFor(const QString& text) {
        converter.ConvertBanner(text, FirstScanRow::Row3);
        return RunNotices(converter.LastRunReport(), Face());
    }
    FaceStatus Face() {
        return {surface.FontName(), surface.ResolvedFace(), surface.DrawsChinese()};
    }
    static bool Mentions(const QStringList& notices, const QString& words) {
        return std::any_of(notices.begin(), notices.end(),
                           [&](const QString& n) { return n.contains(words); });
    }
    DrawingSurface surface;
    BannerConverter converter{surface};
};

TEST_F(RunNoticesTest, APhraseWiderThanTheSignIsNamedByNumberAndText) {
    const QStringList notices = NoticesFor(QStringLiteral("恭喜 程式設計大賽 全國第一 "));
    ASSERT_EQ(converter.LastRunReport().cutPhrases.size(), 1u);
    EXPECT_EQ(converter.LastRunReport().cutPhrases[0].number, 2);
    EXPECT_TRUE(Mentions(notices, QStringLiteral("第 2 句「程式設計大賽」"))) << notices.join('\n').toStdString();
    // Four full-width characters exactly fill the sign and are not cut.
    EXPECT_FALSE(Mentions(NoticesFor(QStringLiteral("全國第一 程式設計 ")), QStringLiteral("切掉")));
}

TEST_F(RunNoticesTest, ItalicOrBoldFourCharacterPhrasesStillFit) {
    for (const auto& [bold, italic] : {std::pair(true, false), std::pair(false, true), std::pair(true, true)}) {
        surface.SetFontBold(bold);
        surface.SetFontItalic(italic);
        for (const QString& face : {kMingFaceName, kKaiFaceName}) {
            surface.SetFontName(face);
            EXPECT_TRUE(NoticesFor(QStringLiteral("全國第一 程式設計 三年丁班 品學兼優 ")).filter(QStringLiteral("切掉")).isEmpty())
                << face.toStdString() << (bold ? " bold" : "") << (italic ? " italic" : "");
        }
    }
}

TEST_F(RunNoticesTest, ATextWithoutTheLastSpaceQuotesWhatWasLeftOut) {
    const QStringList notices = NoticesFor(QStringLiteral("恭喜 賀"));
    EXPECT_EQ(converter.LastRunReport().unconvertedTail, QStringLiteral("賀"));
    EXPECT_TRUE(Mentions(notices, QStringLiteral("「賀」後面沒有空白")));
    EXPECT_FALSE(Mentions(NoticesFor(QStringLiteral("恭喜 賀 ")), QStringLiteral("沒有空白")));
}

// Past what SRAM holds the table moves to flash, and the notices say how much
// room is left; past what flash holds the run is refused and they say by how much.
TEST_F(RunNoticesTest, TheTableSizeAgainstTheBoardsMemories) {
    const struct {
        int phrases;
        const char* mentioned;  // nothing: neither memory is mentioned
    } cases[] = {
        {kMega2560MaxPhrases, nullptr},
        {kMega2560MaxPhrases + 1, "flash"},
        {kMega2560MaxFlashPhrases, "還可以再加 0 句"},
        {kMega2560MaxFlashPhrases + 3, "多了 3 句"},
    };
    for (const auto& c : cases) {
        const QStringList notices = NoticesFor(QStringLiteral("賀 ").repeated(c.phrases));
        const bool refused = c.phrases > kMega2560MaxFlashPhrases;
        EXPECT_EQ(bool(converter.LastRunReport().refusal), refused) << c.phrases;
        EXPECT_EQ(Mentions(notices, QStringLiteral("轉換完成")), !refused) << c.phrases;
        if (!c.mentioned) {
            EXPECT_FALSE(Mentions(notices, QStringLiteral("flash")) || Mentions(notices, QStringLiteral("多了")));
            continue;
        }
        EXPECT_TRUE(Mentions(notices, QString::fromUtf8(c.mentioned))) << notices.join('\n').toStdString();
        EXPECT_TRUE(Mentions(notices, QStringLiteral("共 %1 句").arg(c.phrases)));
    }
}

TEST_F(RunNoticesTest, AStandInFaceIsNamed) {
    surface.SetFontName(kKaiFaceName);
    const auto drawing = surface.ResolvedFace();
    ASSERT_TRUE(drawing.has_value());
    const QStringList notices = NoticesFor(QStringLiteral("賀 "));
    EXPECT_EQ(Mentions(notices, QStringLiteral("已用「%1」代替").arg(drawing->family)),
              drawing->family != kKaiFaceName);
}

TEST_F(RunNoticesTest, NoChineseFaceComesFirst) {
    RunReport report;
    report.frames = 2;
    const QStringList none = RunNotices(report, {kMingFaceName, std::nullopt, false});
    EXPECT_TRUE(none.front().contains(QStringLiteral("找不到中文字型")));
    const QStringList latinOnly =
        RunNotices(report, {kMingFaceName, InstalledFace{"DejaVu Sans", "/x.ttf", 0}, false});
    EXPECT_TRUE(latinOnly.front().contains(QStringLiteral("找不到中文字型")));
    EXPECT_FALSE(Mentions(latinOnly, QStringLiteral("代替")));
}

TEST_F(RunNoticesTest, TheLastLineSaysWhatTheRunMade) {
    EXPECT_TRUE(NoticesFor(QStringLiteral("恭喜 賀 ")).last().contains(QStringLiteral("共 2 句")));
    EXPECT_TRUE(NoticesFor(QStringLiteral("恭喜")).last().contains(QStringLiteral("沒有轉換任何一句")));
}

// A character the chosen face lacks is named once per phrase, or per item of
// a program. U+E000 is private use, which neither face draws; 卐 is in the
// Ming face, not the Kai.
struct MissingGlyphCase {
    const char* name;
    const QString& face;
    DisplayMode mode;
    QString text;
    QStringList named;  // each once in the notices, and nothing else missing
    // The text's phrases as the items of a program, 左移 for a marquee.
    bool program = false;
};

void PrintTo(const MissingGlyphCase& c, std::ostream* out) { *out << c.name; }

class MissingGlyphNotice : public testing::TestWithParam<MissingGlyphCase> {};

TEST_P(MissingGlyphNotice, NamesEachCharacterTheFaceCannotDraw) {
    const MissingGlyphCase& c = GetParam();
    DrawingSurface surface;
    const ConversionOptions options{{c.face, false, false}, FirstScanRow::Row3, c.mode, MarqueeSpeed::Medium};
    QString notices;
    std::size_t missing = 0;
    if (c.program) {
        Program program;
        for (const QString& text : c.text.split(u' ', Qt::SkipEmptyParts))
            program.push_back({text, c.mode == DisplayMode::Marquee ? ItemStyle::ScrollLeft : ItemStyle::Static});
        ProgramConverter converter(surface);
        converter.ConvertProgram(program, options);
        notices = ProgramNotices(converter.LastReport(), {c.face, surface.ResolvedFace(), surface.DrawsChinese()}).join(u'\n');
        missing = converter.LastReport().missingGlyphs.size();
    } else {
        BannerConverter converter(surface);
        converter.Convert(c.text, options);
        notices = RunWarnings(converter.LastRunReport()).join(u'\n');
        missing = converter.LastRunReport().missingGlyphs.size();
    }
    EXPECT_EQ(missing, std::size_t(c.named.size())) << notices.toStdString();
    for (const QString& named : c.named) EXPECT_EQ(notices.count(named), 1) << named.toStdString();
}

const QString kPrivateUse = QString(QChar(0xE000));

INSTANTIATE_TEST_SUITE_P(
    Faces, MissingGlyphNotice,
    testing::Values(
        MissingGlyphCase{"PrivateUse", kMingFaceName, DisplayMode::Phrases, "恭喜 林" + kPrivateUse + " ",
                         {"第 2 句的「" + kPrivateUse + "」字型裡沒有"}},
        MissingGlyphCase{"RareInKai", kKaiFaceName, DisplayMode::Phrases, "恭喜 卐字 ", {"第 2 句的「卐」字型裡沒有"}},
        MissingGlyphCase{"InvisibleIsNotMissing", kMingFaceName, DisplayMode::Phrases, "恭\u200B喜 賀\u00AD\uFEFF ", {}},
        MissingGlyphCase{"OncePerPhrase", kKaiFaceName, DisplayMode::Phrases, "卐卐 恭喜 卐 ",
                         {"第 1 句的「卐」", "第 3 句的「卐」"}},
        MissingGlyphCase{"MarqueeOncePerCharacter", kKaiFaceName, DisplayMode::Marquee,
                         "卐 恭喜 卐 " + kPrivateUse + kPrivateUse, {"「卐」", "「" + kPrivateUse + "」"}},
        MissingGlyphCase{"ProgramItems", kKaiFaceName, DisplayMode::Phrases, "恭喜 卐字卐 林" + kPrivateUse,
                         {"第 2 項的「卐」", "第 3 項的「" + kPrivateUse + "」"}, true},
        MissingGlyphCase{"ProgramScrollingItem", kKaiFaceName, DisplayMode::Marquee, "恭喜 好卐",
                         {"第 2 項的「卐」"}, true}),
    [](const auto& row) { return std::string(row.param.name); });

// Texts are counted and cut where a reader sees one character end: a
// character beyond U+FFFF is two code units, a variation selector belongs to
// the character before it.
struct SeenCharactersCase {
    const char* name;
    DisplayMode mode;
    QString text;
    QString said;
};

void PrintTo(const SeenCharactersCase& c, std::ostream* out) { *out << c.name; }

class SeenCharacters : public testing::TestWithParam<SeenCharactersCase> {};

TEST_P(SeenCharacters, CountAndCutTheTextInTheNotices) {
    const SeenCharactersCase& c = GetParam();
    DrawingSurface surface;
    BannerConverter converter(surface);
    converter.Convert(c.text, {{kMingFaceName, false, false}, FirstScanRow::Row3, c.mode, MarqueeSpeed::Medium});
    const QString notices = RunNotices(converter.LastRunReport(), {}).join(u'\n');
    EXPECT_TRUE(notices.contains(c.said)) << notices.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Notices, SeenCharacters,
    testing::Values(
        SeenCharactersCase{"QuotedUpToAPairOfCodeUnits", DisplayMode::Phrases, QStringLiteral("恭喜 一二三四五六七𠀀八"),
                           QStringLiteral("「一二三四五六七𠀀…」")},
        SeenCharactersCase{"QuotedWithItsVariationSelector", DisplayMode::Phrases,
                           QStringLiteral("恭喜 一二三四五六七賀\uFE00八"), QStringLiteral("「一二三四五六七賀\uFE00…」")},
        SeenCharactersCase{"EightCharactersQuotedWhole", DisplayMode::Phrases, QStringLiteral("恭喜 一二三四五六𠀀𠀁"),
                           QStringLiteral("「一二三四五六𠀀𠀁」")},
        SeenCharactersCase{"TooWidePhraseQuotedWhole", DisplayMode::Phrases, QStringLiteral("一二三四五𠀀𠀁 "),
                           QStringLiteral("第 1 句「一二三四五𠀀𠀁」太長")},
        SeenCharactersCase{"MarqueeCountsPairsOnce", DisplayMode::Marquee, QStringLiteral("𠀀𠀁𠀂𠀃"), QStringLiteral("共 4 個字")},
        SeenCharactersCase{"MarqueeCountsVariationSelectorsWithTheirCharacter", DisplayMode::Marquee,
                           QStringLiteral("賀\uFE00賀\uFE00"), QStringLiteral("共 2 個字")}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(CopyNotice, SaysHowManyFramesAndWhetherTheBoardCanRunThem) {
    PhraseFrames sketch;
    sketch.frames.resize(15);
    EXPECT_TRUE(CopyNotice(SketchForm{sketch}).contains(QStringLiteral("15 個畫面")));
    EXPECT_TRUE(CopyNotice(std::nullopt).contains(QStringLiteral("不是完整的程式")));
    // A table in SRAM, made by hand, with more frames than SRAM holds.
    sketch.frames.resize(kMega2560MaxPhrases + 1);
    EXPECT_TRUE(CopyNotice(SketchForm{sketch}).contains(QStringLiteral("無法執行")));
    sketch.store = TableStore::Flash;
    EXPECT_FALSE(CopyNotice(SketchForm{sketch}).contains(QStringLiteral("無法執行")));
}

}  // namespace
}  // namespace award
