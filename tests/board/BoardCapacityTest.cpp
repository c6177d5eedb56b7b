// The board's memories bound the banner. Up to the SRAM capacity the table
// sits in SRAM and must leave the stack its 512 bytes; beyond it the table
// sits in flash, read with far addresses, up to the flash capacity. Each
// capacity must be the largest: one phrase more would not fit.

#include "BoardTestSupport.h"
#include "conversion/BannerConverter.h"
#include "phrases/PhraseFormat.h"
#include "phrases/SketchWriter.h"
#include "sign/MeasuredCapacities.h"
#include "sign/Mega2560.h"
#include "surface/DrawingSurface.h"


#include <gtest/gtest.h>

namespace award::board {
namespace {

// Frame n shows the number n, so every frame differs from the others.
QString NumberedBanner(int phrases) {
    QString banner;
    for (int i = 1; i <= phrases; ++i) {
        banner += QString::number(i) + u' ';
    }
    return banner;
}

QString SketchOfPhrases(int phrases, RunReport* report = nullptr) {
    DrawingSurface surface;
    BannerConverter converter(surface);
    const QString sketch = converter.ConvertBanner(NumberedBanner(phrases), FirstScanRow::Row3);
    if (report) {
        *report = converter.LastRunReport();
    }
    return sketch;
}

// Runs the table from `firstFrame` and expects the board to show it and the
// frames after it as the table says.
void ExpectFramesFrom(const QString& sketch, int firstFrame, std::size_t frames) {
    const BoardRun run = RunOnBoardFromFrame(sketch, firstFrame, frames, (frames + 1) * 1500);
    ASSERT_TRUE(run.stillRunning);
    ASSERT_GE(run.frames.size(), frames);
    for (std::size_t i = 0; i < frames; ++i) {
        const std::size_t k = firstFrame + i;
        const TableRow& row = run.table.ShownRows().at(k - 1);
        EXPECT_TRUE(run.frames[i].image == row.columnWords)
            << "frame " << k << DescribeDifference(run.frames[i].image, row.columnWords);
        EXPECT_EQ(run.frames[i].sweeps, static_cast<int>(row.sweeps)) << "frame " << k;
    }
}

TEST(BoardCapacity, SramPhrasesLeaveTheStackItsShareAndOneMoreWouldNot) {
    const QString atCapacity = SketchOfPhrases(kMega2560MaxPhrases);
    ASSERT_EQ(ParseSketchTable(atCapacity.toStdString()).count, kMega2560MaxPhrases);
    const SramUse fits = MeasureSram(BuildSketch(atCapacity.toStdString()));
    EXPECT_LE(fits.Static() + kStackReserveBytes, std::size_t{kMega2560SramBytes})
        << "data " << fits.data << " + bss " << fits.bss << " bytes";

    // The same table one row longer, still in SRAM as the writer would put it.
    SketchWriter writer;
    writer.BeginSketch(TableStore::Sram);
    for (int k = 0; k <= kMega2560MaxPhrases; ++k) writer.AppendFrame({});
    writer.EndSketch(kMega2560MaxPhrases + 1);
    const SramUse over = MeasureSram(BuildSketch(writer.SketchText().toStdString()));
    EXPECT_GT(over.Static() + kStackReserveBytes, std::size_t{kMega2560SramBytes})
        << "data " << over.data << " + bss " << over.bss << " bytes: the limit could be higher";

    // The full SRAM table is read from the right place.
    ExpectFramesFrom(atCapacity, kMega2560MaxPhrases - 1, 2);
}

// pgm_read_word reaches only the first 64 KiB of flash: frames on either side
// of that line, and the one that straddles it, must show as the table says.
TEST(BoardCapacity, FlashTableReadsAcrossTheFirst64KiB) {
    const QString sketch = SketchOfPhrases(600);
    const auto elf = BuildSketch(sketch.toStdString());
    int straddling = 0;
    for (int row = 1; row < 600 && straddling == 0; ++row) {
        const std::uint32_t at =
            SymbolAddress(elf, "b" + std::to_string(row / kFlashPartRows)) + (row % kFlashPartRows) * 2 * kRowElements;
        if (at < 0x10000 && at + 2 * kRowElements > 0x10000) straddling = row;
    }
    ASSERT_GT(straddling, 1) << "the table does not cross 64 KiB";
    ExpectFramesFrom(sketch, straddling - 1, 3);
}

// At the flash capacity the last frames, near the top of flash, show as the
// table says. (Whether it fits is the IDE capacity test's to say.)
TEST(BoardCapacity, FlashTableAtCapacityShowsItsLastFrames) {
    RunReport report;
    const QString atCapacity = SketchOfPhrases(kMega2560MaxFlashPhrases, &report);
    ASSERT_EQ(report.store, TableStore::Flash);
    ExpectFramesFrom(atCapacity, kMega2560MaxFlashPhrases - 1, 2);
}

}  // namespace
}  // namespace award::board
