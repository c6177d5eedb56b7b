#include "surface/StrokeInk.h"

#include <algorithm>
#include <functional>
#include <queue>
#include <utility>

namespace award {
namespace {

// A fine-grid piece of fewer pixels than this (a quarter of a pixel at four
// times the size) is a speck of the rasteriser, not a stroke.
constexpr int kMinStrokeArea = 4;

// Coverage from which a pixel of the fine drawing belongs to a stroke.
constexpr int kFineInk = 128;

// Calls visit with each of the eight neighbours of cell p that lie in the grid.
template <class Visit>
void ForEachNeighbour(int width, int rows, int p, Visit visit) {
    const int x = p % width, y = p / width;
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx) {
            const int nx = x + dx, ny = y + dy;
            if ((dx || dy) && nx >= 0 && ny >= 0 && nx < width && ny < rows) visit(ny * width + nx);
        }
}

// Numbers the 8-connected groups of cells for which `set` holds, 0 upwards;
// -1 for the other cells. Returns how many there are.
int LabelGroups(int width, int rows, const std::function<bool(int)>& set, std::vector<int>& label) {
    label.assign(static_cast<std::size_t>(width) * rows, -1);
    std::vector<int> stack;
    int groups = 0;
    for (int start = 0; start < width * rows; ++start) {
        if (label[static_cast<std::size_t>(start)] >= 0 || !set(start)) continue;
        label[static_cast<std::size_t>(start)] = groups;
        stack.assign(1, start);
        while (!stack.empty()) {
            const int cell = stack.back();
            stack.pop_back();
            ForEachNeighbour(width, rows, cell, [&](int next) {
                if (label[static_cast<std::size_t>(next)] >= 0 || !set(next)) return;
                label[static_cast<std::size_t>(next)] = groups;
                stack.push_back(next);
            });
        }
        ++groups;
    }
    return groups;
}

// Lights the fewest pixels of one stroke, those of the highest coverage among
// equally few, that join all its lit pixels into one 8-connected group.
// `member` marks the coarse pixels the stroke passes through, listed in `pixels`.
void JoinStroke(std::vector<std::uint8_t>& ink, const Coverage& coarse, const std::vector<int>& pixels,
                const std::vector<char>& member) {
    const int width = coarse.width;
    const auto lit = [&](int p) { return ink[static_cast<std::size_t>(p)] != 0; };
    const auto firstLit = std::ranges::find_if(pixels, lit);
    int seed = firstLit != pixels.end() ? *firstLit : -1;
    if (seed < 0) {  // too thin for the threshold anywhere: its best pixel stands for it
        const auto coverage = [&](int p) { return coarse.values[static_cast<std::size_t>(p)]; };
        seed = *std::ranges::max_element(pixels, {}, coverage);
        ink[static_cast<std::size_t>(seed)] = 1;
    }
    const auto neighbours = [&](int p, auto visit) {
        ForEachNeighbour(width, coarse.rows, p, [&](int n) {
            if (member[static_cast<std::size_t>(n)]) visit(n);
        });
    };
    std::vector<char> joined(member.size(), 0);
    std::vector<int> group;
    std::vector<long> cost(member.size());
    std::vector<int> from(member.size());
    for (;;) {
        // The lit part of the stroke that the seed reaches.
        const auto litMember = [&](int p) { return member[static_cast<std::size_t>(p)] && lit(p); };
        LabelGroups(width, coarse.rows, litMember, group);
        for (std::size_t p = 0; p < joined.size(); ++p) joined[p] = group[p] == group[std::size_t(seed)];
        // The cheapest way from it to another lit part: each pixel lit on the
        // way costs more than any difference in coverage.
        using Step = std::pair<long, int>;
        std::priority_queue<Step, std::vector<Step>, std::greater<>> queue;
        cost.assign(member.size(), -1);
        for (const int p : pixels)
            if (joined[static_cast<std::size_t>(p)]) {
                cost[static_cast<std::size_t>(p)] = 0;
                from[static_cast<std::size_t>(p)] = -1;
                queue.emplace(0, p);
            }
        int reached = -1;
        while (!queue.empty() && reached < 0) {
            // Plain variables: clang 14, which builds the fuzzer, cannot capture
            // structured bindings in the lambda below.
            const long c = queue.top().first;
            const int p = queue.top().second;
            queue.pop();
            if (c > cost[static_cast<std::size_t>(p)]) continue;
            if (lit(p) && !joined[static_cast<std::size_t>(p)]) {
                reached = p;
                break;
            }
            neighbours(p, [&](int n) {
                const long step = lit(n) ? 0 : 256 + 255 - coarse.values[static_cast<std::size_t>(n)];
                auto& known = cost[static_cast<std::size_t>(n)];
                if (known < 0 || c + step < known) {
                    known = c + step;
                    from[static_cast<std::size_t>(n)] = p;
                    queue.emplace(known, n);
                }
            });
        }
        if (reached < 0) return;
        for (int p = reached; p >= 0 && !joined[static_cast<std::size_t>(p)]; p = from[static_cast<std::size_t>(p)])
            ink[static_cast<std::size_t>(p)] = 1;
    }
}

}  // namespace

