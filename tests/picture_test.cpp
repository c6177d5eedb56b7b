// Pictures on the sign: a file of each kind a teacher brings, made here,
// gives the LEDs its picture shows; the threshold and 反相 light what they
// say, and a file that is no picture is refused in the user's words.

#include "PictureSamples.h"
#include "files/PictureFile.h"
#include "picture/PictureLeds.h"
#include "picture/SignRows.h"
#include "sign/SignGeometry.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <ostream>
#include <random>

namespace award {
namespace {

using Leds = std::vector<std::uint16_t>;

Leds LedsWhere(int columns, const std::function<bool(int x, int y)>& lit) {
    Leds leds(std::size_t(columns), 0);
    for (int x = 0; x < columns; ++x)
        for (int y = 0; y < kSignRows; ++y)
            if (lit(x, y)) leds[std::size_t(x)] |= std::uint16_t(1u << y);
    return leds;
}

// The LEDs row by row, # for lit, so that a failure shows the picture.
std::string Drawn(const Leds& leds) {
    std::string drawn;
    for (int y = 0; y < kSignRows; ++y) {
        drawn += '\n';
        for (const std::uint16_t word : leds) drawn += word >> y & 1 ? '#' : '.';
    }
    return drawn;
}

// A school's logo as a PNG of 64 × 64 on a transparent ground, drawn in
// blocks of 4 × 4 pixels, one LED each once scaled: a navy ring around a
// white square, and a faint shadow under it, mostly transparent.
bool InRing(int x, int y) { return x >= 3 && x <= 12 && y >= 3 && y <= 12 && !(x >= 6 && x <= 9 && y >= 6 && y <= 9); }
QByteArray PngLogo() {
    QImage logo(64, 64, QImage::Format_ARGB32);
    logo.fill(qRgba(0, 0, 0, 0));
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x) {
            const int ledX = x / 4;
            const int ledY = y / 4;
            if (InRing(ledX, ledY)) logo.setPixel(x, y, qRgba(20, 30, 110, 255));
            else if (ledX >= 6 && ledX <= 9 && ledY >= 6 && ledY <= 9) logo.setPixel(x, y, qRgba(255, 255, 255, 255));
            else if (ledY == 14) logo.setPixel(x, y, qRgba(0, 0, 0, 60));
        }
    return Encoded(logo, "png");
}
Leds PngLogoLeds() { return LedsWhere(16, InRing); }

// Already the sign's height: every pixel an LED.
bool Speckled(int x, int y) { return (std::mt19937(unsigned(x * kSignRows + y))() & 1) != 0; }
QByteArray SixteenRowBmp() {
    QImage image(40, kSignRows, QImage::Format_RGB32);
    for (int y = 0; y < kSignRows; ++y)
        for (int x = 0; x < 40; ++x) image.setPixel(x, y, Speckled(x, y) ? qRgb(0, 0, 0) : qRgb(255, 255, 255));
    return Encoded(image, "bmp");
}
Leds SixteenRowBmpLeds() { return LedsWhere(40, Speckled); }

// A photo: a dark, grainy subject on a lit, grainy ground that brightens to
// the right, 10 × 10 pixels to the LED once scaled.
bool InSubject(int x, int y) { return x >= 8 && x < 24 && y >= 4 && y < 12; }
QByteArray JpegPhoto() {
    QImage photo(320, 160, QImage::Format_RGB32);
    std::mt19937 grain(34);
    for (int y = 0; y < photo.height(); ++y)
        for (int x = 0; x < photo.width(); ++x) {
            const int noise = int(grain() % 41) - 20;
            const int grey = InSubject(x / 10, y / 10) ? 45 + noise : 165 + x / 8 + noise;
            photo.setPixel(x, y, qRgb(std::clamp(grey + 10, 0, 255), std::clamp(grey, 0, 255), std::clamp(grey - 10, 0, 255)));
        }
    return Encoded(photo, "jpg", 85);
}
Leds JpegPhotoLeds() { return LedsWhere(32, InSubject); }

// Two frames, the second the first's negative: the sign shows the first.
bool Chequered(int x, int y) { return (x / 3 + y / 2) % 2 == 0; }
QByteArray AnimatedGif() {
    std::vector<std::vector<bool>> frames(2);
    for (int y = 0; y < kSignRows; ++y)
        for (int x = 0; x < 24; ++x) {
            frames[0].push_back(!Chequered(x, y));
            frames[1].push_back(Chequered(x, y));
        }
    return TwoColourGif(24, kSignRows, frames);
}
Leds AnimatedGifLeds() { return LedsWhere(24, Chequered); }

struct PictureFileRow {
    const char* name;
    const char* fileName;
    QByteArray (*bytes)();
    Leds (*expected)();
};

void PrintTo(const PictureFileRow& row, std::ostream* out) { *out << row.name; }

class PictureFiles : public ::testing::TestWithParam<PictureFileRow> {};

TEST_P(PictureFiles, GiveTheLedsThePictureShows) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QString::fromUtf8(GetParam().fileName));
    const QByteArray bytes = GetParam().bytes();
    ASSERT_FALSE(bytes.isEmpty()) << "the picture could not be made";
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
    file.close();

    const PictureRead read = ReadSignPicture(path);
    ASSERT_FALSE(read.rows.isNull()) << read.refusal.why.toStdString();
    EXPECT_EQ(read.rows.height(), kSignRows);
    const Leds leds = PictureColumns({path, read.rows});
    EXPECT_EQ(leds, GetParam().expected()) << "got" << Drawn(leds) << "\nexpected" << Drawn(GetParam().expected());
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, PictureFiles,
    ::testing::Values(PictureFileRow{"PngLogoWithTransparency", "校徽.png", PngLogo, PngLogoLeds},
                      PictureFileRow{"SixteenRowBmpPixelForPixel", "logo.bmp", SixteenRowBmp, SixteenRowBmpLeds},
                      PictureFileRow{"JpegPhoto", "photo.jpg", JpegPhoto, JpegPhotoLeds},
                      PictureFileRow{"JpegNamedAsPngReadByItsBytes", "photo.png", JpegPhoto, JpegPhotoLeds},
                      PictureFileRow{"AnimatedGifItsFirstFrame", "anim.gif", AnimatedGif, AnimatedGifLeds}),
    [](const auto& row) { return std::string(row.param.name); });

