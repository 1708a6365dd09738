// Times, ROUNDS times, the toolchain menu of the running utility: from its command until the
// menu shows, the folders beside the compiler looked at on the way. Between two rounds the menu
// is closed again. Prints one time in ms a line.
//
//   bench_toolchain_menu ROUNDS
#include <windows.h>
#include <mmsystem.h>

#include <cstdio>

namespace {

constexpr DWORD kShowLimitMs = 10000;
constexpr WPARAM kToolchainMenuCommand = 0x0120;

double Now() {
    LARGE_INTEGER counter{}, frequency{};
    QueryPerformanceCounter(&counter);
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(counter.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

// A popup menu of the utility's on show.
bool MenuShows(DWORD processId) {
    for (HWND menu = nullptr; (menu = FindWindowExW(nullptr, menu, L"#32768", nullptr));) {
        DWORD owner = 0;
        GetWindowThreadProcessId(menu, &owner);
        if (owner == processId && IsWindowVisible(menu))
            return true;
    }
    return false;
}

bool WaitFor(DWORD processId, bool shows) {
    const double start = Now();
    while (MenuShows(processId) != shows && Now() - start < kShowLimitMs)
        Sleep(1);
    return MenuShows(processId) == shows;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) {
        std::fputs("usage: bench_toolchain_menu ROUNDS\n", stderr);
        return 2;
    }
    const int rounds = _wtoi(argv[1]);
    const HWND main = FindWindowW(nullptr, L"MWK III");
    DWORD processId = 0;
    GetWindowThreadProcessId(main, &processId);
    timeBeginPeriod(1); // the 1 ms polling steps
    int failures = main ? 0 : rounds;
    for (int round = 0; main && round < rounds; ++round) {
        const double asked = Now();
        PostMessageW(main, WM_SYSCOMMAND, kToolchainMenuCommand, 0);
        if (!WaitFor(processId, true)) {
            ++failures;
            continue;
        }
        std::printf("%.1f\n", Now() - asked);
        std::fflush(stdout);
        SendMessageW(main, WM_CANCELMODE, 0, 0);
        WaitFor(processId, false);
    }
    timeEndPeriod(1);
    return failures == 0 ? 0 : 1;
}
