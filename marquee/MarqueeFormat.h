#pragma once

#include <QStringView>

// The marquee sketch: the whole text as one line of column words in flash,
// parts m0, m1, ... of kPartWords words, and how many sweeps
// the sign makes before the text moves on by one column.

namespace award {

inline constexpr QStringView kMarqueePartName = u"m";
inline constexpr QStringView kMarqueeSweepsName = u"sweeps";

}  // namespace award
