#pragma once

#include "sign/sign.h"

namespace award {

// Which sign the program drives, and from which board: chosen once, in the
// 看板 menu or with the command's --sign and --board, and kept.
enum class SignKind {
    School,  // 學校看板（Mega 2560 的埠 C、F、K）: a decoder picks a column on port C, ports F and K light its rows
    P10Pair  // P10 面板兩片（HUB12）: two 32 x 16 panels side by side, shifted in a quarter of the rows at a time
};
enum class BoardKind {
    Mega2560,  // Arduino Mega 2560
    Uno        // Arduino Uno / Nano (ATmega328P)
};

struct SignTarget {
    SignKind sign = SignKind::School;
    BoardKind board = BoardKind::Mega2560;
    // 1 to SIGN_BRIGHTEST: the share of its time each LED is lit, in eighths.
    int brightness = SIGN_BRIGHTEST;

    bool operator==(const SignTarget&) const = default;
};

// The school's sign at full brightness keeps the phrase sketch its users know,
// with its own driver; any other sign, board or brightness plays a phrase
// table through the engine.
inline constexpr bool KeepsOwnPhraseSketch(const SignTarget& target) {
    return target.sign == SignKind::School && target.board == BoardKind::Mega2560 &&
           target.brightness == SIGN_BRIGHTEST;
}

// The school's sign needs ports C, F and K, which only the Mega 2560 has.
inline constexpr bool BoardDrivesSign(SignKind sign, BoardKind board) {
    return sign == SignKind::P10Pair || board == BoardKind::Mega2560;
}

}  // namespace award
