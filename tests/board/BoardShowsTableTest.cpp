// The generated sketch, compiled as the Arduino IDE compiles it and run on a
// simulated Mega 2560, must show on the LED matrix exactly the frames its own
// table declares: in order, each for 101 sweeps, with half a second of dark
// between them, and starting over with frame 1 after the last.

#include "BoardTestSupport.h"
#include "conversion/BannerConverter.h"
#include "phrases/SketchWriter.h"
#include "sign/SignTiming.h"
#include "surface/DrawingSurface.h"
#include "surface/FaceResolver.h"


#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <string>

namespace award::board {
namespace {

// Generous per frame (about 1.16 s each) so a slow driver shows up as a
// mismatch in timing rather than as a run that stops early.
constexpr std::uint64_t kMillisecondsPerFrameLimit = 1500;

bool LightsAnything(const TableRow& row) {
    return std::any_of(row.columnWords.begin(), row.columnWords.end(), [](auto word) { return word != 0; });
}

// Everything the board must show for the sketch's table, judged from the
// table and the port writes alone.
void ExpectBoardShowsTable(const QString& sketch) {
    const SketchTable table = ParseSketchTable(sketch.toStdString());
    const std::vector<TableRow> rows = table.ShownRows();
    ASSERT_FALSE(rows.empty()) << "the sketch declares no frame to show";

    // One frame past the last: the loop must come back to frame 1.
    const std::size_t framesWanted = rows.size() + 1;
    const BoardRun run = RunOnBoard(sketch, framesWanted, (framesWanted + 1) * kMillisecondsPerFrameLimit);
    ASSERT_TRUE(run.stillRunning) << "the firmware crashed or halted";
    ASSERT_GE(run.frames.size(), framesWanted) << "the board showed too few frames";

    for (std::size_t i = 0; i < framesWanted; ++i) {
        const ShownFrame& frame = run.frames[i];
        const TableRow& row = rows[i % rows.size()];
        SCOPED_TRACE("shown frame " + std::to_string(i + 1) + ", table frame " + std::to_string(i % rows.size() + 1));

        EXPECT_TRUE(frame.image == row.columnWords) << DescribeDifference(frame.image, row.columnWords);
        EXPECT_FALSE(frame.litOffMatrix) << "light while port C selected no matrix column";
        EXPECT_FALSE(frame.litIntoPause) << "rows left on into the dark pause";

        const auto sweepsDue = static_cast<int>(row.sweeps);
        EXPECT_EQ(frame.sweeps, sweepsDue);
        EXPECT_EQ(frame.steadySweeps, frame.sweeps)
            << "some sweeps skipped or reordered columns, or lit other LEDs than the rest";

        // Each column is held for delayMicroseconds(100); the few instructions
        // around it add about two per cent.
        const std::uint64_t nominal = static_cast<std::uint64_t>(sweepsDue) * kMatrixColumns *
                                      std::uint64_t{kColumnMicroseconds} * kCyclesPerMillisecond / 1000;
        const std::uint64_t lasted = frame.endCycle - frame.startCycle;
        EXPECT_GE(lasted, nominal);
        EXPECT_LE(lasted, nominal + nominal / 20);

        if (i > 0) {
            const std::uint64_t dark = frame.startCycle - run.frames[i - 1].endCycle;
            EXPECT_GE(dark, std::uint64_t{kPauseMilliseconds} * kCyclesPerMillisecond);
            EXPECT_LE(dark, std::uint64_t{kPauseMilliseconds + 5} * kCyclesPerMillisecond);
        }
    }
}

struct BannerStyle {
    QString face;
    int firstScanRow;
    bool bold;
    bool italic;
};

std::ostream& operator<<(std::ostream& out, const BannerStyle& style) {
    return out << style.face.toStdString() << ", first scan row " << style.firstScanRow << (style.bold ? ", bold" : "")
               << (style.italic ? ", italic" : "");
}

QString ConvertWith(const BannerStyle& style, const QString& banner) {
    DrawingSurface surface;
    surface.SetFontName(style.face);
    surface.SetFontBold(style.bold);
    surface.SetFontItalic(style.italic);
    BannerConverter converter(surface);
    return converter.ConvertBanner(banner, FirstScanRow(style.firstScanRow));
}

class RealBannerOnBoard : public testing::TestWithParam<BannerStyle> {};

TEST_P(RealBannerOnBoard, ShowsEveryPhraseInOrderThenStartsOver) {
    const QString sketch = ConvertWith(GetParam(), QStringLiteral("恭賀 新年快樂 萬事如意 "));

    const std::vector<TableRow> rows = ParseSketchTable(sketch.toStdString()).ShownRows();
    ASSERT_EQ(rows.size(), 3u);
    // A face that drew nothing would make the board comparison vacuous.
    for (const TableRow& row : rows) {
        ASSERT_TRUE(LightsAnything(row)) << "a phrase lit no pixel; is the face installed?";
    }

    ExpectBoardShowsTable(sketch);
}

std::vector<BannerStyle> AllStyles() {
    std::vector<BannerStyle> styles;
    for (const QString& face : {kMingFaceName, kKaiFaceName}) {
        for (const int firstScanRow : {1, 3}) {
            styles.push_back({face, firstScanRow, false, false});
            styles.push_back({face, firstScanRow, true, false});
            styles.push_back({face, firstScanRow, false, true});
        }
    }
    return styles;
}

std::string StyleName(const testing::TestParamInfo<BannerStyle>& info) {
    const BannerStyle& style = info.param;
    return std::string(style.face == kMingFaceName ? "Ming" : "Kai") + "Row" + std::to_string(style.firstScanRow) +
           (style.bold ? "Bold" : "") + (style.italic ? "Italic" : "") + (style.bold || style.italic ? "" : "Regular");
}

INSTANTIATE_TEST_SUITE_P(FacesRowsAndStyles, RealBannerOnBoard, testing::ValuesIn(AllStyles()), StyleName);

TEST(BoardEdgeCases, EmptyPhraseBetweenTwoSpacesIsADarkFrameOfFullLength) {
    const QString sketch = ConvertWith({kMingFaceName, 3, false, false}, QStringLiteral("新年  快樂 "));

    const std::vector<TableRow> rows = ParseSketchTable(sketch.toStdString()).ShownRows();
    ASSERT_EQ(rows.size(), 3u);
    ASSERT_TRUE(LightsAnything(rows[0]));
    ASSERT_FALSE(LightsAnything(rows[1]));
    ASSERT_TRUE(LightsAnything(rows[2]));

    ExpectBoardShowsTable(sketch);
}

// Frames written straight through the writer, to place light exactly where the
// driver's column mapping is easiest to get wrong.
QString SketchOfFrames(const std::vector<MatrixImage>& frames) {
    SketchWriter writer;
    writer.BeginSketch();
    for (const MatrixImage& frame : frames) {
        writer.AppendFrame(frame);
    }
    writer.EndSketch(static_cast<int>(frames.size()));
    return writer.SketchText();
}

TEST(BoardEdgeCases, FramesLitOnlyAtTheEdgeColumns) {
    MatrixImage onlyColumn64{};
    onlyColumn64[63] = 0x8421;
    MatrixImage onlyColumn1{};
    onlyColumn1[0] = 0x1248;

    ExpectBoardShowsTable(SketchOfFrames({onlyColumn64, onlyColumn1}));
}

TEST(BoardEdgeCases, ColumnWithAllSixteenRowsLitBesideTopAndBottomRowsAlone) {
    MatrixImage frame{};
    frame[20] = 0xFFFF;
    frame[21] = 0x0001;
    frame[22] = 0x8000;
    frame[40] = 0x00FF;
    frame[41] = 0xFF00;

    ExpectBoardShowsTable(SketchOfFrames({frame}));
}

TEST(BoardEdgeCases, NoPhraseLeavesTheMatrixDark) {
    for (const QString& banner : {QString(), QStringLiteral("恭賀新年")}) {
        SCOPED_TRACE("banner \"" + banner.toStdString() + "\"");
        const QString sketch = ConvertWith({kMingFaceName, 3, false, false}, banner);
        ASSERT_EQ(ParseSketchTable(sketch.toStdString()).count, 0);

        // Two frames' worth of time: any frame would have come and gone.
        const BoardRun run = RunOnBoard(sketch, 1, 2 * kMillisecondsPerFrameLimit);
        EXPECT_TRUE(run.stillRunning);
        EXPECT_TRUE(run.writes.empty()) << run.writes.size() << " writes to the matrix ports";
        EXPECT_TRUE(run.frames.empty());
    }
}

}  // namespace
}  // namespace award::board
