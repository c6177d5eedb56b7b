#include "image/FlashImage.h"

#include "FlashLayout.h"
#include "image/PlayerBinary.h"

#include "phrases/PhraseFormat.h"
#include "program/ProgramFormat.h"
#include "program/ProgramFrames.h"
#include "sign/Mega2560.h"
#include "sign/SignGeometry.h"

#include <QtEndian>

#include <cstdint>

namespace award {
namespace {

static_assert(player::kBinary.size() <= AWARD_DATA_START, "the player runs into its data");
static_assert(AWARD_FLASH_END == std::uint32_t(kMega2560ProgramBytes));
static_assert(AWARD_RISE_STEPS == kRiseSteps && AWARD_WIPE_STEPS == kWipeSteps);
static_assert(AWARD_BLINK_TIMES == kBlinkTimes && AWARD_BLINK_SWEEPS == kBlinkSweeps);

// How each form's compiled sketch times the sign, measured on the simulated
// Mega 2560 (Timer 0's interrupt for millis() included, which the player
// does without) and kept here so that the image shows every picture as long
// as the compiled sketch does:
//
//   form      a frame or hold             a dark pause      a step of 4 sweeps
//   phrases   661.16 ms (101 sweeps)      500.11 ms         -
//   marquee   -                           -                 25.76 ms
//   program   2,008.07 ms (312 sweeps)    500.40 ms (78)    25.79 ms
//
// and the program's reading of a page before it shows, 2.7 to 3.0 ms.
struct FormTiming {
    // A column's share of a sweep of the compiled sketch.
    std::uint16_t columnCycles = 0;
    // From the last column of a frame to the first of the next, in columns.
    std::uint32_t pauseColumns = 0;
    // Reading a page's words before it is shown, in columns.
    std::uint32_t loadColumns = 0;
};
// The phrase sketch: delayMicroseconds(100) and the loop around it, about
// 102 us a column; then delay(500) and reading the next frame.
constexpr FormTiming kPhrase{1636, 4889};
// The marquee and the program wait 98 us, so that a column takes 100 us
// and, with the interrupt, a little more.
constexpr FormTiming kMarquee{1604};
// The program finds each word of a page through a division by the part size.
constexpr FormTiming kProgram{1604, 0, 16};

// The SRAM the phrase sketch's variables take besides its table, as
// arduino-builder counts it: 2,353 bytes for 15 phrases (17 rows), 1,963 for 12.
constexpr int kSramSketchOtherBytes = 143;

// A form's shows, and all their words in the order the shows take them.
struct Plan {
    struct Show {
        std::uint16_t kind = AWARD_SHOW_STILL;
        std::uint32_t count = 0, hold = 0, step = 0;
        std::size_t words = 0;
    };
    FormTiming timing;
    std::uint32_t itemGapSweeps = 0;
    std::vector<Show> shows;
    std::vector<std::uint16_t> words;

