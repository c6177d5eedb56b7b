#pragma once

#include "sign/SignTarget.h"

namespace award {

// The sign, board and brightness the user chose last, kept for the next run
// of the program. A kept choice the program cannot drive, such as the
// school's sign on an Uno, comes back as the nearest it can.
SignTarget RememberedTarget();
void RememberTarget(const SignTarget& target);

}  // namespace award
