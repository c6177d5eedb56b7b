#pragma once

#include "refusal/Refusal.h"

#include <optional>

namespace award::test {

// The kind of a refusal, or nothing where nothing was refused.
inline std::optional<Refusal::Kind> KindOf(const Refusal& refusal) {
    return refusal ? std::optional(refusal.kind) : std::nullopt;
}

}  // namespace award::test
