#include "board/ProcessGroup.h"

#include <QDir>
#include <QFile>

#include <signal.h>
#include <unistd.h>


namespace award::process_group {

void LeadNewGroup(QProcess& process) {
    // Between fork and exec, in the child.
    process.setChildProcessModifier([] { ::setpgid(0, 0); });
}

namespace {
void Signal(qint64 leader, int signal) {
    if (leader > 0) ::kill(-static_cast<pid_t>(leader), signal);
}
}  // namespace

void AskToEnd(qint64 leader) { Signal(leader, SIGTERM); }
void ForceEnd(qint64 leader) { Signal(leader, SIGKILL); }

std::vector<qint64> LiveMembers(qint64 leader) {
    std::vector<qint64> members;
    if (leader <= 0) return members;
    const QStringList entries = QDir(QStringLiteral("/proc")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString& entry : entries) {
        bool isPid = false;
        const qint64 pid = entry.toLongLong(&isPid);
        if (!isPid) continue;
        QFile stat(QStringLiteral("/proc/%1/stat").arg(entry));
        if (!stat.open(QIODevice::ReadOnly)) continue;
        // "pid (command) state ppid pgrp ...": the command may hold spaces
        // and parentheses, so the fields are counted from its last ')'.
        const QByteArray line = stat.readAll();
        const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
        if (fields.size() > 2 && fields[0] != "Z" && fields[2].toLongLong() == leader) members.push_back(pid);
    }
    return members;
}

}  // namespace award::process_group
