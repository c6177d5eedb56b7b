#include "surface/DrawingSurface.h"
#include "surface/GlyphRenderer.h"

#include "StrokeFigures.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QtEndian>

#include <ostream>
#include <stdexcept>
#include <tuple>

namespace award {
namespace {

// The characters of a typical award notice.
const QString kBannerCharacters = QStringLiteral(
    "國立臺中高級工業職業學校資訊科三年甲班陳怡君同學榮獲全國技能競賽程式設計第一名"
    "指導老師林建宏黃淑芬恭喜賀獎狀龍鬱靈體");

struct Style {
    QString face;
    bool bold;
    bool italic;
};

std::string Describe(const Style& s) {
    return s.face.toStdString() + (s.bold ? " bold" : "") + (s.italic ? " italic" : "");
}

const Style kStyles[] = {
    {kMingFaceName, false, false}, {kMingFaceName, true, false}, {kMingFaceName, false, true},
    {kMingFaceName, true, true},   {kKaiFaceName, false, false}, {kKaiFaceName, true, false},
    {kKaiFaceName, false, true},   {kKaiFaceName, true, true},
};

DrawingSurface PreparedSurface(const Style& style) {
    DrawingSurface surface;
    surface.SetScaleMode(DrawingSurface::Pixels);
    surface.SetFontSize(12);
    surface.SetFontName(style.face);
    surface.SetFontBold(style.bold);
    surface.SetFontItalic(style.italic);
    surface.Cls();
    return surface;
}

struct InkBox {
    int top = 1000, bottom = -1, left = 1000, right = -1, pixels = 0;
};

InkBox InkOf(const DrawingSurface& surface) {
    InkBox box;
    for (int y = 0; y < DrawingSurface::kHeight; ++y)
        for (int x = 0; x < DrawingSurface::kWidth; ++x)
            if (surface.Point(x, y) == DrawingSurface::kBlack) {
                box.top = std::min(box.top, y);
                box.bottom = std::max(box.bottom, y);
                box.left = std::min(box.left, x);
                box.right = std::max(box.right, x);
                ++box.pixels;
            }
    return box;
}

TEST(DrawingSurface, ClsLeavesOnlyTheLightBackground) {
    DrawingSurface surface = PreparedSurface(kStyles[0]);
    surface.Print(QStringLiteral("國國國國國"));
    surface.SetCurrentX(5);
    surface.SetCurrentY(7);
    surface.Cls();
    EXPECT_EQ(surface.CurrentX(), 0);
    EXPECT_EQ(surface.CurrentY(), 0);
    for (int y = 0; y < DrawingSurface::kHeight; ++y)
        for (int x = 0; x < DrawingSurface::kWidth; ++x)
            ASSERT_EQ(surface.Point(x, y), DrawingSurface::kBackground) << x << "," << y;
}

TEST(DrawingSurface, PointOutsideTheAreaIsMinusOne) {
    DrawingSurface surface = PreparedSurface(kStyles[0]);
    for (auto [x, y] : {std::pair(-1, 0), std::pair(0, -1), std::pair(DrawingSurface::kWidth, 0),
                        std::pair(0, DrawingSurface::kHeight), std::pair(-1, 3)})
        EXPECT_EQ(surface.Point(x, y), -1) << x << "," << y;
}

TEST(DrawingSurface, ColoursReadBackWithRedInTheLowByte) {
    DrawingSurface surface = PreparedSurface(kStyles[0]);
    surface.PSet(2, 2, 0x0000FF);  // red
    surface.PSet(3, 2, 0xFF0000);  // blue
    EXPECT_EQ(surface.Point(2, 2), 0x0000FF);
    EXPECT_EQ(surface.Point(3, 2), 0xFF0000);
    EXPECT_EQ(qRed(surface.Image().pixel(2, 2)), 255);
    EXPECT_EQ(qBlue(surface.Image().pixel(3, 2)), 255);
}

TEST(DrawingSurface, CoordinatesFollowTheScaleMode) {
    DrawingSurface surface;
    EXPECT_EQ(surface.ScaleMode(), DrawingSurface::Twips);
    surface.Cls();
    surface.SetScaleMode(DrawingSurface::Pixels);
    surface.PSet(4, 6, DrawingSurface::kBlack);
    surface.SetScaleMode(DrawingSurface::Twips);
    EXPECT_EQ(surface.Point(4 * 15, 6 * 15), DrawingSurface::kBlack);
    EXPECT_EQ(surface.Point(4 * 15 - 1, 6 * 15), DrawingSurface::kBackground);
    EXPECT_THROW(surface.SetScaleMode(4), std::invalid_argument);
    EXPECT_THROW(surface.SetFontSize(0), std::invalid_argument);
}

class StyledSurface : public testing::TestWithParam<Style> {};

void PrintTo(const Style& style, std::ostream* os) { *os << Describe(style); }

bool BlackOrBackgroundOnly(const DrawingSurface& surface) {
    for (int y = 0; y < DrawingSurface::kHeight; ++y)
        for (int x = 0; x < DrawingSurface::kWidth; ++x)
            if (const auto colour = surface.Point(x, y); colour != DrawingSurface::kBlack &&
                                                          colour != DrawingSurface::kBackground)
                return false;
    return true;
}

// Each character of a notice, drawn alone: black or nothing, never grey;
// an ideograph also within the sixteen rows that the no-VB6 button takes and
// right of column 0, which never reaches the sign.
TEST_P(StyledSurface, EveryBannerCharacterIsCrispAndWithinTheSign) {
    DrawingSurface surface = PreparedSurface(GetParam());
    for (const QChar c : kBannerCharacters + QStringLiteral("Ag1,")) {
        surface.Cls();
        surface.Print(QString(c));
        const InkBox ink = InkOf(surface);
        ASSERT_GT(ink.pixels, 0) << QString(c).toStdString();
        EXPECT_TRUE(BlackOrBackgroundOnly(surface)) << QString(c).toStdString();
        if (c.unicode() < 0x4E00) continue;
        EXPECT_GE(ink.top, 3) << QString(c).toStdString();
        EXPECT_LE(ink.bottom, 18) << QString(c).toStdString();
        EXPECT_GE(ink.left, 1) << QString(c).toStdString();
    }
}

TEST_P(StyledSurface, FourFullWidthCharactersFillTheSignsSixtyFourColumns) {
    DrawingSurface surface = PreparedSurface(GetParam());
    surface.Print(QStringLiteral("一一一一"));
    const InkBox four = InkOf(surface);
    EXPECT_GE(four.left, 1);
    EXPECT_LE(four.left, 3);
    EXPECT_GE(four.right, 60);
    EXPECT_LE(four.right, 64);
}

// Bold and italic widen a glyph, yet every phrase of the award list keeps to
// the sign's columns 1 to 64, and each of its characters to its own sixteen:
// none is cut at either edge of the sign or runs into its neighbour.
TEST_P(StyledSurface, EveryAwardPhraseKeepsToItsCharactersColumns) {
    DrawingSurface surface = PreparedSurface(GetParam());
    const QStringList phrases = test::AwardPhrases();
    ASSERT_GE(phrases.size(), 90);
    QString outside, spilling;
    for (const QString& phrase : phrases) {
        surface.Cls();
        surface.Print(phrase);
        if (InkOf(surface).left < 1 || surface.LastPrintInkRight() > 64) outside += phrase + u' ';
        for (const QChar c : phrase) {
            surface.Cls();
            surface.Print(QString(c));
            if (InkOf(surface).left < 1 || surface.LastPrintInkRight() > 16) spilling += c;
        }
    }
    EXPECT_TRUE(outside.isEmpty()) << "past the sign: " << outside.toStdString();
    EXPECT_TRUE(spilling.isEmpty()) << "out of their columns: " << spilling.toStdString();
}

INSTANTIATE_TEST_SUITE_P(FacesAndStyles, StyledSurface, testing::ValuesIn(kStyles),
                         [](const testing::TestParamInfo<Style>& row) {
                             return std::string(row.param.face == kMingFaceName ? "Ming" : "Kai") +
                                    (row.param.bold ? "Bold" : "") + (row.param.italic ? "Italic" : "");
                         });

// Not only the banner's characters: every ideograph of the common block, in
// both faces, keeps within the sign's sixteen rows.
TEST(DrawingSurface, EveryCommonIdeographFitsTheSixteenRows) {
    for (const Style& style : {kStyles[0], kStyles[4]}) {
        DrawingSurface surface = PreparedSurface(style);
        int outside = 0;
        std::string examples;
        for (char32_t c = 0x4E00; c <= 0x9FFF; ++c) {
            surface.Cls();
            surface.Print(QString::fromUcs4(&c, 1));
            const InkBox ink = InkOf(surface);
            if (ink.pixels > 0 && (ink.top < 3 || ink.bottom > 18)) {
                if (++outside <= 5) examples += QString::fromUcs4(&c, 1).toStdString() + " ";
            }
        }
        EXPECT_EQ(outside, 0) << Describe(style) << ": " << examples;
    }
}

TEST(DrawingSurface, LatinLettersAndDigitsShareTheBaselineOfChinese) {
    for (const Style& style : {kStyles[0], kStyles[4]}) {
        DrawingSurface surface = PreparedSurface(style);
        const auto bottomOf = [&](const QString& text) {
            surface.Cls();
            surface.Print(text);
            return InkOf(surface).bottom;
        };
        const int latin = bottomOf(QStringLiteral("H"));
        EXPECT_EQ(bottomOf(QStringLiteral("1")), latin) << Describe(style);
        EXPECT_EQ(bottomOf(QStringLiteral("國H")), bottomOf(QStringLiteral("國")))
            << Describe(style) << ": H reaches below the ideograph";
        // An ideograph's em reaches an eighth below the baseline, two rows at 16 pixels.
        const int ideograph = bottomOf(QStringLiteral("國"));
        EXPECT_GE(ideograph, latin) << Describe(style);
        EXPECT_LE(ideograph, latin + 2) << Describe(style);
        EXPECT_LE(latin, 18);
    }
}

TEST(DrawingSurface, BoldAndItalicChangeTheGlyphs) {
    const auto inkOf = [](const Style& style) {
        DrawingSurface surface = PreparedSurface(style);
        surface.Print(QStringLiteral("國中"));
        return std::pair(InkOf(surface), surface.Image());
    };
    for (const QString& face : {kMingFaceName, kKaiFaceName}) {
        const auto [regular, regularImage] = inkOf({face, false, false});
        const auto [bold, boldImage] = inkOf({face, true, false});
        const auto [italic, italicImage] = inkOf({face, false, true});
        EXPECT_GT(bold.pixels, regular.pixels * 11 / 10) << face.toStdString();
        EXPECT_NE(italicImage, regularImage) << face.toStdString();
        // Italic leans right: the top rows move, the bottom row stays.
        EXPECT_GT(italic.right, regular.right - 1) << face.toStdString();
        EXPECT_EQ(italic.bottom, regular.bottom) << face.toStdString();
    }
}

TEST(DrawingSurface, AFontChangeTakesEffectAtTheNextPrint) {
    DrawingSurface surface = PreparedSurface(kStyles[0]);
    surface.Print(QStringLiteral("國"));
    const QImage ming = surface.Image().copy();
    surface.SetFontName(kKaiFaceName);
    surface.SetFontBold(true);
    EXPECT_EQ(surface.Image(), ming);
    surface.Cls();
    surface.Print(QStringLiteral("國"));
    EXPECT_NE(surface.Image(), ming);
}

TEST(DrawingSurface, PrintMovesToTheNextLine) {
    DrawingSurface surface = PreparedSurface(kStyles[0]);
    surface.SetCurrentX(10);
    surface.Print(QStringLiteral("一"));
    EXPECT_EQ(surface.CurrentX(), 0);
    EXPECT_GE(surface.CurrentY(), 16);
    const double firstLine = surface.CurrentY();
    surface.Print(QString());
    EXPECT_EQ(surface.CurrentY(), 2 * firstLine);
}

TEST(DrawingSurface, FaceNamesResolveToInstalledStandIns) {
    DrawingSurface surface;
    EXPECT_EQ(surface.FontName(), kMingFaceName);  // before any choice
    const auto ming = surface.ResolvedFace();
    ASSERT_TRUE(ming.has_value());
    EXPECT_TRUE(ming->family == kMingFaceName || ming->family == "PMingLiU" ||
                ming->family == "AR PL UMing TW")
        << ming->family.toStdString();
    EXPECT_TRUE(surface.DrawsChinese());

    surface.SetFontName(kKaiFaceName);
    const auto kai = surface.ResolvedFace();
    ASSERT_TRUE(kai.has_value());
    EXPECT_TRUE(kai->family == kKaiFaceName || kai->family == "DFKai-SB" ||
                kai->family == "AR PL UKai TW")
        << kai->family.toStdString();
    EXPECT_NE(kai->file + QString::number(kai->index), ming->file + QString::number(ming->index));
}

// The face's glyph outlines overwritten, its tables and character map kept:
// FreeType opens the face and finds each character, then cannot draw it.
QByteArray WithUndrawableGlyphs(QByteArray face) {
    const auto u32 = [&](qsizetype at) { return qFromBigEndian<quint32>(face.constData() + at); };
    const qsizetype font = face.startsWith("ttcf") ? u32(12) : 0;
    const int tables = qFromBigEndian<quint16>(face.constData() + font + 4);
    for (int i = 0; i < tables; ++i) {
        const qsizetype record = font + 12 + 16 * i;
        if (face.mid(record, 4) == "glyf") face.replace(u32(record + 8), u32(record + 12), QByteArray(u32(record + 12), 0x7f));
    }
    return face;
}

// What FreeType cannot open or draw is named as missing, and a face file
// mended while the program runs is drawn from again.
TEST(GlyphRenderer, AGlyphThatCannotBeDrawnIsMissingUntilItsFaceIsMended) {
    const auto kai = ResolveFace(kKaiFaceName), ming = ResolveFace(kMingFaceName);
    ASSERT_TRUE(kai && ming);
    QFile original(kai->file);
    ASSERT_TRUE(original.open(QIODevice::ReadOnly));
    const QByteArray bytes = original.readAll();
    QTemporaryDir dir;
    const InstalledFace broken{kai->family, dir.filePath(QStringLiteral("kai.ttc")), kai->index};
    const auto write = [&](const QByteArray& content) {
        QFile file(broken.file);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_EQ(file.write(content), content.size());
    };
    GlyphRenderer renderer;
    renderer.SetStyle(16, false, false);
    for (const QByteArray& content : {WithUndrawableGlyphs(bytes), QByteArray("not a face")}) {
        write(content);
        GlyphRenderer fresh;
        fresh.SetStyle(16, false, false);
        fresh.SetFaces({broken, *ming});
        // The other face stands in, so that the sign still shows the character.
        EXPECT_FALSE(fresh.Glyph(U'國').inChosenFace) << content.size();
        EXPECT_GE(fresh.Glyph(U'國').inkRight, 0);
    }
    renderer.SetFaces({broken, *ming});
    EXPECT_FALSE(renderer.Glyph(U'國').inChosenFace);
    write(bytes);
    renderer.SetFaces({broken, *ming});
    const GlyphImage& mended = renderer.Glyph(U'國');
    EXPECT_TRUE(mended.inChosenFace);
    EXPECT_GE(mended.inkRight, 0);
}

// A face installed for one user lies in that user's folder, whose name may
// hold characters no ANSI code page has (喆, 堃 and 煊 are not in Big5).
TEST(GlyphRenderer, AFaceIsDrawnFromAFolderOfAnyName) {
    const auto kai = ResolveFace(kKaiFaceName);
    ASSERT_TRUE(kai);
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("陳喆/堃煊")));
    const InstalledFace copied{kai->family, dir.filePath(QStringLiteral("陳喆/堃煊/楷書😀.ttc")), kai->index};
    ASSERT_TRUE(QFile::copy(kai->file, copied.file));
    GlyphRenderer renderer;
    renderer.SetStyle(16, false, false);
    renderer.SetFaces({copied});
    EXPECT_TRUE(renderer.ChosenFaceDrawsChinese());
    const GlyphImage& glyph = renderer.Glyph(U'國');
    EXPECT_TRUE(glyph.inChosenFace);
    EXPECT_GE(glyph.inkRight, 0);
}

}  // namespace
}  // namespace award
