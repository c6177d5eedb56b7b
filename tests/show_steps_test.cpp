// The steps of the ways a page appears, as the engine plays them for the
// preview (and, being the same code, for the board): where each begins and
// ends, how many steps it takes and for how long each is shown.

#include "engine/Shows.h"
#include "sign/ColumnWords.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bitset>
#include <functional>
#include <ostream>
#include <set>

namespace award {
namespace {

constexpr std::uint32_t kHold = 50;
constexpr std::uint32_t kStep = 3;

// A page with every LED lit, and one whose columns all differ.
ColumnWords Full() {
    ColumnWords page;
    page.fill(0xFFFF);
    return page;
}

ColumnWords Varied() {
    ColumnWords page;
    for (std::size_t j = 0; j < page.size(); ++j) page[j] = static_cast<std::uint16_t>((j + 1) * 40503u ^ 0x5A5A);
    return page;
}

// The page's columns from `from` up to `to`, the rest dark.
ColumnWords Columns(const ColumnWords& page, int from, int to) {
    ColumnWords shown{};
    for (int j = from; j <= to; ++j) shown[std::size_t(j)] = page[std::size_t(j)];
    return shown;
}

ColumnWords Each(const ColumnWords& page, const std::function<std::uint16_t(std::uint16_t)>& column) {
    ColumnWords shown;
    std::ranges::transform(page, shown.begin(), column);
    return shown;
}

int Lit(const ColumnWords& image) {
    int lit = 0;
    for (const std::uint16_t word : image) lit += static_cast<int>(std::bitset<16>(word).count());
    return lit;
}

// One show of `pages` copies of `page`, each followed by `extra` words, as
// the page of 逐字 is by its character ends.
Shows PagesOf(std::uint32_t kind, const ColumnWords& page, std::vector<std::uint16_t> extra = {}, std::uint32_t pages = 1) {
    Shows shows;
    for (std::uint32_t p = 0; p < pages; ++p) {
        shows.words.insert(shows.words.end(), page.begin(), page.end());
        shows.words.insert(shows.words.end(), extra.begin(), extra.end());
    }
    shows.shows.push_back({kind, 0, pages, kHold, kStep});
    return shows;
}

struct StepsRow {
    const char* name;
    std::uint32_t kind;
    ColumnWords page;
    std::vector<std::uint16_t> ends;  // the words after a 逐字 page
    std::size_t steps;
    ColumnWords first;
    ColumnWords last;
    // Sweeps of each step, as many as the item's step gives a row or column.
    std::uint32_t stepSweeps = kStep;
};

void PrintTo(const StepsRow& row, std::ostream* out) { *out << row.name; }

class PageSteps : public ::testing::TestWithParam<StepsRow> {};

TEST_P(PageSteps, BeginAndEndAsTheStyleSaysThenThePageHolds) {
    const StepsRow& row = GetParam();
    const std::vector<ShownImage> played = PlayedShow(PagesOf(row.kind, row.page, row.ends), 0);
    ASSERT_EQ(played.size(), row.steps + 1);
    for (std::size_t s = 0; s < row.steps; ++s) {
        EXPECT_FALSE(played[s].pause);
        EXPECT_EQ(played[s].columns, std::uint64_t{row.stepSweeps} * kSignColumns) << "step " << s;
    }
    EXPECT_EQ(played.front().words, row.first);
    EXPECT_EQ(played[row.steps - 1].words, row.last);
    EXPECT_EQ(played.back().words, row.page);
    EXPECT_EQ(played.back().columns, std::uint64_t{kHold} * kSignColumns);
}

INSTANTIATE_TEST_SUITE_P(
    Styles, PageSteps,
    testing::Values(
        // The bottom row first, at the top; at the last step all rows but the top one, moved up by one.
        StepsRow{"DropFromTheTop", SHOW_DROP, Varied(), {}, 15,
                 Each(Varied(), [](std::uint16_t w) { return std::uint16_t(w >> 15); }),
                 Each(Varied(), [](std::uint16_t w) { return std::uint16_t(w >> 1); })},
        // The two middle columns first; at the last step all but the two outer ones.
        StepsRow{"OpenFromTheMiddle", SHOW_OPEN, Varied(), {}, 31, Columns(Varied(), 31, 32), Columns(Varied(), 1, 62)},
        // Four slats of four rows: their top rows, then all but their bottom
        // rows; a row of a slat lasts as 上移 takes to rise by a slat.
        StepsRow{"BlindsOfFourSlats", SHOW_BLINDS, Varied(), {}, 3,
                 Each(Varied(), [](std::uint16_t w) { return std::uint16_t(w & 0b0001'0001'0001'0001); }),
                 Each(Varied(), [](std::uint16_t w) { return std::uint16_t(w & 0b0111'0111'0111'0111); }), 4 * kStep},
        // Characters ending in columns 15, 31 and 47 (bits 15 of the first
        // three words), each lasting as 左移 takes to move by a character.
        StepsRow{"CharactersOneByOne", SHOW_BY_CHARACTER, Varied(), {0x8000, 0x8000, 0x8000, 0}, 3,
                 Columns(Varied(), 0, 15), Columns(Varied(), 0, 47), 16 * kStep},
        // Ends in the last word count too: a step at column 48 and one with the whole page.
        StepsRow{"CharacterEndsInTheLastWord", SHOW_BY_CHARACTER, Varied(), {0, 0, 0, 0x8001}, 2,
                 Columns(Varied(), 0, 48), Varied(), 16 * kStep}),
    [](const auto& row) { return std::string(row.param.name); });

// Without character ends a 逐字 page appears whole at once.
TEST(PageSteps, APageWithoutCharacterEndsIsHeldAtOnce) {
    const std::vector<ShownImage> played = PlayedShow(PagesOf(SHOW_BY_CHARACTER, Varied(), {0, 0, 0, 0}), 0);
    ASSERT_EQ(played.size(), 1u);
    EXPECT_EQ(played.front().words, Varied());
}

// Every LED in a fixed scattered order: each step lights as many more of a
// lit page, spread over the sign, and turns none off, each LED once, the
// same order on every page.
TEST(Dissolve, LightsEveryLedOnceInTheSameScatteredOrderOnEveryPage) {
    const std::vector<ShownImage> played = PlayedShow(PagesOf(SHOW_DISSOLVE, Full(), {}, 2), 0);
    ASSERT_EQ(played.size() % 2, 0u);
    const std::size_t perPage = played.size() / 2;
    ASSERT_GE(perPage, 33u) << "too few steps for a sensible time at the fast speed";
    const std::size_t steps = perPage - 1;
    const int perStep = Lit(played[0].words);
    ASSERT_GT(perStep, 1);
    ColumnWords before{};
    for (std::size_t s = 0; s < steps; ++s) {
        SCOPED_TRACE("step " + std::to_string(s));
        const ColumnWords& now = played[s].words;
        std::set<int> rows, columns;
        for (std::size_t j = 0; j < now.size(); ++j) {
            EXPECT_EQ(now[j] & before[j], before[j]) << "an LED went out";
            for (int r = 0; r < kSignRows; ++r)
                if ((now[j] & ~before[j]) >> r & 1) rows.insert(r), columns.insert(int(j));
        }
        EXPECT_EQ(Lit(now), perStep * static_cast<int>(s + 1));
        EXPECT_GE(rows.size(), 4u) << "not scattered";
        EXPECT_GE(columns.size(), 4u) << "not scattered";
        before = now;
    }
    EXPECT_EQ(played[steps].words, Full());
    EXPECT_GT(Lit(played[steps].words) - Lit(played[steps - 1].words), 0);
    EXPECT_LE(Lit(played[steps].words) - Lit(played[steps - 1].words), perStep + 1);
    for (std::size_t s = 0; s < perPage; ++s) EXPECT_EQ(played[perPage + s].words, played[s].words) << "step " << s;
}

// A dissolving page shows only its own LEDs.
TEST(Dissolve, ShowsOnlyThePagesLeds) {
    const ColumnWords page = Varied();
    for (const ShownImage& image : PlayedShow(PagesOf(SHOW_DISSOLVE, page), 0))
        for (std::size_t j = 0; j < page.size(); ++j) EXPECT_EQ(image.words[j] & ~page[j], 0) << "column " << j;
}

// 右移 is 左移 seen in a mirror, of the text read backwards: step for step,
// from a dark sign until the first column has left at the right.
TEST(ScrollRight, IsTheMirrorOfScrollLeftOverTheReversedText) {
    std::vector<std::uint16_t> text(90);
    for (std::size_t n = 0; n < text.size(); ++n) text[n] = static_cast<std::uint16_t>((n + 1) * 2654435761u >> 16);
    const auto played = [&](std::uint32_t kind, std::vector<std::uint16_t> words) {
        Shows shows;
        shows.words = std::move(words);
        shows.shows.push_back({kind, 0, std::uint32_t(shows.words.size()), kHold, kStep});
        return PlayedShow(shows, 0);
    };
    const auto right = played(SHOW_SCROLL_RIGHT, text);
    const auto left = played(SHOW_SCROLL_LEFT, std::vector<std::uint16_t>(text.rbegin(), text.rend()));
    ASSERT_EQ(right.size(), text.size() + kSignColumns);
    ASSERT_EQ(left.size(), right.size());
    EXPECT_EQ(right.front().words, ColumnWords{});
    EXPECT_EQ(right[1].words[0], text.back());
    EXPECT_EQ(right.back().words[kSignColumns - 1], text.front());
    for (std::size_t s = 0; s < right.size(); ++s) {
        ColumnWords mirrored = left[s].words;
        std::ranges::reverse(mirrored);
        EXPECT_EQ(right[s].words, mirrored) << "step " << s;
        EXPECT_EQ(right[s].columns, std::uint64_t{kStep} * kSignColumns);
    }
}

}  // namespace
}  // namespace award
