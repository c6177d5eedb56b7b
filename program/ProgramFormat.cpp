#include "program/ProgramFormat.h"

#include "engine/shows.h"

#include <QStringList>

namespace award {

std::uint32_t CodeOf(ItemStyle style) {
    switch (style) {
    case ItemStyle::Static: return SHOW_STILL;
    case ItemStyle::ScrollLeft: return SHOW_SCROLL_LEFT;
    case ItemStyle::ScrollUp: return SHOW_RISE;
    case ItemStyle::Blink: return SHOW_BLINK;
    case ItemStyle::Wipe: return SHOW_WIPE;
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

bool StyleHasPages(ItemStyle style) { return style != ItemStyle::ScrollLeft; }

bool StyleUsesSpeed(ItemStyle style) { return style != ItemStyle::Static && style != ItemStyle::Blink; }

}  // namespace award
