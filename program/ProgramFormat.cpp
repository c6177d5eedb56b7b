#include "program/ProgramFormat.h"

#include <QStringList>

namespace award {

std::uint32_t CodeOf(ItemStyle style) {
    switch (style) {
    case ItemStyle::Static: return SHOW_STILL;
    case ItemStyle::ScrollLeft: return SHOW_SCROLL_LEFT;
    case ItemStyle::ScrollUp: return SHOW_RISE;
    case ItemStyle::Blink: return SHOW_BLINK;
    case ItemStyle::Wipe: return SHOW_WIPE;
    case ItemStyle::ScrollDown: return SHOW_DROP;
    case ItemStyle::ScrollRight: return SHOW_SCROLL_RIGHT;
    case ItemStyle::ByCharacter: return SHOW_BY_CHARACTER;
    case ItemStyle::Open: return SHOW_OPEN;
    case ItemStyle::Blinds: return SHOW_BLINDS;
    case ItemStyle::Dissolve: return SHOW_DISSOLVE;
    }
    return SHOW_STILL;
}

ItemStyle StyleOnBoard(std::uint32_t code) {
    for (const ItemStyle style : kItemStyles)
        if (CodeOf(style) == code) return style;
    return ItemStyle::Static;
}

QString StyleCodesInWords() {
    QStringList codes;
    for (const ItemStyle style : kItemStyles) codes << QStringLiteral("%1 %2").arg(CodeOf(style)).arg(StyleName(style));
    return codes.join(u'、');
}

bool StyleHasPages(ItemStyle style) { return style != ItemStyle::ScrollLeft && style != ItemStyle::ScrollRight; }

bool StyleUsesSpeed(ItemStyle style) { return style != ItemStyle::Static && style != ItemStyle::Blink; }

bool StyleMarksCharacters(ItemStyle style) { return style == ItemStyle::ByCharacter; }

int PageWords(ItemStyle style) { return kSignColumns + (StyleMarksCharacters(style) ? CHARACTER_MARK_WORDS : 0); }

static_assert(CHARACTER_MARK_WORDS * 16 == kSignColumns, "a bit of the marks for every column");

CharacterEndWords WordsOf(const CharacterEnds& ends) {
    CharacterEndWords words{};
    for (std::size_t j = 0; j < ends.size(); ++j)
        if (ends[j]) words[j / 16] = static_cast<std::uint16_t>(words[j / 16] | 1u << (j % 16));
    return words;
}

CharacterEnds CharacterEndsOf(std::span<const std::uint16_t, CHARACTER_MARK_WORDS> words) {
    CharacterEnds ends;
    for (std::size_t j = 0; j < ends.size(); ++j) ends[j] = (words[j / 16] >> (j % 16)) & 1u;
    return ends;
}

}  // namespace award
