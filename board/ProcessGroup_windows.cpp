#include "board/ProcessGroup.h"

#include <windows.h>

#include <map>
#include <mutex>

// Windows has no process groups; a job object holds a process and every
// process it starts. Windows tools have no signal to clean up on, so asking
// and forcing both end the job; the tools' files are in the job's own
// temporary folder, which is removed afterwards anyway.

namespace award::process_group {
namespace {

std::mutex jobsLock;
std::map<qint64, HANDLE> jobs;  // by the leader's process id

HANDLE JobOf(qint64 leader) {
    const std::lock_guard lock(jobsLock);
    const auto found = jobs.find(leader);
    return found == jobs.end() ? nullptr : found->second;
}

// The leader is taken into its job as soon as it runs; what it starts from
// then on joins by itself.
void Adopt(qint64 leader) {
    HANDLE job = CreateJobObjectW(nullptr, nullptr);
    HANDLE process = OpenProcess(PROCESS_SET_QUOTA | PROCESS_TERMINATE, FALSE, DWORD(leader));
    if (job && process && AssignProcessToJobObject(job, process)) {
        const std::lock_guard lock(jobsLock);
        if (const auto old = jobs.find(leader); old != jobs.end()) CloseHandle(old->second);
        jobs[leader] = job;
        job = nullptr;
    }
    if (process) CloseHandle(process);
    if (job) CloseHandle(job);
}

}  // namespace

void LeadNewGroup(QProcess& process) {
    QObject::connect(&process, &QProcess::started, &process, [&process] { Adopt(process.processId()); });
}

void AskToEnd(qint64 leader) { ForceEnd(leader); }

void ForceEnd(qint64 leader) {
    if (HANDLE job = JobOf(leader)) TerminateJobObject(job, 1);
}

std::vector<qint64> LiveMembers(qint64 leader) {
    std::vector<qint64> members;
    HANDLE job = JobOf(leader);
    if (!job) return members;
    // Room for more tools than a compile ever runs at once.
    struct {
        JOBOBJECT_BASIC_PROCESS_ID_LIST list;
        ULONG_PTR more[255];
    } ids{};
    ids.list.NumberOfAssignedProcesses = 256;
    if (QueryInformationJobObject(job, JobObjectBasicProcessIdList, &ids, sizeof ids, nullptr)) {
        for (DWORD i = 0; i < ids.list.NumberOfProcessIdsInList; ++i)
            members.push_back(qint64(ids.list.ProcessIdList[i]));
    }
    if (members.empty()) {
        const std::lock_guard lock(jobsLock);
        CloseHandle(job);
        jobs.erase(leader);
    }
    return members;
}

}  // namespace award::process_group
