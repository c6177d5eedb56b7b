// Program items with a picture: the picture leads its text as one line, its
// strips of a character's width paged as characters are, alone it is placed
// by 對齊, and it counts in the flash the program takes as the columns it shows.

#include "ItemStylePrinter.h"
#include "PictureSamples.h"
#include "conversion/BannerConverter.h"
#include "notices/Notices.h"
#include "picture/PictureLeds.h"
#include "program/ProgramConverter.h"
#include "program/ProgramWriter.h"
#include "reading/SketchReader.h"
#include "sign/ColumnWords.h"
#include "sign/SignGeometry.h"
#include "surface/DrawingSurface.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>

namespace award {
namespace {

// One page as the test expects it: the picture's columns from..to at the
// left, then the text drawn alone as a phrase is, moved right by as much.
struct PageRecipe {
    int pictureFrom;
    int pictureTo;
    const char16_t* text;
};

struct PictureLineRow {
    const char* name;
    int pictureColumns;
    const char16_t* text;
    std::vector<PageRecipe> pages;
};

void PrintTo(const PictureLineRow& row, std::ostream* out) { *out << row.name; }

class PictureLine : public ::testing::TestWithParam<PictureLineRow> {
protected:
    void SetUp() override {
        phraseSurface.SetScaleMode(DrawingSurface::Pixels);
        phraseSurface.SetFontSize(kCharacterPoints);
    }

