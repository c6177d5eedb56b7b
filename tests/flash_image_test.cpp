// The board image the program loads instead of compiling a sketch it knows:
// for each form, and for hand edits of a table, the image is the player
// followed by the header, the shows and the column words of the engine's
// shows for what the reader read, as image/player/FlashLayout.h lays them
// out, and its HEX file loads back into the same bytes. An image that would
// reach the bootloader, or a table whose sketch would leave the stack too
// little SRAM, is refused. How the board plays an image is for the simulated
// board (tests/board).

#include "ItemStylePrinter.h"
#include "HandEditedSketches.h"
#include "IntelHexFile.h"

#include "conversion/BannerConverter.h"
#include "image/FlashImage.h"
#include "image/IntelHex.h"
#include "image/player/FlashLayout.h"
#include "marquee/MarqueeWriter.h"
#include "phrases/PhraseFormat.h"
#include "phrases/SketchWriter.h"
#include "program/ProgramWriter.h"
#include "sign/MeasuredCapacities.h"
#include "sign/Mega2560.h"
#include "sign/SignGeometry.h"
#include "sign/SignTiming.h"
#include "surface/DrawingSurface.h"

#include <QRegularExpression>

#include <gtest/gtest.h>

#include <functional>

namespace award {
namespace {

std::uint64_t TailBytes(const Shows& shows) {
    return AWARD_HEADER_BYTES + std::uint64_t{AWARD_SHOW_BYTES} * shows.shows.size() + 2 * shows.words.size();
}

// The image holds `shows` after the player, at the first even address, and
// nothing after their words.
void ExpectImageHolds(const QByteArray& image, const Shows& shows) {
    ASSERT_GT(std::uint64_t(image.size()), TailBytes(shows)) << "no room for the player";
    const std::uint64_t header = std::uint64_t(image.size()) - TailBytes(shows);
    EXPECT_EQ(header % 2, 0u) << "the header at an odd address";
    const auto byte = [&](std::uint64_t at) { return std::uint8_t(image[qsizetype(at)]); };
    const auto u16 = [&](std::uint64_t at) { return std::uint16_t(byte(at) | byte(at + 1) << 8); };
    const auto u32 = [&](std::uint64_t at) { return std::uint32_t(u16(at)) | std::uint32_t(u16(at + 2)) << 16; };
    EXPECT_EQ(u16(header), shows.columnCycles);
    ASSERT_EQ(u16(header + 2), shows.shows.size());
    EXPECT_EQ(u32(header + 4), shows.pagePause);
    EXPECT_EQ(u16(header + 8), shows.items ? AWARD_FLAG_ITEMS : 0);
    EXPECT_EQ(u16(header + 10), shows.brightness);
    for (std::size_t s = 0; s < shows.shows.size(); ++s) {
        const std::uint64_t at = header + AWARD_HEADER_BYTES + std::uint64_t{AWARD_SHOW_BYTES} * s;
        const Show read{u16(at), u32(at + 4), u32(at + 8), u32(at + 12), u32(at + 16)};
        EXPECT_EQ(u16(at + 2), 0) << "show " << s;
        EXPECT_EQ(read, shows.shows[s]) << "show " << s;
    }
    const std::uint64_t words = header + AWARD_HEADER_BYTES + std::uint64_t{AWARD_SHOW_BYTES} * shows.shows.size();
    for (std::size_t w = 0; w < shows.words.size(); ++w)
        if (u16(words + 2 * w) != shows.words[w]) return ADD_FAILURE() << "word " << w << " differs";
}

void ExpectHexLoads(const QByteArray& image) {
    const auto loaded = test::LoadIntelHex(IntelHex(image));
    ASSERT_TRUE(std::holds_alternative<QByteArray>(loaded)) << std::get<std::string>(loaded);
    EXPECT_TRUE(std::get<QByteArray>(loaded) == image) << "the HEX file loads other bytes";
}

void ExpectImageOf(const QString& sketch) {
    const auto form = ReadSketch(sketch);
    ASSERT_TRUE(form) << "the reader does not know the sketch";
    const auto built = BuildFlashImage(*form);
    ASSERT_TRUE(std::holds_alternative<QByteArray>(built)) << "refused";
    ExpectImageHolds(std::get<QByteArray>(built), ShowsOf(*form));
    ExpectHexLoads(std::get<QByteArray>(built));
}

QString Banner(int phrases) {
    QString text;
    for (int i = 1; i <= phrases; ++i) text += QString::number(i) + u' ';
    DrawingSurface surface;
    BannerConverter converter(surface);
    return converter.ConvertBanner(text, FirstScanRow::Row3);
}

// Frame `n` (from 1) held `factor` times as long, as a user edits the table.
QString HeldLonger(QString sketch, int n, int factor) {
    auto rows = QRegularExpression(QStringLiteral("(?<=,\\{)1(?=,)")).globalMatch(sketch);
    for (int i = 1; i < n; ++i) rows.next();
    return sketch.replace(int(rows.next().capturedStart()), 1, QString::number(factor));
}

std::uint16_t Scrambled(std::size_t i) { return std::uint16_t((i + 1) * 40503u); }

QString ProgramOfEveryStyle() {
    ProgramFrames program;
    std::size_t n = 0;
    for (const ItemStyle style : kItemStyles) {
        ProgramFrames::Item item;
        item.style = style;
        item.holdSweeps = std::uint32_t(20 + n);
        item.stepSweeps = std::uint32_t(4 + n);
        if (style == ItemStyle::ScrollLeft) {
            for (int c = 0; c < 100; ++c) item.columns.push_back(Scrambled(n++));
        } else {
            for (int p = 0; p < 2; ++p) {
                ColumnWords page;
                for (auto& word : page) word = Scrambled(n++);
                item.pages.push_back(page);
            }
        }
        program.items.push_back(item);
    }
    return ProgramWriter::Sketch(program);
}

struct ImageCase {
    const char* what;
    std::function<QString()> sketch;
};

void PrintTo(const ImageCase& c, std::ostream* out) { *out << c.what; }

class ImageOfEachForm : public testing::TestWithParam<ImageCase> {};

TEST_P(ImageOfEachForm, HoldsWhatTheReaderReadAndItsHexLoadsTheSameBytes) { ExpectImageOf(GetParam().sketch()); }

INSTANTIATE_TEST_SUITE_P(
    FlashImage, ImageOfEachForm,
    testing::Values(ImageCase{"PhrasesInSram", [] { return Banner(3); }},
                    ImageCase{"PhrasesInFlashAcrossTwoParts", [] { return Banner(kFlashPartRows + 4); }},
                    ImageCase{"PhrasesOfThreeHolds", [] { return HeldLonger(HeldLonger(Banner(4), 2, 3), 4, 2); }},
                    ImageCase{"MarqueePast64KiB",
                              [] {
                                  std::vector<std::uint16_t> columns;
                                  for (std::size_t i = 0; i < 40000; ++i) columns.push_back(Scrambled(i));
                                  return MarqueeWriter::Sketch(columns, MarqueeSweeps(MarqueeSpeed::Fast));
                              }},
                    ImageCase{"ProgramOfEveryStyle", ProgramOfEveryStyle}),
    [](const auto& row) { return std::string(row.param.what); });

class HandEditImage : public testing::TestWithParam<test::HandEditedSketch> {};

TEST_P(HandEditImage, HoldsWhatTheReaderRead) { ExpectImageOf(GetParam().text); }

std::vector<test::HandEditedSketch> ReadableHandEdits() {
    std::vector<test::HandEditedSketch> readable;
    for (const test::HandEditedSketch& sketch : test::HandEditedSketches())
        if (sketch.frames) readable.push_back(sketch);
    return readable;
}

INSTANTIATE_TEST_SUITE_P(FlashImage, HandEditImage, testing::ValuesIn(ReadableHandEdits()),
                         [](const auto& row) { return test::HandEditName(row.param); });

SketchForm MarqueeOfColumns(std::size_t columns) {
    MarqueeFrames marquee{{}, 4};
    for (std::size_t i = 0; i < columns; ++i) marquee.columns.push_back(Scrambled(i));
    return marquee;
}

// The marquee whose image ends where the bootloader begins is taken whole;
// one column more is refused with the image's size.
TEST(FlashImage, FillsTheFlashUpToTheBootloaderAndNoFurther) {
    const auto one = BuildFlashImage(MarqueeOfColumns(1));
    ASSERT_TRUE(std::holds_alternative<QByteArray>(one));
    const auto beforeWords = std::size_t(std::get<QByteArray>(one).size()) - 2;
    const std::size_t fits = (std::size_t(kMega2560ProgramBytes) - beforeWords) / 2;

    const SketchForm full = MarqueeOfColumns(fits);
    const auto built = BuildFlashImage(full);
    ASSERT_TRUE(std::holds_alternative<QByteArray>(built));
    EXPECT_EQ(std::get<QByteArray>(built).size(), qsizetype(beforeWords + 2 * fits));
    EXPECT_GT(std::get<QByteArray>(built).size() + 2, kMega2560ProgramBytes);
    ExpectImageHolds(std::get<QByteArray>(built), ShowsOf(full));
    ExpectHexLoads(std::get<QByteArray>(built));

    const auto over = BuildFlashImage(MarqueeOfColumns(fits + 1));
    ASSERT_TRUE(std::holds_alternative<Refusal>(over));
    EXPECT_EQ(std::get<Refusal>(over).kind, Refusal::Kind::DoesNotFit);
    EXPECT_EQ(std::get<Refusal>(over).bytes, static_cast<long long>(beforeWords + 2 * (fits + 1)));
}

SketchForm SramTable(int phrases) {
    SketchWriter writer;
    writer.BeginSketch(TableStore::Sram);
    for (int k = 0; k < phrases; ++k) writer.AppendFrame({});
    writer.EndSketch(phrases);
    auto form = ReadSketch(writer.SketchText());
    if (!form) throw std::runtime_error("the reader does not know an SRAM table");
    return *form;
}

// The compiled sketch of one phrase more than the SRAM holds would leave the
// stack too little room; the image is refused for the same reason.
TEST(FlashImage, AnSramTableIsTakenUpToTheSramCapacity) {
    EXPECT_TRUE(std::holds_alternative<QByteArray>(BuildFlashImage(SramTable(kMega2560MaxPhrases))));
    const auto over = BuildFlashImage(SramTable(kMega2560MaxPhrases + 1));
    ASSERT_TRUE(std::holds_alternative<Refusal>(over));
    EXPECT_EQ(std::get<Refusal>(over).kind, Refusal::Kind::StackTooSmall);
}

// A table in flash that the compiler builds fits the image too, whatever its
// delay factors: each frame keeps its own, where one show for each run of
// frames of the same factor took 20 bytes a run.
TEST(FlashImage, HoldsEveryTableInFlashTheCompilerBuilds) {
    for (const int phrases : {1800, kMega2560MaxFlashPhrases}) {
        PhraseFrames table;
        table.store = TableStore::Flash;
        table.tableRows = phrases + 2;
        for (int k = 0; k < phrases; ++k) table.frames.push_back({1 + k % 2, {}});
        const auto built = BuildFlashImage(SketchForm{table});
        ASSERT_TRUE(std::holds_alternative<QByteArray>(built)) << phrases << " phrases";
        ExpectImageHolds(std::get<QByteArray>(built), ShowsOf(SketchForm{table}));
    }
}

}  // namespace
}  // namespace award
