// The program run: texts cut into pages of whole characters, the sketch read
// back as written and as edited by hand, a program too long for the board
// refused, and the notices of its length.

#include "ItemStylePrinter.h"
#include "conversion/BannerConverter.h"
#include "reading/SketchReader.h"
#include "notices/Notices.h"
#include "program/ProgramConverter.h"
#include "sign/ColumnWords.h"
#include "sign/MeasuredCapacities.h"
#include "sign/Mega2560.h"
#include "sign/SignGeometry.h"
#include "sign/SignTiming.h"
#include "surface/DrawingSurface.h"

#include <QLocale>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <numeric>
#include <ostream>

namespace award {
namespace {

struct PagingRow {
    const char* name;
    const char16_t* text;
    ItemAlign align;
};

void PrintTo(const PagingRow& row, std::ostream* out) { *out << row.name; }

class ProgramPaging : public ::testing::TestWithParam<PagingRow> {
protected:
    DrawingSurface surface;
    ProgramConverter converter{surface};
};

// Put back together, the pages are the text: each is the longest run of the
// text's characters that the sign shows whole, drawn as a phrase is drawn,
// and centred on the sign when asked.
TEST_P(ProgramPaging, PagesHoldAsManyWholeCharactersAsTheSignShows) {
    const QString text = QString::fromUtf16(GetParam().text);
    const auto pages = converter.Pages(text, GetParam().align, FirstScanRow::Row3);
    DrawingSurface other;
    other.SetScaleMode(DrawingSurface::Pixels);
    other.SetFontSize(12);
    BannerConverter phrases(other);
    qsizetype start = 0;
    for (std::size_t p = 0; p < pages.size(); ++p) {
        SCOPED_TRACE("page " + std::to_string(p + 1));
        qsizetype end = start + 1;
        ColumnWords expected{};
        while (end <= text.size()) {
            const ColumnWords words = phrases.ScanPhrase(QStringView(text).mid(start, end - start), FirstScanRow::Row3);
            if (other.LastPrintInkRight() > kSignColumns) break;
            expected = words;
            ++end;
        }
        ASSERT_GT(end, start + 1) << "a page without a character";
        start = end - 1;
        if (GetParam().align == ItemAlign::Left) {
            EXPECT_EQ(pages[p], expected);
        } else {
            const auto inked = [](std::uint16_t w) { return w != 0; };
            const auto left = std::find_if(pages[p].begin(), pages[p].end(), inked) - pages[p].begin();
            const auto right = std::find_if(pages[p].rbegin(), pages[p].rend(), inked) - pages[p].rbegin();
            EXPECT_LE(std::abs(left - right), 1) << left << " dark columns left, " << right << " right";
        }
    }
    EXPECT_EQ(start, text.size()) << "text left over";
}

INSTANTIATE_TEST_SUITE_P(Texts, ProgramPaging,
                         ::testing::Values(PagingRow{"FourCharactersOnePage", u"全國第一", ItemAlign::Left},
                                           PagingRow{"LongSentenceLeft", u"恭喜本校資訊科三年甲班林同學榮獲金牌", ItemAlign::Left},
                                           PagingRow{"MixedWidthsCentred", u"第1名ABC同學iii好陳怡君", ItemAlign::Centre}),
                         [](const auto& row) { return std::string(row.param.name); });

TEST(ProgramPages, ALineBreakStartsAPageAndAnEmptyTextIsOneDarkPage) {
    DrawingSurface surface;
    ProgramConverter converter(surface);
    const auto broken = converter.Pages(u"恭\r\n喜", ItemAlign::Left, FirstScanRow::Row3);
    ASSERT_EQ(broken.size(), 2u);
    EXPECT_EQ(broken[1], converter.Pages(u"喜", ItemAlign::Left, FirstScanRow::Row3).front());
    EXPECT_EQ(converter.Pages(u"", ItemAlign::Centre, FirstScanRow::Row3), std::vector<ColumnWords>(1));
}

// A page ends where a reader sees a character end: an accent the face draws
// beside its letter, past the sign's last column, takes the letter with it to
// the next page.
TEST(ProgramPages, ACharacterKeepsItsAccentOnItsPage) {
    DrawingSurface surface;
    ProgramConverter converter(surface);
    const auto pages = converter.Pages(u"國國國國\u0301國", ItemAlign::Left, FirstScanRow::Row3);
    ASSERT_EQ(pages.size(), 2u);
    EXPECT_EQ(pages[0], converter.Pages(u"國國國", ItemAlign::Left, FirstScanRow::Row3).front());
    EXPECT_EQ(pages[1], converter.Pages(u"國\u0301國", ItemAlign::Left, FirstScanRow::Row3).front());
}

class ProgramSketch : public ::testing::Test {
protected:
    const Program program{
        {QStringLiteral("恭喜本校資訊科"), ItemStyle::Static, 2.0, MarqueeSpeed::Medium, ItemAlign::Left},
        {QStringLiteral("賀"), ItemStyle::Blink, 0.5},
        {QStringLiteral("金牌"), ItemStyle::ScrollUp, 1.5, MarqueeSpeed::Fast},
        {QStringLiteral("林同學"), ItemStyle::Wipe, 3.0, MarqueeSpeed::Slow},
        {QStringLiteral("好 棒"), ItemStyle::ScrollLeft, 1.5, MarqueeSpeed::Fast},
    };
    DrawingSurface surface;
    ProgramConverter converter{surface};
};

TEST_F(ProgramSketch, ReadsBackAsWrittenAndAsEditedByHand) {
    const QString sketch = converter.ConvertProgram(program, {});
    ASSERT_FALSE(converter.LastReport().refusal);
    EXPECT_FALSE(sketch.contains(QRegularExpression("[^\r]\n")));
    const auto read = ReadSketch(sketch);
    const auto* readProgram = read ? std::get_if<ProgramFrames>(&*read) : nullptr;
    ASSERT_TRUE(readProgram);
    EXPECT_EQ(*readProgram, converter.Frames(program, FirstScanRow::Row3));
    EXPECT_EQ(readProgram->items[0].holdSweeps, HoldSweeps(2.0));

    // The first item's hold, written in hex by hand, and the blink made a wipe.
    QString edited = sketch;
    edited.replace(QStringLiteral("{ 0, 0, 2, 313, 8}"), QStringLiteral("{ 0, 0, 2, 0x200 /*longer*/, 8}"));
    edited.replace(QStringLiteral("{ 3, 128, 1,"), QStringLiteral("{ 4, 128, 1,"));
    ASSERT_NE(edited, sketch);
    const auto handRead = ReadSketch(edited);
    const auto* handProgram = handRead ? std::get_if<ProgramFrames>(&*handRead) : nullptr;
    ASSERT_TRUE(handProgram);
    EXPECT_EQ(handProgram->items[0].holdSweeps, 0x200u);
    EXPECT_EQ(handProgram->items[1].style, ItemStyle::Wipe);

    // Pages past the end of the words, or a driver changed, are no sketch of ours.
    EXPECT_FALSE(ReadSketch(QString(sketch).replace(QStringLiteral("{ 0, 0, 2,"), QStringLiteral("{ 0, 0, 200,"))));
    EXPECT_FALSE(ReadSketch(QString(sketch).replace(QStringLiteral("playItem(itemField"), QStringLiteral("playShow(itemField"))));
}

TEST_F(ProgramSketch, OneCycleOfTheTimelineAndTheNoticesAgree) {
    converter.ConvertProgram(program, {});
    const ProgramReport& report = converter.LastReport();
    const ProgramFrames frames = converter.Frames(program, FirstScanRow::Row3);
    const auto timeline = PlayedCycle(ShowsOf(frames));
    const auto columns = std::accumulate(timeline.begin(), timeline.end(), std::uint64_t{0},
                                         [](std::uint64_t sum, const ShownImage& image) { return sum + image.columns; });
    EXPECT_EQ(columns, CycleColumns(ShowsOf(frames)));
    EXPECT_NEAR(report.secondsPerCycle, static_cast<double>(columns) * kSweepMilliseconds / kSignColumns / 1000, 1e-9);
    EXPECT_EQ(report.items, 5);
    EXPECT_EQ(report.pages, 2 + 1 + 1 + 1);
    const QStringList notices = ProgramNotices(report, {surface.FontName(), surface.ResolvedFace(), surface.DrawsChinese()});
    EXPECT_TRUE(notices.last().contains(QStringLiteral("共 5 項、5 頁"))) << notices.join('\n').toStdString();
}

TEST_F(ProgramSketch, AProgramTooLongForTheBoardIsRefusedSayingByHowMuch) {
    const Program tooLong{{QStringLiteral("國").repeated(kMarqueeMaxColumns / 16 + 100), ItemStyle::Static}};
    EXPECT_TRUE(converter.ConvertProgram(tooLong, {}).isEmpty());
    const ProgramReport& report = converter.LastReport();
    ASSERT_TRUE(report.refusal);
    EXPECT_GT(report.flashBytes, kMega2560ProgramBytes);
    EXPECT_TRUE(report.refusal.why.contains(QLocale(QLocale::English).toString(report.flashBytes - kMega2560ProgramBytes)))
        << report.refusal.why.toStdString();
    EXPECT_TRUE(converter.ConvertProgram({}, {}).isEmpty());
    EXPECT_TRUE(converter.LastReport().refusal);
}

// Ten thousand pasted lines cannot fit, and are refused before a page is
// drawn; a long program that fits reports its drawing and may be stopped.
TEST_F(ProgramSketch, DrawingIsSkippedWhenTheLinesCannotFitAndCanBeStopped) {
    std::vector<std::pair<qsizetype, qsizetype>> told;
    bool stop = false;
    converter.SetProgress([&](qsizetype done, qsizetype total) {
        told.emplace_back(done, total);
        return !stop;
    });
    const Program pasted{{QStringLiteral("賀\n").repeated(10000), ItemStyle::Static}};
    EXPECT_TRUE(converter.ConvertProgram(pasted, {}).isEmpty());
    EXPECT_TRUE(converter.LastReport().refusal.why.contains(QStringLiteral("至少"))) << converter.LastReport().refusal.why.toStdString();
    EXPECT_TRUE(told.empty());

    const Program fits{{QStringLiteral("恭喜\n").repeated(40), ItemStyle::Static}, {QStringLiteral("賀"), ItemStyle::ScrollLeft}};
    EXPECT_FALSE(converter.ConvertProgram(fits, {}).isEmpty());
    ASSERT_EQ(told.size(), 41u);
    EXPECT_TRUE(std::is_sorted(told.begin(), told.end()));
    EXPECT_EQ(told.back().first, told.back().second);

    told.clear();
    stop = true;
    EXPECT_TRUE(converter.ConvertProgram(fits, {}).isEmpty());
    EXPECT_TRUE(converter.LastReport().refusal);
    EXPECT_EQ(told.size(), 1u);
}

}  // namespace
}  // namespace award
