// Times process start until the main window is visible for several programs, in alternating
// order, beside an already running stand-in IDE; then reads each idle process's peak working
// set. Parks the mouse pointer first. Prints one line per program and run, "name ms bytes", for
// scripts/bench to sum up.
//
//   bench_startup ROUNDS IDLE_MS NAME=EXE[|ARGS] ...
// Each program starts in its own folder, as a user starts it.
#include <windows.h>
#include <mmsystem.h>
#include <psapi.h>

#include <cstdio>
#include <string>
#include <vector>

#include "handles.h"

namespace {

constexpr DWORD kAppearLimitMs = 20000;
constexpr DWORD kExitLimitMs = 10000;
constexpr DWORD kSettleMs = 300;

struct Program {
    std::wstring name;
    std::wstring exe;
    std::wstring arguments;
};

struct Sample {
    double milliseconds = -1;
    SIZE_T peakWorkingSet = 0;
};

using UniqueHandle = UniqueOwner<HANDLE, &CloseHandle>;

class Job {
  public:
    Job() : job_(CreateJobObjectW(nullptr, nullptr)) {
        JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
        limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
        SetInformationJobObject(job_.get(), JobObjectExtendedLimitInformation, &limits,
                                sizeof limits);
    }
    void Hold(HANDLE process) const { AssignProcessToJobObject(job_.get(), process); }

  private:
    UniqueHandle job_;
};

double Now() {
    static const double frequency = [] {
        LARGE_INTEGER f{};
        QueryPerformanceFrequency(&f);
        return static_cast<double>(f.QuadPart);
    }();
    LARGE_INTEGER counter{};
    QueryPerformanceCounter(&counter);
    return static_cast<double>(counter.QuadPart) * 1000.0 / frequency;
}

struct WindowSearch {
    DWORD processId;
    bool found;
};

BOOL CALLBACK FindVisible(HWND window, LPARAM context) {
    auto& search = *reinterpret_cast<WindowSearch*>(context);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == search.processId && IsWindowVisible(window) &&
        GetWindow(window, GW_OWNER) == nullptr) {
        search.found = true;
        return FALSE;
    }
    return TRUE;
}

bool HasVisibleWindow(DWORD processId) {
    WindowSearch search{processId, false};
    EnumWindows(FindVisible, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::wstring FolderOf(const std::wstring& exe) {
    return exe.substr(0, exe.find_last_of(L"\\/"));
}

Sample RunOnce(const Program& program, const Job& job, DWORD idleMs) {
    std::wstring commandLine = L"\"" + program.exe + L"\" " + program.arguments;
    const std::wstring folder = FolderOf(program.exe);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    Sample sample;
    const double start = Now();
    if (!CreateProcessW(program.exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0,
                        nullptr, folder.c_str(), &startup, &process))
        return sample;
    const UniqueHandle thread(process.hThread);
    const UniqueHandle running(process.hProcess);
    job.Hold(running.get());
    while (Now() - start < kAppearLimitMs && !HasVisibleWindow(process.dwProcessId) &&
           WaitForSingleObject(running.get(), 0) == WAIT_TIMEOUT)
        Sleep(1);
    if (HasVisibleWindow(process.dwProcessId))
        sample.milliseconds = Now() - start;
    Sleep(idleMs);
    PROCESS_MEMORY_COUNTERS memory{};
    memory.cb = sizeof memory;
    if (GetProcessMemoryInfo(running.get(), &memory, sizeof memory))
        sample.peakWorkingSet = memory.PeakWorkingSetSize;
    TerminateProcess(running.get(), 0);
    WaitForSingleObject(running.get(), kExitLimitMs);
    Sleep(kSettleMs);
    return sample;
}

Program ParseProgram(const std::wstring& spec) {
    const std::size_t equals = spec.find(L'=');
    const std::size_t bar = spec.find(L'|', equals);
    Program program;
    program.name = spec.substr(0, equals);
    program.exe = spec.substr(equals + 1, bar == std::wstring::npos ? bar : bar - equals - 1);
    if (bar != std::wstring::npos)
        program.arguments = spec.substr(bar + 1);
    return program;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 4) {
        std::fputs("usage: bench_startup ROUNDS IDLE_MS NAME=EXE[|ARGS] ...\n", stderr);
        return 2;
    }
    const int rounds = _wtoi(argv[1]);
    const auto idleMs = static_cast<DWORD>(_wtoi(argv[2]));
    std::vector<Program> programs;
    for (int i = 3; i < argc; ++i)
        programs.push_back(ParseProgram(argv[i]));

    // Parked in a corner for this and the later measurements: while the pointer rests over a
    // themed button, Wine polls it about a thousand times a second.
    SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
    timeBeginPeriod(1); // the 1 ms polling steps above
    const Job job;
    const std::size_t count = programs.size();
    int failures = 0;
    for (int round = 0; round < rounds; ++round) {
        for (std::size_t k = 0; k < count; ++k) {
            const Program& program = programs[(k + static_cast<std::size_t>(round)) % count];
            const Sample sample = RunOnce(program, job, idleMs);
            if (sample.milliseconds < 0)
                ++failures;
            std::printf("%ls %.2f %llu\n", program.name.c_str(), sample.milliseconds,
                        static_cast<unsigned long long>(sample.peakWorkingSet));
            std::fflush(stdout);
        }
    }
    timeEndPeriod(1);
    return failures == 0 ? 0 : 1;
}
