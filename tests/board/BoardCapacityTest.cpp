// The frame table sits in the Mega 2560's 8 KiB of SRAM. The largest banner the
// program admits must leave the stack its 512 bytes, and it must be the
// largest: one phrase more would not.

#include "BoardTestSupport.h"

#include "conversion/BannerConverter.h"
#include "conversion/SketchFormat.h"
#include "surface/DrawingSurface.h"

#include <gtest/gtest.h>

namespace award::board {
namespace {



QString BannerOfPhrases(int phrases)
{
    const QStringList pool{QStringLiteral("恭賀"), QStringLiteral("新年快樂"), QStringLiteral("萬事如意"),
                           QStringLiteral("金榜題名"), QStringLiteral("學業進步")};
    QString banner;
    for (int i = 0; i < phrases; ++i) {
        banner += pool[i % pool.size()] + u' ';
    }
    return banner;
}

QString SketchOfPhrases(int phrases)
{
    DrawingSurface surface;
    BannerConverter converter(surface);
    return converter.ConvertBanner(BannerOfPhrases(phrases), 3);
}

TEST(BoardCapacity, MaxPhrasesLeaveTheStackItsShareAndOneMoreWouldNot)
{
    const QString atCapacity = SketchOfPhrases(kMega2560MaxPhrases);
    ASSERT_EQ(ParseSketchTable(atCapacity.toStdString()).count, kMega2560MaxPhrases);
    const SramUse fits = MeasureSram(BuildSketch(atCapacity.toStdString()));
    EXPECT_LE(fits.Static() + kStackReserveBytes, std::size_t{kMega2560SramBytes})
        << "data " << fits.data << " + bss " << fits.bss << " bytes";

    const SramUse over = MeasureSram(BuildSketch(SketchOfPhrases(kMega2560MaxPhrases + 1).toStdString()));
    EXPECT_GT(over.Static() + kStackReserveBytes, std::size_t{kMega2560SramBytes})
        << "data " << over.data << " + bss " << over.bss << " bytes: the limit could be higher";
}

TEST(BoardCapacity, SketchAtCapacityRunsFromItsFirstFrames)
{
    const QString sketch = SketchOfPhrases(kMega2560MaxPhrases);
    const std::vector<TableRow> rows = ParseSketchTable(sketch.toStdString()).ShownRows();

    // The whole loop would take a minute of board time; its opening frames
    // already show the table is read from the right place in the full SRAM.
    const BoardRun run = RunOnBoard(sketch, 2, 3000);
    ASSERT_TRUE(run.stillRunning);
    ASSERT_GE(run.frames.size(), 2u);
    for (std::size_t i = 0; i < 2; ++i) {
        EXPECT_TRUE(run.frames[i].image == rows[i].columnWords)
            << "frame " << i + 1 << DescribeDifference(run.frames[i].image, rows[i].columnWords);
    }
}

}  // namespace
}  // namespace award::board
