#pragma once

namespace award {

// The most phrases whose sketch still leaves 512 of the Arduino Mega 2560's
// 8192 bytes of SRAM for the stack. The frame table lives in SRAM: each phrase
// adds a row of 65 two-byte words, and one more phrase would cut the stack's
// share below 512 bytes. Found by compiling generated sketches with the
// Arduino IDE's flags; the board tests keep it honest.
inline constexpr int kMega2560MaxPhrases = 55;

}  // namespace award
