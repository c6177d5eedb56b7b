#include "SketchChecks.h"
#include "conversion/BannerConverter.h"
#include "sign/ColumnWords.h"
#include "surface/DrawingSurface.h"

#include <gtest/gtest.h>

namespace award {
namespace {

struct HostileText {
    const char* what;
    QString text;
};

QString Repeated(const QString& piece, qsizetype totalSize) {
    return piece.repeated(totalSize / piece.size() + 1).left(totalSize);
}

std::vector<HostileText> HostileTexts() {
    const QChar loneHigh(char16_t(0xD83D));
    const QChar loneLow(char16_t(0xDE00));
    return {
        {"emoji and other planes", QStringLiteral("😀🎉 𠀋𡃁 🇹🇼 ")},
        {"lone surrogates", QString(loneHigh) + QStringLiteral("國 ") + QString(loneLow) + QStringLiteral(" ") +
                                QString(loneLow) + QString(loneHigh) + QStringLiteral(" ")},
        {"NUL and control characters", QString(QChar(0)) + QStringLiteral("國\x01\x1b[31m\x7f\u0085 \r\n\f\v ")},
        {"tabs and ideographic spaces", QStringLiteral("恭\t喜 　賀　 \t ")},
        {"right-to-left text", QStringLiteral("שלום עולם مرحبا \u202e國中\u202c ")},
        {"combining marks", QStringLiteral("e\u0301\u0301\u0301\u0301 國\u0300\u20dd \u0301 ")},
        {"a 1,000-character phrase", Repeated(QStringLiteral("國立臺中"), 1000) + QStringLiteral(" ")},
        {"unassigned and private-use code points", QStringLiteral("\uE000\uFFFF\U0010FFFF\uFFFE ")},
    };
}

int Spaces(const QString& text) { return static_cast<int>(text.count(u' ')); }

TEST(HostileInput, EveryTextGivesAWellFormedSketch) {
    for (const bool bold : {false, true}) {
        DrawingSurface surface;
        surface.SetFontBold(bold);
        surface.SetFontItalic(bold);
        BannerConverter converter(surface);
        for (const auto& [what, text] : HostileTexts()) {
            for (const FirstScanRow firstRow : {FirstScanRow::Row1, FirstScanRow::Row3}) {
                int rows = -1;
                EXPECT_EQ(test::CheckSketchForm(converter.ConvertBanner(text, firstRow), &rows), "")
                    << what;
                EXPECT_EQ(rows, Spaces(text)) << what;
            }
        }
    }
}

// A megabyte without a space is one unconverted piece; a megabyte of phrases
// is far more than the board holds, and is refused without a sketch.
TEST(HostileInput, AMegabyteOfText) {
    DrawingSurface surface;
    BannerConverter converter(surface);
    const QString noSpace = Repeated(QStringLiteral("國"), 1 << 20);
    int rows = -1;
    EXPECT_EQ(test::CheckSketchForm(converter.ConvertBanner(noSpace, FirstScanRow::Row3), &rows), "");
    EXPECT_EQ(rows, 0);

    const QString phrases = Repeated(QStringLiteral("國立臺中 資訊科 一 恭喜賀喜同學 "), 1 << 20);
    EXPECT_TRUE(converter.ConvertBanner(phrases, FirstScanRow::Row3).isEmpty());
    EXPECT_TRUE(converter.LastRunReport().refusal);
    EXPECT_EQ(converter.LastRunReport().phrases, Spaces(phrases));
}

// Control characters, and the invisible ones that text pasted from word
// processors and web pages carries, draw nothing: not even a missing-glyph box.
TEST(HostileInput, InvisibleCharactersDrawNothing) {
    DrawingSurface surface;
    BannerConverter converter(surface);
    const ColumnWords plain = converter.ScanPhrase(QStringLiteral("國中"), FirstScanRow::Row3);
    for (const QString& invisible :
         {QStringLiteral("\x01\x1b\x7f"), QStringLiteral("\u200b\u200d\ufe0f"), QStringLiteral("\u200e\u200f\u2060\ufeff\u00ad"),
          QStringLiteral("\U000E0001\U000E0041\u180e\u034f")}) {
        const QString mixed = invisible + QStringLiteral("國") + invisible + QStringLiteral("中") + invisible;
        EXPECT_EQ(converter.ScanPhrase(mixed, FirstScanRow::Row3), plain) << mixed.toStdString();
        for (auto word : converter.ScanPhrase(invisible, FirstScanRow::Row3)) EXPECT_EQ(word, 0) << invisible.toStdString();
    }
    for (auto word : converter.ScanPhrase(QString(4, QChar(0)), FirstScanRow::Row3)) EXPECT_EQ(word, 0);
}

// A phrase far too long for the sign stops being drawn once it has passed the
// surface; the pen never runs off the end of an int.
TEST(HostileInput, AHugePhraseIsCutAtTheSurface) {
    DrawingSurface surface;
    BannerConverter converter(surface);
    const QString huge = Repeated(QStringLiteral("國"), 1 << 24) + QStringLiteral(" ");
    converter.ConvertBanner(huge, FirstScanRow::Row3);
    ASSERT_EQ(converter.LastRunReport().cutPhrases.size(), 1u);
    EXPECT_LT(surface.LastPrintInkRight(), 2 * DrawingSurface::kWidth);
    EXPECT_EQ(converter.ScanPhrase(huge, FirstScanRow::Row3), converter.ScanPhrase(huge.left(8), FirstScanRow::Row3));
}

}  // namespace
}  // namespace award
