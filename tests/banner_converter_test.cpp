#include "SketchChecks.h"
#include "conversion/BannerConverter.h"
#include "ReadPhrases.h"
#include "reading/SketchReader.h"
#include "phrases/PhraseFormat.h"
#include "sign/ColumnWords.h"
#include "sign/MeasuredCapacities.h"
#include "surface/DrawingSurface.h"

#include <gtest/gtest.h>

namespace award {
namespace {

const QString kSampleBanner = QStringLiteral(
    "賀 本校 資訊科 三年甲班 陳怡君同學 參加 全國技能競賽 榮獲 程式設計 第一名 "
    "指導老師 林建宏 黃淑芬 恭喜 全校同賀 ");

class BannerConverterTest : public ::testing::Test {
protected:
    DrawingSurface surface;
    BannerConverter converter{surface};
};

TEST_F(BannerConverterTest, ASampleNoticeGivesOneRowPerPhrase) {
    int rows = -1;
    const QString sketch = converter.ConvertBanner(kSampleBanner, FirstScanRow::Row3);
    ASSERT_EQ(test::CheckSketchForm(sketch, &rows), "");
    EXPECT_EQ(rows, 15);
    EXPECT_TRUE(sketch.contains(QStringLiteral("\r\nunsigned int num= 15;   //b[][65]資料長度\r\n")));
}

// The sample notice in the Ming face, first scan row 3, as the sign shows it.
// The frames were looked at one by one as pictures before this file was kept;
// any change to drawing, sampling or writing shows up here as a changed byte.
TEST_F(BannerConverterTest, SampleNoticeMatchesTheReviewedSketch) {
    const QString golden = test::ReadGolden("sample_notice_ming_row3.ino");
    ASSERT_FALSE(golden.isEmpty());
    EXPECT_EQ(converter.ConvertBanner(kSampleBanner, FirstScanRow::Row3).toUtf8().toStdString(),
              golden.toUtf8().toStdString());
}

TEST_F(BannerConverterTest, OnlyPiecesFollowedByASpaceBecomeFrames) {
    const struct {
        QString text;
        int rows;
    } cases[] = {
        {QStringLiteral("恭喜 賀"), 1},
        {QStringLiteral("恭喜 賀 "), 2},
        {QStringLiteral("恭喜"), 0},
        {QString(), 0},  // an empty text writes 0, never -1
        {QStringLiteral(" "), 1},
        {QStringLiteral("恭喜  賀 "), 3},
        {QStringLiteral("   "), 3},
        // As many as SRAM holds: still the plain form, line for line.
        {QStringLiteral("賀 ").repeated(kMega2560MaxPhrases), kMega2560MaxPhrases},
    };
    for (const auto& c : cases) {
        int rows = -1;
        EXPECT_EQ(test::CheckSketchForm(converter.ConvertBanner(c.text, FirstScanRow::Row3), &rows), "")
            << c.text.toStdString();
        EXPECT_EQ(rows, c.rows) << '"' << c.text.toStdString() << '"';
    }
}

TEST_F(BannerConverterTest, OnePhraseMoreThanSramHoldsMovesTheTableToFlash) {
    const auto frames = test::ReadPhrases(converter.ConvertBanner(QStringLiteral("賀 ").repeated(kMega2560MaxPhrases + 1), FirstScanRow::Row3));
    ASSERT_TRUE(frames.has_value());
    EXPECT_EQ(frames->store, TableStore::Flash);
    EXPECT_EQ(converter.LastRunReport().store, TableStore::Flash);
    EXPECT_EQ(int(frames->frames.size()), kMega2560MaxPhrases + 1);
}

TEST_F(BannerConverterTest, AnEmptyPhraseBetweenTwoSpacesGivesADarkRow) {
    const auto frames = test::ReadPhrases(converter.ConvertBanner(QStringLiteral("恭喜  賀 "), FirstScanRow::Row3));
    ASSERT_TRUE(frames.has_value());
    ASSERT_EQ(frames->frames.size(), 3u);
    const auto litColumns = [](const ColumnWords& words) {
        return std::count_if(words.begin(), words.end(), [](auto w) { return w != 0; });
    };
    EXPECT_GT(litColumns(frames->frames[0].words), 10);
    EXPECT_EQ(litColumns(frames->frames[1].words), 0);
    EXPECT_GT(litColumns(frames->frames[2].words), 5);
    EXPECT_TRUE(converter.ConvertBanner(QStringLiteral("恭喜  賀 "), FirstScanRow::Row3)
                    .contains(QStringLiteral("\r\n,{1") + QStringLiteral(", 0").repeated(64) +
                              QStringLiteral("}\r\n,{1, ")));
}

TEST_F(BannerConverterTest, APhraseDrawnPastTheWindowGivesAnAllZeroRow) {
    // Four ideographic spaces push the character past column 64.
    const auto frames = test::ReadPhrases(converter.ConvertBanner(QStringLiteral("　　　國 　　　　國 "), FirstScanRow::Row3));
    ASSERT_TRUE(frames.has_value());
    ASSERT_EQ(frames->frames.size(), 2u);
    EXPECT_NE(frames->frames[0].words[50], 0);
    for (auto word : frames->frames[1].words) EXPECT_EQ(word, 0);
}

TEST_F(BannerConverterTest, RowOneRunIsRowThreeRunShiftedByTwoRows) {
    for (const QString& face : {kMingFaceName, kKaiFaceName}) {
        surface.SetFontName(face);
        converter.ConvertBanner(QStringLiteral("恭喜 "), FirstScanRow::Row1);  // sets 12 pixels-per-point units
        const ColumnWords fromOne = converter.ScanPhrase(QStringLiteral("資訊科賀"), FirstScanRow::Row1);
        const ColumnWords fromThree = converter.ScanPhrase(QStringLiteral("資訊科賀"), FirstScanRow::Row3);
        for (int x = 1; x <= 64; ++x) {
            std::uint16_t expected = fromOne[x - 1] >> 2;
            if (surface.Point(x, 17) == 0) expected |= 1u << 14;
            if (surface.Point(x, 18) == 0) expected |= 1u << 15;
            EXPECT_EQ(fromThree[x - 1], expected) << face.toStdString() << " column " << x;
        }
        // Row 3 takes the whole glyph: the row-1 run loses the bottom two rows.
        int lostRows = 0;
        for (auto w : fromThree) lostRows |= w & 0xC000;
        EXPECT_NE(lostRows, 0) << face.toStdString();
    }
}

TEST_F(BannerConverterTest, TheSurfaceKeepsShowingTheLastPhrase) {
    converter.ConvertBanner(QStringLiteral("恭喜 賀 "), FirstScanRow::Row3);
    DrawingSurface reference;
    BannerConverter referenceConverter(reference);
    referenceConverter.ConvertBanner(QString(), FirstScanRow::Row3);
    referenceConverter.ScanPhrase(QStringLiteral("賀"), FirstScanRow::Row3);
    EXPECT_EQ(surface.Image(), reference.Image());

    converter.ConvertBanner(QStringLiteral("無"), FirstScanRow::Row3);
    for (int x = 0; x < DrawingSurface::kWidth; ++x)
        for (int y = 0; y < DrawingSurface::kHeight; ++y)
            ASSERT_EQ(surface.Point(x, y), DrawingSurface::kBackground);
}

TEST_F(BannerConverterTest, StyleChangesReachTheColumnWords) {
    const QString text = QStringLiteral("國中 ");
    const QString regular = converter.ConvertBanner(text, FirstScanRow::Row3);
    surface.SetFontBold(true);
    const QString bold = converter.ConvertBanner(text, FirstScanRow::Row3);
    surface.SetFontBold(false);
    surface.SetFontItalic(true);
    const QString italic = converter.ConvertBanner(text, FirstScanRow::Row3);
    surface.SetFontItalic(false);
    surface.SetFontName(kKaiFaceName);
    const QString kai = converter.ConvertBanner(text, FirstScanRow::Row3);
    EXPECT_NE(regular, bold);
    EXPECT_NE(regular, italic);
    EXPECT_NE(regular, kai);
    EXPECT_NE(bold, italic);
    surface.SetFontName(kMingFaceName);
    EXPECT_EQ(converter.ConvertBanner(text, FirstScanRow::Row3), regular);
}

}  // namespace
}  // namespace award