// The GIF the test makes is animated indeed, so that taking its first frame
// means something: Qt reads a second frame, the first one's negative.
TEST(PictureGif, TheMadeFileHoldsTwoFrames) {
    QBuffer gif;
    gif.setData(AnimatedGif());
    gif.open(QIODevice::ReadOnly);
    QImageReader reader(&gif, "gif");
    EXPECT_TRUE(reader.supportsAnimation());
    QImage first = reader.read();
    const QImage second = reader.read();
    ASSERT_FALSE(first.isNull() || second.isNull()) << reader.errorString().toStdString();
    first.invertPixels();
    EXPECT_EQ(first.convertToFormat(QImage::Format_RGB32), second.convertToFormat(QImage::Format_RGB32));
}

// Sixteen greys from black to white, a column each.
ItemPicture GreyRamp() {
    QImage ramp(16, kSignRows, QImage::Format_ARGB32);
    for (int x = 0; x < 16; ++x)
        for (int y = 0; y < kSignRows; ++y) ramp.setPixel(x, y, qRgb(x * 17, x * 17, x * 17));
    return {QStringLiteral("/ramp.png"), ramp};
}

struct ThresholdRow {
    const char* name;
    std::optional<int> threshold;
    bool inverted;
    // The ramp's columns lit, the first and the last.
    int firstLit;
    int lastLit;
};

void PrintTo(const ThresholdRow& row, std::ostream* out) { *out << row.name; }

class PictureThreshold : public ::testing::TestWithParam<ThresholdRow> {};

TEST_P(PictureThreshold, LightsTheGreysOnItsSide) {
    ItemPicture ramp = GreyRamp();
    ramp.threshold = GetParam().threshold;
    ramp.inverted = GetParam().inverted;
    const Leds expected = LedsWhere(16, [](int x, int) { return x >= GetParam().firstLit && x <= GetParam().lastLit; });
    EXPECT_EQ(PictureColumns(ramp), expected) << Drawn(PictureColumns(ramp));
}

INSTANTIATE_TEST_SUITE_P(
    Ramp, PictureThreshold,
    ::testing::Values(ThresholdRow{"ItsOwnPartsTheRampInHalves", std::nullopt, false, 0, 7},
                      ThresholdRow{"MovedDownLightsOnlyTheDarkest", 60, false, 0, 3},
                      ThresholdRow{"MovedUpLightsMore", 200, false, 0, 11},
                      ThresholdRow{"LowestLightsBlackAlone", 1, false, 0, 0},
                      ThresholdRow{"InvertedLightsTheLightHalf", std::nullopt, true, 8, 15},
                      ThresholdRow{"InvertedAndMovedDown", 60, true, 4, 15}),
    [](const auto& row) { return std::string(row.param.name); });

