#pragma once

#include "program/Program.h"

#include <ostream>

// How test listings and failures name a way to show. Every test file that
// prints a style includes this: a file that printed one without it would
// print its bytes, and the linker may take that printer for all of them.
namespace award {

inline void PrintTo(ItemStyle style, std::ostream* out) { *out << StyleName(style).toStdString(); }

}  // namespace award
