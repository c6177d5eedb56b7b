#pragma once

#include <QProcess>
#include <QtGlobal>

#include <chrono>
#include <vector>

namespace award::process_group {

// A tool started as the leader of its own process group takes every process
// it starts into that group, even those that outlive it. Ending the group
// reaches them all: the compiler driver, cc1plus, the assembler, the linker.
// On Linux the group is a POSIX process group; on Windows, a job object.

// Makes `process`, when it starts, the leader of a new group.
void LeadNewGroup(QProcess& process);

// Asks every process of the group led by `leader` to end (they may clean up
// first), or, forced, ends them at once.
void AskToEnd(qint64 leader);
void ForceEnd(qint64 leader);

// The processes of the group that still run (zombies excepted).
std::vector<qint64> LiveMembers(qint64 leader);

// Waits up to `limit` for the group's last process to end; true when none is left.
bool AwaitEnd(qint64 leader, std::chrono::milliseconds limit);

}  // namespace award::process_group
