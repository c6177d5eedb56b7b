// The simulated serial line: bytes cross it unchanged between ends whose
// speeds agree as closely as a real board's and avrdude's do, and come out as
// other bytes between ends at different speeds, so that a bootloader answers
// only at its own speed.

#include "SerialLine.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <numeric>
#include <string>
#include <vector>

namespace award::board {
namespace {

struct Speeds {
    const char* name;
    double sender;
    double receiver;
    bool heardAsSent;
};

void PrintTo(const Speeds& speeds, std::ostream* out) { *out << speeds.name; }

class SerialLineSpeeds : public testing::TestWithParam<Speeds> {};

TEST_P(SerialLineSpeeds, CarriesEveryByteOnlyBetweenAgreeingSpeeds) {
    std::vector<std::uint8_t> sent(256);
    std::iota(sent.begin(), sent.end(), std::uint8_t{0});
    const std::vector<std::uint8_t> heard = ReceivedAt(sent, GetParam().sender, GetParam().receiver);
    EXPECT_EQ(heard == sent, GetParam().heardAsSent) << heard.size() << " bytes heard";
    // avrdude's first words to a bootloader, alone.
    const std::vector<std::uint8_t> sync{0x30, 0x20};
    EXPECT_EQ(ReceivedAt(sync, GetParam().sender, GetParam().receiver) == sync, GetParam().heardAsSent);
}

// A 16 MHz board's USART makes 115200 baud 117,647 (optiboot, double speed)
// and 57600 baud 58,824 (the older Nano's bootloader, normal speed).
INSTANTIATE_TEST_SUITE_P(
    Line, SerialLineSpeeds,
    testing::Values(Speeds{"SameSpeed", 115200, 115200, true}, Speeds{"AvrdudeToOptiboot", 115200, 117647, true},
                    Speeds{"OptibootToAvrdude", 117647, 115200, true},
                    Speeds{"AvrdudeToTheOlderNano", 57600, 58824, true},
                    Speeds{"TwiceTooFastForTheOlderNano", 115200, 58824, false},
                    Speeds{"TwiceTooSlowForOptiboot", 57600, 117647, false},
                    Speeds{"OptibootToAvrdudeAtHalf", 117647, 57600, false}),
    [](const testing::TestParamInfo<Speeds>& row) { return std::string(row.param.name); });

}  // namespace
}  // namespace award::board