std::vector<std::uint8_t> InkKeepingStrokes(const Coverage& coarse, const Coverage& fine, int scale,
                                            int inkCoverage) {
    const int width = coarse.width, rows = coarse.rows;
    std::vector<std::uint8_t> ink(coarse.values.size());
    for (std::size_t i = 0; i < ink.size(); ++i) ink[i] = coarse.values[i] >= inkCoverage ? 1 : 0;

    std::vector<int> strokeOf;
    const int strokes = LabelGroups(fine.width, fine.rows,
                                    [&](int i) { return fine.values[static_cast<std::size_t>(i)] >= kFineInk; },
                                    strokeOf);
    std::vector<std::vector<int>> pixels(static_cast<std::size_t>(strokes));
    std::vector<int> area(static_cast<std::size_t>(strokes), 0);
    for (int fy = 0; fy < fine.rows; ++fy)
        for (int fx = 0; fx < fine.width; ++fx) {
            const int s = strokeOf[static_cast<std::size_t>(fy * fine.width + fx)];
            if (s < 0) continue;
            ++area[static_cast<std::size_t>(s)];
            const int p = std::min(fy / scale, rows - 1) * width + std::min(fx / scale, width - 1);
            auto& list = pixels[static_cast<std::size_t>(s)];
            if (list.empty() || list.back() != p) list.push_back(p);
        }
    std::vector<char> member(ink.size(), 0);
    for (int s = 0; s < strokes; ++s) {
        auto& list = pixels[static_cast<std::size_t>(s)];
        if (area[static_cast<std::size_t>(s)] < kMinStrokeArea) continue;
        std::sort(list.begin(), list.end());
        list.erase(std::unique(list.begin(), list.end()), list.end());
        for (const int p : list) member[static_cast<std::size_t>(p)] = 1;
        JoinStroke(ink, coarse, list, member);
        for (const int p : list) member[static_cast<std::size_t>(p)] = 0;
    }

    // A pixel left alone (a dot of a stroke that the outline keeps apart) gains
    // its best-covered neighbour, so that it reads as a mark and not as noise.
    for (int p = 0; p < width * rows; ++p) {
        if (!ink[static_cast<std::size_t>(p)]) continue;
        int best = -1, bestCoverage = -1;
        bool alone = true;
        ForEachNeighbour(width, rows, p, [&](int n) {
            const int coverage = coarse.values[static_cast<std::size_t>(n)];
            if (ink[static_cast<std::size_t>(n)]) {
                alone = false;
            } else if (alone && coverage > bestCoverage) {
                best = n;
                bestCoverage = coverage;
            }
        });
        if (alone && best >= 0) ink[static_cast<std::size_t>(best)] = 1;
    }
    return ink;
}

void AddBoldInk(std::vector<std::uint8_t>& ink, const Coverage& bold, int inkCoverage) {
    const int width = bold.width, rows = bold.rows;
    const auto lit = [&](int x, int y) {
        return x >= 0 && y >= 0 && x < width && y < rows && ink[static_cast<std::size_t>(y * width + x)] != 0;
    };
    // A pixel may be inked without joining two strokes, closing a new counter
    // or filling one when the ink around it, walking its eight neighbours,
    // touches it in exactly one place: Yokoi's connectivity number for
    // 8-connected ink is then 1.
    const auto keepsShape = [&](int x, int y) {
        static constexpr int kRingX[8] = {1, 1, 0, -1, -1, -1, 0, 1};
        static constexpr int kRingY[8] = {0, -1, -1, -1, 0, 1, 1, 1};
        bool dark[8];
        for (int k = 0; k < 8; ++k) dark[k] = !lit(x + kRingX[k], y + kRingY[k]);
        int runs = 0;
        for (int k = 0; k < 8; k += 2) runs += dark[k] && !(dark[k + 1] && dark[(k + 2) % 8]);
        return runs == 1;
    };
    std::vector<int> candidates;
    for (int i = 0; i < width * rows; ++i)
        if (!ink[static_cast<std::size_t>(i)] && bold.values[static_cast<std::size_t>(i)] >= inkCoverage)
            candidates.push_back(i);
    // Best covered first, so that where only one of two pixels may be inked
    // it is the one more of the bold outline covers.
    std::stable_sort(candidates.begin(), candidates.end(), [&](int a, int b) {
        return bold.values[static_cast<std::size_t>(a)] > bold.values[static_cast<std::size_t>(b)];
    });
    // A pixel refused because it touched no ink yet may be taken once a
    // neighbour has been.
    for (bool added = true; added;) {
        added = false;
        for (int& p : candidates) {
            if (p < 0 || !keepsShape(p % width, p / width)) continue;
            ink[static_cast<std::size_t>(p)] = 1;
            p = -1;
            added = true;
        }
    }
}

}  // namespace award