    void AddPage(const ColumnWords& page) { words.insert(words.end(), page.begin(), page.end()); }
};

template <class Word>
void Put(QByteArray& bytes, Word value) {
    char le[sizeof(Word)];
    qToLittleEndian(value, le);
    bytes.append(le, sizeof(Word));
}

qsizetype ImageBytes(const Plan& plan) {
    return qsizetype(AWARD_DATA_START) + AWARD_HEADER_BYTES + qsizetype(AWARD_SHOW_BYTES * plan.shows.size()) +
           qsizetype(2 * plan.words.size());
}

QByteArray Write(const Plan& plan) {
    QByteArray bytes;
    bytes.reserve(ImageBytes(plan));
    bytes.append(reinterpret_cast<const char*>(player::kBinary.data()), qsizetype(player::kBinary.size()));
    bytes.append(qsizetype(AWARD_DATA_START) - bytes.size(), char(0xFF));
    Put(bytes, plan.timing.columnCycles);
    Put(bytes, std::uint16_t(plan.shows.size()));
    Put(bytes, plan.timing.pauseColumns);
    Put(bytes, plan.itemGapSweeps);
    Put(bytes, plan.timing.loadColumns);
    auto word = std::uint32_t(AWARD_DATA_START + AWARD_HEADER_BYTES + AWARD_SHOW_BYTES * plan.shows.size());
    for (const Plan::Show& show : plan.shows) {
        Put(bytes, show.kind);
        Put(bytes, std::uint16_t{0});
        Put(bytes, word);
        Put(bytes, show.count);
        Put(bytes, show.hold);
        Put(bytes, show.step);
        word += std::uint32_t(2 * show.words);
    }
    for (const std::uint16_t w : plan.words) Put(bytes, w);
    return bytes;
}

// A program item's show is of the kind the player numbers as the sketch's item table does.
static_assert(AWARD_SHOW_STILL == int(StyleCode::Static) && AWARD_SHOW_SCROLL == int(StyleCode::ScrollLeft) &&
              AWARD_SHOW_RISE == int(StyleCode::ScrollUp) && AWARD_SHOW_BLINK == int(StyleCode::Blink) &&
              AWARD_SHOW_WIPE == int(StyleCode::Wipe));

// Frames one after another with the same sweeps make one show of as many
// pages, each followed by the pause.
Plan PhrasePlan(const SketchFrames& shown) {
    Plan plan;
    plan.timing = kPhrase;
    plan.words.reserve(shown.frames.size() * kSignColumns);
    for (const SketchFrames::Frame& frame : shown.frames) {
        if (plan.shows.empty() || plan.shows.back().hold != frame.sweeps)
            plan.shows.push_back({AWARD_SHOW_STILL, 0, frame.sweeps, 0, 0});
        ++plan.shows.back().count;
        plan.shows.back().words += kSignColumns;
        plan.AddPage(frame.words);
    }
    return plan;
}

Plan MarqueePlan(const SketchFrames::Marquee& marquee) {
    Plan plan;
    plan.timing = kMarquee;
    plan.shows.push_back({AWARD_SHOW_SCROLL, std::uint32_t(marquee.columns.size()), 0, marquee.sweepsPerStep,
                          marquee.columns.size()});
    plan.words = marquee.columns;
    return plan;
}

Plan ProgramPlan(const ProgramFrames& program) {
    Plan plan;
    plan.timing = kProgram;
    plan.itemGapSweeps = kProgramGapSweeps;
    for (const ProgramFrames::Item& item : program.items) {
        const bool scrolls = item.style == ItemStyle::ScrollLeft;
        const std::size_t first = plan.words.size();
        if (scrolls)
            plan.words.insert(plan.words.end(), item.columns.begin(), item.columns.end());
        else
            for (const ColumnWords& page : item.pages) plan.AddPage(page);
        const auto count = std::uint32_t(scrolls ? item.columns.size() : item.pages.size());
        plan.shows.push_back({std::uint16_t(CodeOf(item.style)), count, item.holdSweeps, item.stepSweeps,
                              plan.words.size() - first});
    }
    return plan;
}

}  // namespace

std::variant<QByteArray, ImageRefusal> BuildFlashImage(const SketchFrames& shown) {
    if (!shown.marquee && !shown.program && shown.store == TableStore::Sram) {
        // The compiled sketch keeps its table in SRAM, where the board must
        // keep room for the stack: beyond that it is refused, and so is this.
        const int sram = shown.tableRows * 2 * kRowElements + kSramSketchOtherBytes;
        if (kMega2560SramBytes - sram < kStackReserveBytes) return ImageRefusal{ImageRefusal::Reason::StackTooSmall, sram};
    }
    const Plan plan = shown.program ? ProgramPlan(*shown.program)
                      : shown.marquee ? MarqueePlan(*shown.marquee)
                                      : PhrasePlan(shown);
    const qsizetype bytes = ImageBytes(plan);
    if (bytes > qsizetype(AWARD_FLASH_END) || plan.shows.size() > 0xFFFF)
        return ImageRefusal{ImageRefusal::Reason::ProgramTooBig, int(bytes)};
    return Write(plan);
}

}  // namespace award
