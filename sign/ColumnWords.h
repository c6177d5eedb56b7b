#pragma once

#include "sign/SignGeometry.h"

#include <array>
#include <cstdint>

namespace award {

// One image on the sign: a word for each column, bit n lighting the LED n
// rows down from the top.
using ColumnWords = std::array<std::uint16_t, kSignColumns>;

}  // namespace award
