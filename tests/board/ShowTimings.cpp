#include "ShowTimings.h"

#include "engine/Shows.h"
#include "reading/SketchReader.h"

#include <gtest/gtest.h>

#include <cmath>
#include <stdexcept>
#include <string>

namespace award::board {

std::vector<Timed> Timings(const std::vector<Stretch>& stretches) {
    std::vector<Timed> timed;
    for (std::size_t i = 0; i + 1 < stretches.size(); ++i)
        timed.push_back({stretches[i].image, stretches[i].pause, stretches[i + 1].startCycle - stretches[i].startCycle});
    return timed;
}

std::vector<Timed> PreviewTimings(const QString& sketch) {
    const auto read = ReadSketch(sketch);
    if (!read) throw std::runtime_error("the reader does not know the sketch");
    const Shows shows = ShowsOf(*read);
    std::vector<ShownImage> cycle = PlayedCycle(shows);
    cycle.push_back(cycle.front());
    std::vector<Timed> timed;
    for (const ShownImage& shown : cycle) {
        const std::uint64_t cycles = shown.columns * shows.columnCycles;
        if (!timed.empty() && !shown.pause && !timed.back().pause && timed.back().image == shown.words)
            timed.back().cycles += cycles;
        else
            timed.push_back({shown.words, shown.pause, cycles});
    }
    timed.pop_back();
    return timed;
}

bool WithinOnePerCent(const Timed& seen, const Timed& expected) {
    return std::abs(double(seen.cycles) / double(expected.cycles) - 1) <= 0.01;
}

void ExpectShows(const std::vector<Timed>& seen, const std::vector<Timed>& expected,
                 bool (*timeAgrees)(const Timed&, const Timed&)) {
    ASSERT_FALSE(expected.empty()) << "nothing expected";
    // The expected ends one cycle in; the board must have got as far.
    ASSERT_GE(seen.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE("stretch " + std::to_string(i) + (expected[i].pause ? ", a pause" : ""));
        ASSERT_EQ(seen[i].pause, expected[i].pause);
        ASSERT_TRUE(seen[i].image == expected[i].image) << DescribeDifference(seen[i].image, expected[i].image);
        EXPECT_TRUE(timeAgrees(seen[i], expected[i]))
            << double(seen[i].cycles) / kCyclesPerMillisecond << " ms, expected "
            << double(expected[i].cycles) / kCyclesPerMillisecond << " ms";
    }
}

}  // namespace award::board
