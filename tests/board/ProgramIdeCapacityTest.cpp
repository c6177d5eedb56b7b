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

// `items` items sharing `words` words: one page each but for a 左移 item
// holding the rest.
ProgramFrames ProgramOf(long long words, int items)
{
    ProgramFrames program;
    program.items.resize(std::size_t(items), {ItemStyle::Wipe, 200, 4, {ColumnWords{}}, {}});
    program.items.back() = {ItemStyle::ScrollLeft, 200, 8, {}, {}};
    program.items.back().columns.resize(static_cast<std::size_t>(words - (items - 1) * kSignColumns));
    for (std::size_t n = 0; n < program.items.back().columns.size(); ++n)
        program.items.back().columns[n] = static_cast<std::uint16_t>(n * 7919u);
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
