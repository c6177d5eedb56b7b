#include "program/ProgramFormat.h"

namespace award {

StyleCode CodeOf(ItemStyle style) {
    switch (style) {
    case ItemStyle::Static: return StyleCode::Static;
    case ItemStyle::ScrollLeft: return StyleCode::ScrollLeft;
    case ItemStyle::ScrollUp: return StyleCode::ScrollUp;
    case ItemStyle::Blink: return StyleCode::Blink;
    case ItemStyle::Wipe: return StyleCode::Wipe;
    }
    return StyleCode::Static;
}

ItemStyle StyleOnBoard(std::uint32_t code) {
    switch (StyleCode(code)) {
    case StyleCode::ScrollLeft: return ItemStyle::ScrollLeft;
    case StyleCode::ScrollUp: return ItemStyle::ScrollUp;
    case StyleCode::Blink: return ItemStyle::Blink;
    case StyleCode::Wipe: return ItemStyle::Wipe;
    case StyleCode::Static: break;
    }
    return ItemStyle::Static;
}

bool StyleHasPages(ItemStyle style) { return style != ItemStyle::ScrollLeft; }

bool StyleUsesSpeed(ItemStyle style) { return style != ItemStyle::Static && style != ItemStyle::Blink; }

std::uint64_t StepSweepsPerPage(ItemStyle style, std::uint32_t stepSweeps) {
    switch (style) {
    case ItemStyle::ScrollUp: return std::uint64_t{stepSweeps} * kRiseSteps;
    case ItemStyle::Wipe: return std::uint64_t{stepSweeps} * kWipeSteps;
    case ItemStyle::Blink: return 2ULL * kBlinkTimes * kBlinkSweeps;
    case ItemStyle::Static:
    case ItemStyle::ScrollLeft: break;
    }
    return 0;
}

}  // namespace award
