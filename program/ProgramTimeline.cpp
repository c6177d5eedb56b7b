#include "program/ProgramTimeline.h"

#include "marquee/MarqueeWriter.h"
#include "program/ProgramFormat.h"
#include "sign/SignGeometry.h"

#include <algorithm>
#include <iterator>

namespace award {
namespace {

// Adds an image unless the board would not sweep it at all.
void Show(std::vector<ShownImage>& shown, const ColumnWords& words, std::uint32_t sweeps) {
    if (sweeps > 0) shown.push_back({words, sweeps});
}

void Scroll(std::vector<ShownImage>& shown, const ProgramFrames::Item& item) {
    const long long steps = MarqueeWriter::StepsPerPass(item.columns.size());
    for (long long s = 0; s < steps; ++s) Show(shown, MarqueeWriter::ImageAtStep(item.columns, s), item.stepSweeps);
}

void Page(std::vector<ShownImage>& shown, const ProgramFrames::Item& item, const ColumnWords& page) {
    switch (item.style) {
    case ItemStyle::ScrollUp:
        // Step r shows the page's top r rows at the bottom of the sign.
        for (int r = 1; r <= kRiseSteps; ++r) {
            ColumnWords words{};
            for (std::size_t j = 0; j < words.size(); ++j)
                words[j] = static_cast<std::uint16_t>(page[j] << (kSignRows - r));
            Show(shown, words, item.stepSweeps);
        }
        break;
    case ItemStyle::Blink:
        for (int b = 0; b < kBlinkTimes; ++b) {
            Show(shown, page, kBlinkSweeps);
            Show(shown, ColumnWords{}, kBlinkSweeps);
        }
        break;
    case ItemStyle::Wipe:
        for (int c = 1; c <= kWipeSteps; ++c) {
            ColumnWords words{};
            std::copy(page.begin(), page.begin() + c, words.begin());
            Show(shown, words, item.stepSweeps);
        }
        break;
    case ItemStyle::Static:
    case ItemStyle::ScrollLeft:
        break;
    }
    Show(shown, page, item.holdSweeps);
}

}  // namespace

std::vector<ShownImage> ItemTimeline(const ProgramFrames::Item& item) {
    std::vector<ShownImage> shown;
    if (item.style == ItemStyle::ScrollLeft)
        Scroll(shown, item);
    else
        for (const ColumnWords& page : item.pages) Page(shown, item, page);
    Show(shown, ColumnWords{}, kProgramGapSweeps);
    return shown;
}

std::vector<ShownImage> ProgramTimeline(const ProgramFrames& program) {
    std::vector<ShownImage> shown;
    for (const auto& item : program.items) std::ranges::copy(ItemTimeline(item), std::back_inserter(shown));
    return shown;
}

std::uint64_t ProgramCycleSweeps(const ProgramFrames& program) {
    std::uint64_t sweeps = 0;
    for (const auto& item : program.items) {
        if (item.style == ItemStyle::ScrollLeft)
            sweeps += std::uint64_t{item.stepSweeps} * std::uint64_t(MarqueeWriter::StepsPerPass(item.columns.size()));
        else
            sweeps += (StepSweepsPerPage(item.style, item.stepSweeps) + item.holdSweeps) * item.pages.size();
        sweeps += kProgramGapSweeps;
    }
    return sweeps;
}

}  // namespace award
