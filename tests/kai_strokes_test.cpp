// 標楷體 on the sign, over the award phrase list: strokes that hold together,
// and a bold that thickens them without closing what the regular weight keeps
// open. tests/data/award_phrases.txt holds the phrases; the legibility figure
// is ./build/bench/stroke_figures_bench's.
#include "StrokeFigures.h"

#include <gtest/gtest.h>

#include <vector>

namespace award {
namespace {

using test::LedGrid;

struct KaiFigures {
    int isolated = 0;
    std::vector<LedGrid> phrases;
    int characters = 0;
    int whole = 0;  // no more groups of lit LEDs than the outline has
    std::vector<int> counters;  // per character
};

KaiFigures Measure(bool bold) {
    DrawingSurface surface;
    surface.SetStyle({kKaiFaceName, bold, false});
    const auto face = surface.ResolvedFace();
    KaiFigures figures;
    for (const QString& phrase : test::AwardPhrases()) {
        const LedGrid leds = test::ScanLeds(surface, phrase);
        figures.isolated += test::IsolatedLeds(leds);
        figures.phrases.push_back(leds);
        for (const char32_t c : phrase.toStdU32String()) {
            const LedGrid alone = test::ScanLeds(surface, QString::fromUcs4(&c, 1));
            ++figures.characters;
            figures.whole += face && test::LitGroups(alone) <= test::OutlineGroups(*face, c);
            figures.counters.push_back(test::Counters(alone));
        }
    }
    return figures;
}

TEST(KaiStrokes, HoldTogetherAndBoldKeepsTheCounters) {
    ASSERT_GE(test::AwardPhrases().size(), 90);
    const KaiFigures regular = Measure(false), bold = Measure(true);
    for (const KaiFigures* figures : {&regular, &bold}) {
        const char* weight = figures == &bold ? "bold" : "regular";
        EXPECT_EQ(figures->isolated, 0) << weight;
        EXPECT_GE(figures->whole, figures->characters * 97 / 100) << weight << ": " << figures->whole << " of "
                                                                  << figures->characters;
    }
    EXPECT_EQ(bold.counters, regular.counters);
    // Bold keeps every regular LED and thickens strokes both ways: some LEDs
    // it adds lie above or below a regular one, with none beside them.
    int added = 0, acrossRows = 0;
    for (std::size_t i = 0; i < bold.phrases.size(); ++i) {
        const LedGrid& was = regular.phrases[i];
        const LedGrid& is = bold.phrases[i];
        for (int y = 0; y < 16; ++y) {
            EXPECT_EQ(was[y] & ~is[y], 0) << "phrase " << i << ", row " << y;
            const auto more = is[y] & ~was[y];
            added += static_cast<int>(more.count());
            const auto above = y > 0 ? was[y - 1] : std::bitset<64>{}, below = y < 15 ? was[y + 1] : std::bitset<64>{};
            acrossRows += static_cast<int>((more & (above | below) & ~(was[y] << 1) & ~(was[y] >> 1)).count());
        }
    }
    // Thickening across the rows alone leaves about one in twenty such.
    EXPECT_GT(acrossRows * 16, added) << acrossRows << " of " << added;
}

}  // namespace
}  // namespace award
