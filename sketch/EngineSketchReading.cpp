#include "sketch/EngineSketchReading.h"

#include "sketch/CppDeclarations.h"
#include "sketch/SketchCode.h"

namespace award {

DriverMatch MatchDriver(const CppTokens& t, const std::vector<std::pair<std::size_t, std::size_t>>& ranges,
                        const std::function<QString(const SignTarget&)>& fixedCode) {
    DriverMatch match;
    for (const SignTarget& target : kSignsAndBoards) {
        const auto difference = DifferenceFrom(t, ranges, *TokenizeCpp(fixedCode(target)));
        if (!difference) return {target, {}};
        if (difference->line > match.refusal.line || match.refusal.why.isEmpty()) match.refusal = *difference;
    }
    return match;
}

std::optional<int> ReadBrightness(const CppTokens& t, std::size_t name, std::size_t end, Refusal& refusal) {
    TokenCursor c(t, name + 1, end);
    const int line = t.LineOfToken(name);
    const auto refuse = [&] {
        return Refuse(refusal, {line, QStringLiteral("亮度 %1 要是 1 到 %2 的整數").arg(sketch::kBrightnessName)
                                          .arg(int{SIGN_BRIGHTEST})});
    };
    if (!c.Take(u"=")) return refuse();
    const auto value = c.Value<std::uint64_t>();
    if (!value || !c.AtEnd() || *value < 1 || *value > std::uint64_t{SIGN_BRIGHTEST}) return refuse();
    return int(*value);
}

}  // namespace award
