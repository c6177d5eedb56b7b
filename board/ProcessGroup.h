#pragma once

#include <QtGlobal>

#include <chrono>
#include <vector>

namespace award::process_group {

// A tool started as the leader of its own process group takes every process
// it starts into that group, even those that outlive it. Signalling the group
// reaches them all: the compiler driver, cc1plus, the assembler, the linker.

// Makes the calling process the leader of a new group; for QProcess's child
// process modifier, between fork and exec.
void LeadNewGroup();

// Sends `signal` to every process of the group led by `leader`.
void Signal(qint64 leader, int signal);

// The processes of the group that still run (zombies excepted), from /proc.
std::vector<qint64> LiveMembers(qint64 leader);

// Waits up to `limit` for the group's last process to end; true when none is left.
bool AwaitEnd(qint64 leader, std::chrono::milliseconds limit);

}  // namespace award::process_group
