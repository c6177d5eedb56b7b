// The signs people buy show what the school's sign shows: two P10 panels on
// an Uno or a Mega 2560, driven by the compiled sketch and by the board image
// alike, light the same pictures in the same order as the preview plays for
// the school's sign, each within 1 % of its time, over a whole cycle. And a
// dimmed sign, the school's or the panels, lights the same pictures for the
// same times with its LEDs lit for a share of the time.

#include "ShowTimings.h"
#include "SignRun.h"
#include "SignTargetPrinters.h"

#include "sign/SignTarget.h"

#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <string>
#include <tuple>

namespace award::board {
namespace {

struct Form {
    const char* what;
    std::function<QString(const SignTarget&)> sketch;
    // Simulated time: a whole cycle and the start of the next.
    std::uint64_t milliseconds;
};

void PrintTo(const Form& form, std::ostream* out) { *out << form.what; }

const Form kBanner{"Banner15", [](const SignTarget& t) { return BannerSketch(15, t); }, 18000};
const Form kMarquee{"Marquee90", [](const SignTarget& t) { return MarqueeSketch(t); }, 4200};
const Form kProgram{"EveryStyleProgram", [](const SignTarget& t) { return EveryStyleProgramSketch(t); }, 16500};

std::string BoardName(BoardKind board) { return board == BoardKind::Uno ? "Uno" : "Mega2560"; }
std::string DeliveryName(Delivery delivery) { return delivery == Delivery::Image ? "Image" : "Compiled"; }

using PanelCase = std::tuple<Form, BoardKind, Delivery>;

std::string PanelCaseName(const testing::TestParamInfo<PanelCase>& row) {
    return std::string(std::get<Form>(row.param).what) + "_" + BoardName(std::get<BoardKind>(row.param)) + "_" +
           DeliveryName(std::get<Delivery>(row.param));
}

class P10ShowTimes : public testing::TestWithParam<PanelCase> {};

TEST_P(P10ShowTimes, AsTheSchoolSignShowsThem) {
    const auto& [form, board, delivery] = GetParam();
    const std::vector<Timed> school = PreviewTimings(form.sketch({}));
    const SignRun run = RunOnSign(form.sketch({SignKind::P10Pair, board}), delivery, form.milliseconds);
    ASSERT_TRUE(run.stillRunning);
    EXPECT_EQ(run.bytesLost, 0) << "bytes the SPI could not have sent to the panels";
    ExpectShows(Timings(Stretches(run.sweeps)), school, WithinOnePerCent);
}

INSTANTIATE_TEST_SUITE_P(FormsBoards, P10ShowTimes,
                         testing::Combine(testing::Values(kBanner, kMarquee, kProgram),
                                          testing::Values(BoardKind::Uno, BoardKind::Mega2560),
                                          testing::Values(Delivery::Compiled, Delivery::Image)),
                         PanelCaseName);

using DimmedCase = std::tuple<SignTarget, Delivery>;

std::string DimmedCaseName(const testing::TestParamInfo<DimmedCase>& row) {
    const SignTarget& sign = std::get<SignTarget>(row.param);
    return std::string(sign.sign == SignKind::School ? "School" : "P10") + "_" + BoardName(sign.board) + "_" +
           DeliveryName(std::get<Delivery>(row.param));
}

class Dimmed : public testing::TestWithParam<DimmedCase> {};

// Three phrases: a cycle of three frames and three dark pauses.
TEST_P(Dimmed, LevelTwoLightsAtMostHalfAsLongWithTheSamePicturesAndTimes) {
    const auto& [sign, delivery] = GetParam();
    constexpr std::uint64_t kMilliseconds = 4200;
    const std::vector<Timed> school = PreviewTimings(BannerSketch(3));
    SignTarget full = sign, dim = sign;
    full.brightness = SIGN_BRIGHTEST;
    dim.brightness = 2;
    const SignRun bright = RunOnSign(BannerSketch(3, full), delivery, kMilliseconds);
    const SignRun dimmed = RunOnSign(BannerSketch(3, dim), delivery, kMilliseconds);
    ASSERT_TRUE(bright.stillRunning && dimmed.stillRunning);
    {
        SCOPED_TRACE("at full brightness");
        ExpectShows(Timings(Stretches(bright.sweeps)), school, WithinOnePerCent);
    }
    {
        SCOPED_TRACE("at level 2");
        ExpectShows(Timings(Stretches(dimmed.sweeps)), school, WithinOnePerCent);
    }
    ASSERT_GT(bright.litLedCycles, 0u);
    EXPECT_LE(2 * dimmed.litLedCycles, bright.litLedCycles)
        << "level 2 lit the LEDs " << double(dimmed.litLedCycles) / double(bright.litLedCycles) << " as long as level 8";
}

INSTANTIATE_TEST_SUITE_P(Signs, Dimmed,
                         testing::Combine(testing::Values(SignTarget{SignKind::School, BoardKind::Mega2560},
                                                          SignTarget{SignKind::P10Pair, BoardKind::Mega2560},
                                                          SignTarget{SignKind::P10Pair, BoardKind::Uno}),
                                          testing::Values(Delivery::Compiled, Delivery::Image)),
                         DimmedCaseName);

}  // namespace
}  // namespace award::board
