#include "board/ProcessGroup.h"

#include <thread>

namespace award::process_group {

// The same wait on every system: only the way of listing the members differs.
bool AwaitEnd(qint64 leader, std::chrono::milliseconds limit) {
    using Clock = std::chrono::steady_clock;
    const auto end = Clock::now() + limit;
    while (!LiveMembers(leader).empty()) {
        if (Clock::now() >= end) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return true;
}

}  // namespace award::process_group
