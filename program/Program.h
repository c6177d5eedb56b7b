#pragma once

#include "picture/ItemPicture.h"
#include "sign/SignTiming.h"

#include <QString>
#include <QStringView>

#include <array>
#include <optional>
#include <vector>

namespace award {

// A sign program: items shown one after another, each with its own way of
// showing its text and picture, then the first again. Face, style and first
// scan row are the window's, one setting for the whole program.
enum class ItemStyle { Static, ScrollLeft, ScrollUp, Blink, Wipe, ScrollDown, ScrollRight, ByCharacter, Open, Blinds, Dissolve };
enum class ItemAlign { Left, Centre };
// Each in the order the editor offers them.
inline constexpr std::array kItemStyles{ItemStyle::Static,     ItemStyle::ScrollLeft,  ItemStyle::ScrollUp,
                                        ItemStyle::Blink,      ItemStyle::Wipe,        ItemStyle::ScrollDown,
                                        ItemStyle::ScrollRight, ItemStyle::ByCharacter, ItemStyle::Open,
                                        ItemStyle::Blinds,     ItemStyle::Dissolve};
inline constexpr std::array kMarqueeSpeeds{MarqueeSpeed::Slow, MarqueeSpeed::Medium, MarqueeSpeed::Fast};
inline constexpr std::array kItemAligns{ItemAlign::Left, ItemAlign::Centre};

struct ProgramItem {
    QString text = {};
    ItemStyle style = ItemStyle::Static;
    // How long each page stays lit once in place.
    double holdSeconds = 1.5;
    MarqueeSpeed speed = MarqueeSpeed::Medium;
    ItemAlign align = ItemAlign::Centre;
    // Shown at the left of the text, as one line with it.
    ItemPicture picture = {};

    bool operator==(const ProgramItem&) const = default;
};

using Program = std::vector<ProgramItem>;

inline constexpr double kMinHoldSeconds = 0.5;
inline constexpr double kMaxHoldSeconds = 60.0;
inline constexpr double kHoldStepSeconds = 0.1;

// A hold time as the editor shows it and program files hold it: one decimal.
QString HoldSecondsText(double seconds);
// A hold time the sign keeps, from the least to the most in whole steps, as
// the nearest double to its step; nothing for any other number.
std::optional<double> HoldSecondsFrom(double seconds);
// The same, read as program files write it, whatever the user's locale.
std::optional<double> HoldSecondsFrom(QStringView text);

// The words the editor shows and program files hold, one home for each.
QString StyleName(ItemStyle style);
QString SpeedName(MarqueeSpeed speed);
QString AlignName(ItemAlign align);
std::optional<ItemStyle> StyleNamed(QStringView name);
std::optional<MarqueeSpeed> SpeedNamed(QStringView name);
std::optional<ItemAlign> AlignNamed(QStringView name);
// A picture's threshold and 反相: 自動 or the grey level the user chose, 是 or 否.
QString ThresholdName(std::optional<int> threshold);
QString InvertedName(bool inverted);
std::optional<bool> InvertedNamed(QStringView name);
// Every name of one kind, as a message lists what it accepts: "慢、中 或 快".
QString StyleNamesInWords();
QString SpeedNamesInWords();
QString AlignNamesInWords();

}  // namespace award
