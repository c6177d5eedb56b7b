#pragma once

#include "sketch/CppTokens.h"
#include "sign/SignTarget.h"

#include <array>
#include <cstddef>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

// What every reading of a sketch the engine plays shares: the signs and
// boards its driver may be written for, and the brightness it names.

namespace award {

// Every sign and board a sketch is written for, in the order a reading tries them.
inline constexpr std::array<SignTarget, 3> kSignsAndBoards{{
    {SignKind::School, BoardKind::Mega2560},
    {SignKind::P10Pair, BoardKind::Mega2560},
    {SignKind::P10Pair, BoardKind::Uno},
}};

// The sign and board whose driver the code in `ranges` is, token for token,
// given the fixed code a sketch has for each; else where the code parts from
// the driver it follows furthest.
struct DriverMatch {
    std::optional<SignTarget> target;
    Refusal refusal;
};
DriverMatch MatchDriver(const CppTokens& t, const std::vector<std::pair<std::size_t, std::size_t>>& ranges,
                        const std::function<QString(const SignTarget&)>& fixedCode);

// The brightness `= value` gives, read from the tokens [begin, end) after
// the name: a whole number from 1 to SIGN_BRIGHTEST in any form the compiler
// takes, or why not, at the name's line.
std::optional<int> ReadBrightness(const CppTokens& t, std::size_t name, std::size_t end, Refusal& refusal);

}  // namespace award
