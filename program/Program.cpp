#include "program/Program.h"

#include <QLocale>
#include <QRegularExpression>
#include <QStringList>

#include <cmath>
#include <utility>

namespace award {
namespace {

template <class Value, std::size_t N>
QString NameOf(const std::array<std::pair<Value, const char16_t*>, N>& names, Value value) {
    for (const auto& [v, name] : names)
        if (v == value) return QString::fromUtf16(name);
    return {};
}

template <class Value, std::size_t N>
std::optional<Value> ValueNamed(const std::array<std::pair<Value, const char16_t*>, N>& names, QStringView name) {
    for (const auto& [v, n] : names)
        if (name == QStringView(n)) return v;
    return std::nullopt;
}

constexpr std::array<std::pair<ItemStyle, const char16_t*>, kItemStyles.size()> kStyles{{
    {ItemStyle::Static, u"靜止"},
    {ItemStyle::ScrollLeft, u"左移"},
    {ItemStyle::ScrollUp, u"上移"},
    {ItemStyle::Blink, u"閃爍"},
    {ItemStyle::Wipe, u"拉幕"},
    {ItemStyle::ScrollDown, u"下移"},
    {ItemStyle::ScrollRight, u"右移"},
    {ItemStyle::ByCharacter, u"逐字"},
    {ItemStyle::Open, u"展開"},
    {ItemStyle::Blinds, u"百葉窗"},
    {ItemStyle::Dissolve, u"溶解"},
}};
constexpr std::array<std::pair<MarqueeSpeed, const char16_t*>, 3> kSpeeds{{
    {MarqueeSpeed::Slow, u"慢"},
    {MarqueeSpeed::Medium, u"中"},
    {MarqueeSpeed::Fast, u"快"},
}};
// "a、b 或 c"
template <class Value, std::size_t N>
QString InWords(const std::array<std::pair<Value, const char16_t*>, N>& names) {
    QStringList words;
    for (std::size_t i = 0; i + 1 < N; ++i) words << QString::fromUtf16(names[i].second);
    return words.join(u'、') + QStringLiteral(" 或 ") + QString::fromUtf16(names[N - 1].second);
}

constexpr std::array<std::pair<ItemAlign, const char16_t*>, 2> kAligns{{
    {ItemAlign::Left, u"靠左"},
    {ItemAlign::Centre, u"置中"},
}};

}  // namespace

QString HoldSecondsText(double seconds) { return QString::number(seconds, 'f', 1); }

std::optional<double> HoldSecondsFrom(double seconds) {
    if (!std::isfinite(seconds)) return std::nullopt;
    const double steps = std::round(seconds / kHoldStepSeconds);
    if (std::abs(seconds / kHoldStepSeconds - steps) > 1e-6 || steps < std::round(kMinHoldSeconds / kHoldStepSeconds) ||
        steps > std::round(kMaxHoldSeconds / kHoldStepSeconds))
        return std::nullopt;
    // Divided, not multiplied, so that 15 steps are exactly the 1.5 typed in.
    return steps / std::round(1 / kHoldStepSeconds);
}

std::optional<double> HoldSecondsFrom(QStringView text) {
    // Digits with at most one that counts after the point: a longer fraction
    // would be bent to the nearest step, and a grouping comma read as nothing.
    static const QRegularExpression kDecimal(QStringLiteral("^[0-9]*(?:\\.[0-9]?0*)?$"));
    if (text.isEmpty() || text == u"." || !kDecimal.match(text.toString()).hasMatch()) return std::nullopt;
    bool isNumber = false;
    const double seconds = QLocale::c().toDouble(text, &isNumber);
    return isNumber ? HoldSecondsFrom(seconds) : std::nullopt;
}

QString StyleName(ItemStyle style) { return NameOf(kStyles, style); }
QString SpeedName(MarqueeSpeed speed) { return NameOf(kSpeeds, speed); }
QString AlignName(ItemAlign align) { return NameOf(kAligns, align); }
std::optional<ItemStyle> StyleNamed(QStringView name) { return ValueNamed(kStyles, name); }
std::optional<MarqueeSpeed> SpeedNamed(QStringView name) { return ValueNamed(kSpeeds, name); }
std::optional<ItemAlign> AlignNamed(QStringView name) { return ValueNamed(kAligns, name); }
QString ThresholdName(std::optional<int> threshold) {
    return threshold ? QString::number(*threshold) : QStringLiteral("自動");
}
QString InvertedName(bool inverted) { return inverted ? QStringLiteral("是") : QStringLiteral("否"); }
std::optional<bool> InvertedNamed(QStringView name) {
    if (name == InvertedName(true)) return true;
    if (name == InvertedName(false)) return false;
    return std::nullopt;
}
QString StyleNamesInWords() { return InWords(kStyles); }
QString SpeedNamesInWords() { return InWords(kSpeeds); }
QString AlignNamesInWords() { return InWords(kAligns); }

}  // namespace award