// Greys scattered in two groups are parted in the gap between them, where
// any threshold would do; a picture of one grey is parted at the middle.
TEST(PictureOwnThreshold, FallsInTheGapOrAtTheMiddleGrey) {
    std::mt19937 random(5);
    QImage image(48, kSignRows, QImage::Format_ARGB32);
    for (int y = 0; y < kSignRows; ++y)
        for (int x = 0; x < 48; ++x) {
            const int grey = random() % 3 ? 180 + int(random() % 51) : 20 + int(random() % 41);
            image.setPixel(x, y, qRgb(grey, grey, grey));
        }
    const int parted = OtsuThreshold(image, false);
    EXPECT_GT(parted, 60);
    EXPECT_LE(parted, 180);

    for (const int grey : {100, 200}) {
        QImage flat(8, kSignRows, QImage::Format_ARGB32);
        flat.fill(qRgb(grey, grey, grey));
        const Leds leds = PictureColumns({QStringLiteral("/flat.png"), flat});
        EXPECT_EQ(leds, LedsWhere(8, [&](int, int) { return grey < 128; })) << grey;
    }
    QImage clear(8, kSignRows, QImage::Format_ARGB32);
    clear.fill(qRgba(0, 0, 0, 0));
    EXPECT_EQ(PictureColumns({QStringLiteral("/clear.png"), clear, std::nullopt, true}), Leds(8, 0));
}

// A logo of one colour, dark or light, on a transparent ground lights whole
// whichever way round: its own threshold parts it from the ground, which
// counts as the colour that is never lit. Whatever the threshold, the ground
// stays dark.
TEST(PictureOwnThreshold, AOneColourLogoOnNothingLightsWholeAndNothingElse) {
    const auto inBlock = [](int x, int y) { return x >= 3 && x < 9 && y >= 2 && y < 13; };
    const Leds block = LedsWhere(12, inBlock);
    for (const QRgb colour : {qRgb(20, 30, 110), qRgb(250, 230, 120)})
        for (const bool inverted : {false, true}) {
            QImage logo(12, kSignRows, QImage::Format_ARGB32);
            for (int y = 0; y < kSignRows; ++y)
                for (int x = 0; x < 12; ++x)
                    logo.setPixel(x, y, inBlock(x, y) ? colour : x % 2 ? qRgba(0, 0, 0, 0) : qRgba(255, 255, 255, 0));
            ItemPicture picture{QStringLiteral("/logo.png"), logo, std::nullopt, inverted};
            const Leds leds = PictureColumns(picture);
            EXPECT_EQ(leds, block) << std::hex << colour << (inverted ? " 反相" : "") << Drawn(leds);
            for (int threshold = kMinPictureThreshold; threshold <= kMaxPictureThreshold; ++threshold) {
                picture.threshold = threshold;
                const Leds moved = PictureColumns(picture);
                for (std::size_t x = 0; x < moved.size(); ++x)
                    ASSERT_EQ(moved[x] & ~block[x], 0) << "the ground lit at threshold " << threshold << Drawn(moved);
            }
        }
}

TEST(PictureRows, ScaledToTheSignsRowsInProportion) {
    const struct {
        int width, height, columns;
    } sizes[] = {{100, 50, 32}, {50, 100, 8}, {1000, 64, 250}, {3, 1000, 1}};
    for (const auto& size : sizes) {
        QImage image(size.width, size.height, QImage::Format_RGB32);
        image.fill(Qt::white);
        const QImage rows = SignRows(image);
        EXPECT_EQ(rows.size(), QSize(size.columns, kSignRows)) << size.width << " × " << size.height;
    }
}

TEST(PictureFileRefusal, SaysWhyInTheUsersWords) {
    QTemporaryDir dir;
    QFile text(dir.filePath("notes.png"));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly) && text.write("恭喜林同學\n") > 0);
    text.close();
    QFile cut(dir.filePath("cut.png"));
    ASSERT_TRUE(cut.open(QIODevice::WriteOnly) && cut.write(PngLogo().left(30)) == 30);
    cut.close();
    const struct {
        QString path;
        const char16_t* said;
    } refused[] = {{dir.filePath("missing.png"), u"找不到"},
                   {dir.path(), u"資料夾"},
                   {text.fileName(), u"PNG、JPEG、BMP 或 GIF"},
                   {cut.fileName(), u"圖片"}};
    for (const auto& [path, said] : refused) {
        const PictureRead read = ReadSignPicture(path);
        EXPECT_TRUE(read.rows.isNull()) << path.toStdString();
        EXPECT_TRUE(read.refusal.why.contains(QString::fromUtf16(said))) << path.toStdString() << ": " << read.refusal.why.toStdString();
    }
}

}  // namespace
}  // namespace award