    DrawingSurface surface;
    ProgramConverter converter{surface};
    // The text drawn as the run buttons draw a phrase, apart from the program.
    DrawingSurface phraseSurface;
    BannerConverter phrases{phraseSurface};
};

TEST_P(PictureLine, PagesTakeWholeStripsAndCharactersAndTheTextFollowsThePicture) {
    const ItemPicture picture = PatternPicture(GetParam().pictureColumns, 3);
    const std::vector<std::uint16_t> columns = PictureColumns(picture);
    const QString text = QString::fromUtf16(GetParam().text);
    const auto pages = converter.Pages(text, ItemAlign::Left, FirstScanRow::Row3, columns);
    ASSERT_EQ(pages.size(), GetParam().pages.size());
    for (std::size_t p = 0; p < pages.size(); ++p) {
        SCOPED_TRACE("page " + std::to_string(p + 1));
        const PageRecipe& recipe = GetParam().pages[p];
        ColumnWords expected{};
        std::copy(columns.begin() + recipe.pictureFrom, columns.begin() + recipe.pictureTo, expected.begin());
        const int room = kSignColumns - (recipe.pictureTo - recipe.pictureFrom);
        const QString pageText = QString::fromUtf16(recipe.text);
        if (!pageText.isEmpty()) {
            const ColumnWords alone = phrases.ScanPhrase(pageText, FirstScanRow::Row3);
            ASSERT_TRUE(std::all_of(alone.begin() + room, alone.end(), [](std::uint16_t w) { return w == 0; }))
                << "the text does not fit beside the picture";
            std::copy_n(alone.begin(), room, expected.begin() + (kSignColumns - room));
        }
        EXPECT_EQ(pages[p], expected);
    }

    const ProgramItem item{text, ItemStyle::Static, 1.5, MarqueeSpeed::Medium, ItemAlign::Left, picture};
    const ProgramFrames frames = converter.Frames({item}, FirstScanRow::Row3);
    EXPECT_EQ(frames.items.at(0).pages, pages);
    EXPECT_LE(ProgramConverter::LeastFlashBytes({item}), ProgramWriter::FlashBytes(ProgramWriter::Words(frames), 1));
}

INSTANTIATE_TEST_SUITE_P(
    Items, PictureLine,
    ::testing::Values(PictureLineRow{"NarrowPictureThenTheTextOnOnePage", 20, u"恭喜", {{0, 20, u"恭喜"}}},
                      PictureLineRow{"TextGoesOnAfterThePicturesPage", 24, u"恭喜本校資訊科",
                                     {{0, 24, u"恭喜"}, {0, 0, u"本校資訊"}, {0, 0, u"科"}}},
                      PictureLineRow{"WidePictureGivesWholePagesThenLeadsTheText", 150, u"恭喜",
                                     {{0, 64, u""}, {64, 128, u""}, {128, 150, u"恭喜"}}},
                      PictureLineRow{"NoRoomBesideThePictureForACharacter", 60, u"恭喜", {{0, 60, u""}, {0, 0, u"恭喜"}}},
                      PictureLineRow{"PictureTwoSignsWideAlone", 128, u"", {{0, 64, u""}, {64, 128, u""}}},
                      PictureLineRow{"ALineBreakEndsThePicturesLine", 20, u"恭\n喜", {{0, 20, u"恭"}, {0, 0, u"喜"}}}),
    [](const auto& row) { return std::string(row.param.name); });

// Alone and narrower than the sign, a picture stands where 對齊 puts it: at
// the left edge, or its lit LEDs in the middle as a text's ink is.
TEST(ProgramPictureAlone, StandsWhereItsAlignmentPutsIt) {
    DrawingSurface surface;
    ProgramConverter converter(surface);
    const std::vector<std::uint16_t> columns = PictureColumns(PatternPicture(20, 8));
    const auto left = converter.Pages(u"", ItemAlign::Left, FirstScanRow::Row3, columns);
    ASSERT_EQ(left.size(), 1u);
    EXPECT_TRUE(std::equal(columns.begin(), columns.end(), left[0].begin()));
    EXPECT_TRUE(std::all_of(left[0].begin() + 20, left[0].end(), [](std::uint16_t w) { return w == 0; }));

    const auto centred = converter.Pages(u"", ItemAlign::Centre, FirstScanRow::Row3, columns);
    ASSERT_EQ(centred.size(), 1u);
    const auto inked = [](std::uint16_t w) { return w != 0; };
    const auto from = std::find_if(centred[0].begin(), centred[0].end(), inked);
    const auto darkRight = std::find_if(centred[0].rbegin(), centred[0].rend(), inked) - centred[0].rbegin();
    EXPECT_LE(std::abs((from - centred[0].begin()) - darkRight), 1);
    const auto ink = std::find_if(columns.begin(), columns.end(), inked);
    EXPECT_TRUE(std::equal(ink, std::find_if(columns.rbegin(), columns.rend(), inked).base(), from));
}

// A 左移 item scrolls the picture with its text right after it, the sketch
// reads back as drawn, and the notices count the picture's columns in the
// flash the program takes.
TEST(ProgramPictureScroll, TheTextFollowsThePictureAndFlashCountsItsColumns) {
    DrawingSurface surface;
    ProgramConverter converter(surface);
    const ItemPicture picture = PatternPicture(37, 11);
    ProgramItem text{QStringLiteral("恭喜 林同學"), ItemStyle::ScrollLeft};
    ProgramItem both = text;
    both.picture = picture;

    const auto alone = converter.Frames({text}, FirstScanRow::Row3).items.at(0).columns;
    std::vector<std::uint16_t> expected = PictureColumns(picture);
    expected.insert(expected.end(), alone.begin(), alone.end());
    EXPECT_EQ(converter.Frames({both}, FirstScanRow::Row3).items.at(0).columns, expected);

    converter.ConvertProgram({text}, {});
    const long long textFlash = converter.LastReport().flashBytes;
    converter.ConvertProgram({both}, {});
    EXPECT_EQ(converter.LastReport().flashBytes - textFlash, 2 * 37);

    ProgramItem paged{QStringLiteral("恭喜"), ItemStyle::Static};
    paged.picture = PatternPicture(150, 2);
    // The preview and the upload read the sketch back as it was drawn.
    const auto read = ReadSketch(converter.ConvertProgram({paged, both}, {}));
    const auto* program = read ? std::get_if<ProgramFrames>(&*read) : nullptr;
    ASSERT_TRUE(program);
    EXPECT_EQ(*program, converter.Frames({paged, both}, FirstScanRow::Row3));

    converter.ConvertProgram({paged}, {});
    const QStringList notices =
        ProgramNotices(converter.LastReport(), {surface.FontName(), surface.ResolvedFace(), surface.DrawsChinese()});
    EXPECT_TRUE(notices.last().contains(QStringLiteral("共 1 項、3 頁"))) << notices.join('\n').toStdString();
}

}  // namespace
}  // namespace award
