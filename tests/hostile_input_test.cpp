#include "SketchChecks.h"
#include "conversion/BannerConverter.h"
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
            for (const int firstRow : {1, 3}) {
                int rows = -1;
                EXPECT_EQ(test::CheckSketchForm(converter.ConvertBanner(text, firstRow), &rows), "")
                    << what;
                EXPECT_EQ(rows, Spaces(text)) << what;
            }
        }
    }
}

TEST(HostileInput, AMegabyteOfTextIsConvertedWhole) {
    DrawingSurface surface;
    BannerConverter converter(surface);
    // Phrases of varied length, and one megabyte without any space.
    const QString phrases = Repeated(QStringLiteral("國立臺中 資訊科 一 恭喜賀喜同學 "), 1 << 20);
    const QString noSpace = Repeated(QStringLiteral("國"), 1 << 20);
    for (const QString& text : {phrases, noSpace}) {
        int rows = -1;
        const QString& sketch = converter.ConvertBanner(text, 3);
        EXPECT_EQ(test::CheckSketchForm(sketch, &rows), "");
        EXPECT_EQ(rows, Spaces(text));
    }
}

TEST(HostileInput, ControlCharactersDrawNothing) {
    DrawingSurface surface;
    BannerConverter converter(surface);
    const ColumnWords plain = converter.ScanPhrase(QStringLiteral("國中"), 3);
    const ColumnWords withControls = converter.ScanPhrase(QStringLiteral("\x01國\x1b中\x7f"), 3);
    EXPECT_EQ(plain, withControls);
    for (auto word : converter.ScanPhrase(QString(4, QChar(0)), 3)) EXPECT_EQ(word, 0);
}

}  // namespace
}  // namespace award
