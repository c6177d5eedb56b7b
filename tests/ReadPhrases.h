#pragma once

#include "reading/SketchReader.h"

#include <optional>

namespace award::test {

// The phrase table a sketch text reads as; nothing for any other text.
inline std::optional<PhraseFrames> ReadPhrases(const QString& text) {
    auto read = ReadSketch(text);
    if (const auto* phrases = read ? std::get_if<PhraseFrames>(&*read) : nullptr) return *phrases;
    return std::nullopt;
}

}  // namespace award::test
