// Hand-edited sketches, compiled as the Arduino IDE compiles them: whatever
// avr-g++ rejects, the sketch reader rejects too, and where the reader reads
// frames, the simulated board shows exactly those frames.

#include "BoardTestSupport.h"
#include "HandEditedSketches.h"

#include "ReadPhrases.h"
#include "reading/SketchReader.h"

#include <gtest/gtest.h>

namespace award::board {
namespace {

class ReaderMatchesBoard : public testing::TestWithParam<test::HandEditedSketch> {};

TEST_P(ReaderMatchesBoard, CompilerAndBoardAgreeWithTheReader) {
    const test::HandEditedSketch& sketch = GetParam();
    const std::string text = sketch.text.toStdString();
    if (!sketch.compiles) {
        EXPECT_THROW(BuildSketch(text), SketchBuildError);
        return;
    }
    const auto read = test::ReadPhrases(sketch.text);
    if (!read) {
        EXPECT_NO_THROW(BuildSketch(text));
        return;
    }
    const std::size_t frames = read->frames.size();
    const BoardRun run = RunBuiltSketch(text, frames + 1, (frames + 2) * 1500);
    ASSERT_TRUE(run.stillRunning);
    ASSERT_GE(run.frames.size(), frames + 1);
    for (std::size_t i = 0; i <= frames; ++i) {
        const auto& expected = read->frames[i % frames];
        MatrixImage words{};
        std::copy(expected.words.begin(), expected.words.end(), words.begin());
        EXPECT_TRUE(run.frames[i].image == words)
            << "frame " << i + 1 << DescribeDifference(run.frames[i].image, words);
        EXPECT_EQ(run.frames[i].sweeps, static_cast<int>(FrameSweeps(*read, i % frames))) << "frame " << i + 1;
    }
}

INSTANTIATE_TEST_SUITE_P(HandEdits, ReaderMatchesBoard, testing::ValuesIn(test::HandEditedSketches()),
                         [](const auto& row) { return test::HandEditName(row.param); });

}  // namespace
}  // namespace award::board
