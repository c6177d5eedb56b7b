// The board image against the compiled sketch on the simulated Mega 2560:
// for every form the reader knows, hand edits of its tables included, the
// image loaded from its HEX file shows the same pictures in the same order as
// the compiled sketch, each for the same time within 1 %, with the same dark
// pauses, over at least one whole cycle. A table longer than one flash part
// is played from a few frames before the part ends, by both.

#include "BoardTestSupport.h"

#include "conversion/BannerConverter.h"
#include "marquee/MarqueeWriter.h"
#include "program/ProgramWriter.h"
#include "image/FlashImage.h"
#include "image/IntelHex.h"
#include "phrases/PhraseFormat.h"
#include "surface/DrawingSurface.h"

#include <QFile>
#include <QRegularExpression>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <limits>

namespace award::board {
namespace {

constexpr std::size_t kUntilTimeRunsOut = std::numeric_limits<std::size_t>::max();

std::uint64_t CycleMilliseconds(const SketchForm& shown) {
    const Shows shows = ShowsOf(shown);
    return std::uint64_t(Milliseconds(CycleColumns(shows), shows.columnCycles));
}

struct ImageCase {
    const char* what;
    std::function<QString()> sketch;
    // The frame both play from, and from again after the last: the compiled
    // sketch's loop starts there, and the image holds the frames from there
    // on as the reader read them from the whole table.
    int firstFrame = 1;
};

void PrintTo(const ImageCase& c, std::ostream* out) { *out << c.what; }

// A hand edit of a 6-phrase table: the `nth` match of `pattern` replaced, or
// the first `nth` removed.
QString Edited(const QString& pattern, const QString& replacement, int nth = 1, bool removeAll = false) {
    QString sketch = BannerSketch(6);
    auto matches = QRegularExpression(pattern).globalMatch(sketch);
    std::vector<QRegularExpressionMatch> found;
    while (matches.hasNext()) found.push_back(matches.next());
    if (int(found.size()) < nth) throw std::runtime_error("nothing to edit: " + pattern.toStdString());
    for (int i = nth - 1; i >= (removeAll ? 0 : nth - 1); --i)
        sketch.replace(found[std::size_t(i)].capturedStart(), found[std::size_t(i)].capturedLength(), replacement);
    return sketch;
}

// The program of every style with field `field` of item `item` (both from
// 0) of its table written by hand as `value`.
QString EditedItem(QString sketch, int item, int field, const QString& value) {
    const QRegularExpression row(QStringLiteral("\\{ ?-?\\d+(, ?-?\\d+){4}\\}"));
    auto rows = row.globalMatch(sketch);
    for (int n = 0; n < item && rows.hasNext(); ++n) rows.next();
    if (!rows.hasNext()) throw std::runtime_error("no such item");
    const auto match = rows.next();
    QStringList fields = match.captured().mid(1, match.capturedLength() - 2).split(u',');
    fields[field] = value;
    return sketch.replace(match.capturedStart(), match.capturedLength(), u'{' + fields.join(u',') + u'}');
}

// Five hundred pages that hold for no sweep at all, so that the next item's
// pages, shown, lie on both sides of 64 KiB in flash in the image and in the
// compiled sketch alike.
QString PagesAcross64KiB() {
    ProgramFrames program;
    ProgramFrames::Item skipped, shown;
    shown.holdSweeps = 20;
    for (int p = 0; p < 512; ++p) {
        ColumnWords page;
        for (int j = 0; j < kSignColumns; ++j) page[std::size_t(j)] = std::uint16_t((p * 64 + j + 1) * 40503u);
        (p < 500 ? skipped : shown).pages.push_back(page);
    }
    program.items = {skipped, shown};
    return ProgramWriter::Sketch(program);
}

class ImageShowsAsCompiled : public testing::TestWithParam<ImageCase> {};

TEST_P(ImageShowsAsCompiled, SamePicturesInOrderEachForItsTime) {
    const QString sketch = GetParam().sketch();
    const int first = GetParam().firstFrame;
    const auto shown = ReadSketch(sketch);
    ASSERT_TRUE(shown) << "the reader does not know the sketch";
    SketchForm played = *shown;
    if (first > 1) {
        auto& frames = std::get<PhraseFrames>(played).frames;
        frames.erase(frames.begin(), frames.begin() + (first - 1));
    }
    const auto image = BuildFlashImage(played);
    ASSERT_TRUE(std::holds_alternative<QByteArray>(image));
    const QTemporaryDir folder;
    QFile hex(folder.filePath("image.hex"));
    ASSERT_TRUE(hex.open(QIODevice::WriteOnly));
    hex.write(IntelHex(std::get<QByteArray>(image)));
    hex.close();

    const std::uint64_t ms = CycleMilliseconds(played) * 21 / 20 + 1500;
    const BoardRun compiled = RunBuiltSketch(
        (first > 1 ? StartingAtFrame(sketch, first) : sketch).toStdString(), kUntilTimeRunsOut, ms);
    ASSERT_TRUE(compiled.stillRunning);
    const auto board = SimulatedBoard::WithHexFile(hex.fileName().toStdString());
    ASSERT_TRUE(board->RunUntil([](auto, auto) { return false; }, ms * kCyclesPerMillisecond));

    const std::vector<Stretch> expected = Stretches(compiled.writes);
    const std::vector<Stretch> seen = Stretches(board->Writes());
    const std::size_t compared = std::min(seen.size(), expected.size()) - 1;
    ASSERT_GE(double(expected[compared].startCycle), double(CycleMilliseconds(played) * kCyclesPerMillisecond) / 1.01)
        << "less than a whole cycle compared";
    for (std::size_t i = 0; i < compared; ++i) {
        SCOPED_TRACE("stretch " + std::to_string(i) + (expected[i].pause ? ", a pause" : ""));
        ASSERT_EQ(seen[i].pause, expected[i].pause);
        ASSERT_TRUE(seen[i].image == expected[i].image) << DescribeDifference(seen[i].image, expected[i].image);
        const auto want = double(expected[i + 1].startCycle - expected[i].startCycle);
        const auto got = double(seen[i + 1].startCycle - seen[i].startCycle);
        EXPECT_NEAR(got / want, 1.0, 0.01) << got / kCyclesPerMillisecond << " ms, compiled "
                                           << want / kCyclesPerMillisecond << " ms";
    }
}

INSTANTIATE_TEST_SUITE_P(
    Forms, ImageShowsAsCompiled,
    testing::Values(ImageCase{"Sram15Phrases", [] { return BannerSketch(15); }},
                    // Three frames from the end of the table's first flash
                    // part, then the second part's five, then the three again.
                    ImageCase{"FlashAcrossTwoParts", [] { return BannerSketch(kFlashPartRows + 4); },
                              kFlashPartRows - 3},
                    ImageCase{"Marquee", [] { return MarqueeSketch(); }},
                    ImageCase{"EveryStyleProgram", [] { return EveryStyleProgramSketch(); }},
                    ImageCase{"ProgramPagesAcross64KiB", PagesAcross64KiB},
                    // Minus taken in 16-bit unsigned int: a hold of 78 sweeps, and 4, 拉幕, for the blink.
                    ImageCase{"ProgramNumbersWrittenNegative",
                              [] {
                                  return EditedItem(EditedItem(EveryStyleProgramSketch(), 0, 3, " -0xFFB2"), 2, 0,
                                                    " -0xFFFC");
                              }},
                    ImageCase{"ProgramHoldOfTwoSweeps", [] { return EditedItem(EveryStyleProgramSketch(), 1, 3, " 2"); }},
                    ImageCase{"ChangedWord", [] { return Edited(QStringLiteral("(?<=,\\{1, )\\d+"), "4095"); }},
                    ImageCase{"ChangedDelayFactor", [] { return Edited(QStringLiteral("(?<=,\\{)1(?=,)"), "3", 2); }},
                    ImageCase{"RowsRemoved",
                              [] {
                                  return Edited(QStringLiteral(",\\{1,[^\\n]*\\n"), "", 3, true)
                                      .replace(QStringLiteral("num= 6;"), QStringLiteral("num= 3;"));
                              }}),
    [](const auto& row) { return std::string(row.param.what); });

}  // namespace
}  // namespace award::board
