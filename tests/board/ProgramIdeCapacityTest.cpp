// The program sketch's flash use, as the Arduino IDE's own build tool counts
// it: the estimate the run refuses by is never below the size arduino-builder
// reports, and only a few hundred bytes above it, and a program whose
// estimate is the board's whole program space compiles and fits.

#include "board/BoardJob.h"
#include "conversion/ProgramWriter.h"
#include "conversion/SketchFormat.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

namespace award {
namespace {

BoardJob::Outcome Compile(const QString& sketch)
{
    int argc = 1;
    char name[] = "program_ide_capacity_tests";
    char* argv[] = {name, nullptr};
    QCoreApplication application(argc, argv);
    BoardJob job;
    BoardJob::Outcome outcome;
    QObject::connect(&job, &BoardJob::Finished, [&](const BoardJob::Outcome& o) {
        outcome = o;
        application.quit();
    });
    if (job.StartCompile(sketch)) application.exec();
    return outcome;
}

// `items` items sharing `words` words between them: all pages but for one
// 左移 item holding the rest.
ProgramFrames ProgramOf(long long words, int items)
{
    ProgramFrames program;
    for (int n = 0; n + 1 < items; ++n) {
        ProgramFrames::Item item;
        item.style = static_cast<ItemStyle>(n % 5 == 1 ? 0 : n % 5);
        item.holdSweeps = 200;
        item.stepSweeps = 4;
        item.pages.push_back({});
        item.pages.back().fill(static_cast<std::uint16_t>(n * 40503u));
        program.items.push_back(item);
    }
    ProgramFrames::Item scroll;
    scroll.style = ItemStyle::ScrollLeft;
    scroll.stepSweeps = 8;
    scroll.columns.resize(static_cast<std::size_t>(words - (items - 1) * kSignColumns));
    for (std::size_t n = 0; n < scroll.columns.size(); ++n) scroll.columns[n] = static_cast<std::uint16_t>(n * 7919u);
    program.items.push_back(scroll);
    return program;
}

struct Size {
    const char* name;
    long long words;
    int items;
};

class ProgramIdeCapacity : public ::testing::TestWithParam<Size> {};

TEST_P(ProgramIdeCapacity, TheEstimateIsWhatTheIdeCounts)
{
    const ProgramFrames program = ProgramOf(GetParam().words, GetParam().items);
    const long long estimate = ProgramWriter::FlashBytes(ProgramWriter::Words(program), GetParam().items);
    const BoardJob::Outcome outcome = Compile(ProgramWriter::Sketch(program));
    ASSERT_EQ(outcome.result, BoardJob::Result::Compiled) << outcome.notices.join(u'\n').toStdString();
    ASSERT_TRUE(outcome.programBytes);
    EXPECT_LE(*outcome.programBytes, estimate);
    EXPECT_LT(estimate - *outcome.programBytes, 320) << "the estimate refuses programs that would fit";
}

INSTANTIATE_TEST_SUITE_P(Sizes, ProgramIdeCapacity,
                         ::testing::Values(Size{"OnePart", 1000, 3}, Size{"ManyItems", 70000, 500},
                                           Size{"WholeProgramSpace",
                                                (kMega2560ProgramBytes - kProgramCodeBytes - 20 * kProgramItemBytes) / 2,
                                                20}),
                         [](const auto& row) { return std::string(row.param.name); });

}  // namespace
}  // namespace award
