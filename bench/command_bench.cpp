// Times a User Tool's command, from its process's start until WinFBE.ini holds the value it
// applies, beside a click on an option and Apply in the window of the copy that runs; ROUNDS
// times each, switching between presets 1 and 2. Prints "command MS" and "click MS" lines.
//
//   bench_command ROUNDS TOOLS_FOLDER WINFBE_INI
#include <windows.h>
#include <mmsystem.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

constexpr DWORD kStoredLimitMs = 20000;

double Now() {
    LARGE_INTEGER counter{}, frequency{};
    QueryPerformanceCounter(&counter);
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(counter.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

std::wstring Stored(const std::wstring& ini) {
    wchar_t value[1024] = {};
    GetPrivateProfileStringW(L"Compiler", L"CompilerSwitches", L"", value, 1024, ini.c_str());
    return value;
}

// Milliseconds from start until the value is stored; -1 when it never is.
double UntilStored(const std::wstring& ini, const std::wstring& value, double start) {
    while (Stored(ini) != value && Now() - start < kStoredLimitMs)
        Sleep(1);
    return Stored(ini) == value ? Now() - start : -1;
}

double Command(const std::wstring& tools, const std::wstring& ini, int preset,
               const std::wstring& value) {
    const std::wstring exe = tools + L"\\MarlwickIII.exe";
    std::wstring line = L"\"" + exe + L"\" /apply " + std::to_wstring(preset);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    const double start = Now();
    if (!CreateProcessW(exe.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        tools.c_str(), &startup, &info))
        return -1;
    const double ms = UntilStored(ini, value, start);
    WaitForSingleObject(info.hProcess, kStoredLimitMs);
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
    return ms;
}

double Click(HWND main, const std::wstring& ini, int preset, const std::wstring& value) {
    const double start = Now();
    SendMessageW(GetDlgItem(main, 1000 + preset), BM_CLICK, 0, 0);
    SendMessageW(main, WM_COMMAND, MAKEWPARAM(1102, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(main, 1102)));
    return UntilStored(ini, value, start);
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 4) {
        std::fputs("usage: bench_command ROUNDS TOOLS_FOLDER WINFBE_INI\n", stderr);
        return 2;
    }
    const int rounds = _wtoi(argv[1]);
    const std::wstring tools = argv[2], ini = argv[3];
    std::ifstream presets(std::filesystem::path(tools) / L"MarlwickIII.ini");
    std::string first, second;
    std::getline(presets, first);
    std::getline(presets, second);
    // Apply with neither checkbox ticked, as the layout has no markers.
    const auto composed = [](const std::string& preset) {
        std::string text = preset.substr(0, preset.find_last_not_of("\r") + 1);
        return L"-w all -fpmode fast -fpu sse " + std::wstring(text.begin(), text.end());
    };
    const std::wstring values[] = {composed(first), composed(second)};
    const HWND main = FindWindowW(nullptr, L"MWK III");
    timeBeginPeriod(1); // the 1 ms polling steps
    int failures = main ? 0 : 1;
    for (int round = 0; main && round < rounds; ++round) {
        const int preset = round % 2 + 1;
        const double command = Command(tools, ini, preset, values[preset - 1]);
        const double click = Click(main, ini, 3 - preset, values[2 - preset]);
        failures += command < 0 || click < 0;
        std::printf("command %.1f\nclick %.1f\n", command, click);
        std::fflush(stdout);
    }
    timeEndPeriod(1);
    return failures == 0 ? 0 : 1;
}
