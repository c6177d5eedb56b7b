#pragma once

#include <QString>

namespace award {

// The companion command's --help: its options, the board's capacities and the
// marquee's speeds as the format gives them, and what each exit status means.
QString CommandHelp();

}  // namespace award
