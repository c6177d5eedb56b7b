#pragma once

// What avr-gcc accepts of a sketch: no single object, such as a table, over
// this many bytes. Tables bigger than that are cut into parts.

namespace award {

inline constexpr int kMaxObjectBytes = 32767;

}  // namespace award
