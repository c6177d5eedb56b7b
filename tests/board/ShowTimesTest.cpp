// What the sign shows and for how long: for a banner, a marquee and
// programs of every style, the compiled sketch and the board image each show,
// on the simulated Mega 2560, over a whole cycle,
//   - what the preview plays, the engine's own account, picture for picture
//     and each within 1 % of its time;
//   - what an earlier version of the program showed, kept in
//     tests/data/show_times, in the same order, each within 1 % of its
//     recorded time (see AsRecorded), for the forms that version had.
//
// AWARD_RECORD_SHOW_TIMES=<folder> writes what the board shows there instead.

#include "ItemStylePrinter.h"
#include "PictureSamples.h"
#include "ShowTimings.h"
#include "SignRun.h"

#include "engine/shows.h"
#include "program/ProgramConverter.h"
#include "surface/DrawingSurface.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <functional>

namespace award::board {
namespace {

void Write(const std::string& path, const std::vector<Timed>& timed) {
    std::ofstream out(path);
    for (const Timed& t : timed) {
        if (t.pause) {
            out << "pause";
        } else {
            char word[8];
            for (const std::uint16_t w : t.image) {
                std::snprintf(word, sizeof word, "%04x", w);
                out << word;
            }
        }
        out << ' ' << t.cycles << '\n';
    }
}

std::vector<Timed> Read(const std::string& path) {
    std::ifstream in(path);
    std::vector<Timed> timed;
    std::string picture;
    std::uint64_t cycles = 0;
    while (in >> picture >> cycles) {
        Timed t;
        t.cycles = cycles;
        t.pause = picture == "pause";
        for (std::size_t j = 0; !t.pause && j < t.image.size(); ++j)
            t.image[j] = std::uint16_t(std::stoul(picture.substr(4 * j, 4), nullptr, 16));
        timed.push_back(t);
    }
    return timed;
}

// The same time within 1 %. The engine shows every image for whole sweeps,
// exactly; before it, a sketch that worked out a step of 上移 or 拉幕 between
// its sweeps made that step longer by the time it took, up to 0.7 ms of a
// 25.6 ms step: such a step may now be shorter by that much, and no more.
bool AsRecorded(const Timed& seen, const Timed& recorded) {
    if (std::abs(double(seen.cycles) / double(recorded.cycles) - 1) <= 0.01) return true;
    constexpr double kSweepCycles = double(SHOW_COLUMN_CYCLES) * int{SIGN_COLUMNS};
    const double sweeps = double(seen.cycles) / kSweepCycles;
    const bool wholeSweeps = std::abs(sweeps - std::round(sweeps)) * kSweepCycles < 0.001 * double(seen.cycles);
    return wholeSweeps && seen.cycles < recorded.cycles && recorded.cycles - seen.cycles < kCyclesPerMillisecond;
}

struct TimesCase {
    const char* what;
    std::function<QString()> sketch;
    // Simulated time: a whole cycle and the start of the next.
    std::uint64_t milliseconds;
    // Whether tests/data/show_times has what an earlier version showed.
    bool recorded = true;
};

void PrintTo(const TimesCase& c, std::ostream* out) { *out << c.what; }

class ShowTimes : public testing::TestWithParam<TimesCase> {};

TEST_P(ShowTimes, AsThePreviewPlaysThemAndAsRecorded) {
    const QString sketch = GetParam().sketch();
    const std::uint64_t ms = GetParam().milliseconds;
    const std::vector<Timed> preview = PreviewTimings(sketch);
    for (const bool compiled : {true, false}) {
        const std::string name = std::string(GetParam().what) + (compiled ? "-compiled" : "-image") + ".txt";
        SCOPED_TRACE(name);
        const SignRun run = RunOnSign(sketch, compiled ? Delivery::Compiled : Delivery::Image, ms);
        ASSERT_TRUE(run.stillRunning);
        const std::vector<Timed> seen = Timings(Stretches(run.sweeps));
        if (const char* folder = std::getenv("AWARD_RECORD_SHOW_TIMES"); folder && GetParam().recorded) {
            Write(std::string(folder) + "/" + name, seen);
            continue;
        }
        {
            SCOPED_TRACE("as the preview plays them");
            ExpectShows(seen, preview, WithinOnePerCent);
        }
        if (!GetParam().recorded) continue;
        {
            SCOPED_TRACE("as recorded");
            ExpectShows(seen, Read(std::string(AWARD_SHOW_TIMES_DIR) + "/" + name), AsRecorded);
        }
    }
}

// One item of each of the eleven ways to show, fast and held half a second,
// a picture leading 逐字's text and 溶解 showing one alone.
QString ElevenStyleProgramSketch() {
    const auto item = [](const char16_t* text, ItemStyle style, ItemAlign align = ItemAlign::Centre) {
        return ProgramItem{QString::fromUtf16(text), style, 0.5, MarqueeSpeed::Fast, align};
    };
    Program program{item(u"恭喜", ItemStyle::Static),        item(u"好", ItemStyle::ScrollLeft),
                    item(u"金牌", ItemStyle::ScrollUp),      item(u"賀", ItemStyle::Blink),
                    item(u"拉幕開始", ItemStyle::Wipe, ItemAlign::Left), item(u"第一名", ItemStyle::ScrollDown),
                    item(u"好", ItemStyle::ScrollRight),     item(u"恭喜", ItemStyle::ByCharacter, ItemAlign::Left),
                    item(u"展開", ItemStyle::Open),          item(u"百葉窗", ItemStyle::Blinds),
                    item(u"", ItemStyle::Dissolve)};
    program[7].picture = PatternPicture(24, 7);
    program[10].picture = PatternPicture(40, 11);
    DrawingSurface surface;
    ProgramConverter converter(surface);
    const QString sketch = converter.ConvertProgram(program, {});
    if (sketch.isEmpty()) throw std::runtime_error(converter.LastReport().refusal.why.toStdString());
    return sketch;
}

// Each runs a little more than one cycle: the banner's 15 frames of 661 ms
// and 500 ms pauses, the marquee's 154 steps of 25.6 ms, the program's six
// items (about 14.5 s), the eleven items (about 22 s).
INSTANTIATE_TEST_SUITE_P(Forms, ShowTimes,
                         testing::Values(TimesCase{"Banner15", [] { return BannerSketch(15); }, 18000},
                                         TimesCase{"Marquee90", [] { return MarqueeSketch(); }, 4200},
                                         TimesCase{"EveryStyleProgram", [] { return EveryStyleProgramSketch(); }, 16500},
                                         TimesCase{"ElevenStyleProgram", ElevenStyleProgramSketch, 24000, false}),
                         [](const auto& row) { return std::string(row.param.what); });

}  // namespace
}  // namespace award::board
