// Times, ROUNDS times, a write of 32 presets to MarlwickIII.ini until the running utility shows
// them: its option after the 32nd preset, "No preset used", has appeared. Between two rounds the
// file goes back to the presets it held, and the utility to those. Prints one time in ms a line.
//
//   bench_preset_reload ROUNDS FOLDER      FOLDER holds MarlwickIII.exe and MarlwickIII.ini
#include <windows.h>
#include <mmsystem.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace {

constexpr DWORD kRebuiltLimitMs = 10000;
constexpr int kNoPresetOf32 = 1033;

double Now() {
    LARGE_INTEGER counter{}, frequency{};
    QueryPerformanceCounter(&counter);
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(counter.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

void Write(const std::filesystem::path& file, const std::string& bytes) {
    std::ofstream(file, std::ios::binary)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// Whether the option of that identifier stands in the window, as the utility rebuilt it.
bool Shows(HWND main, int optionId, bool present) {
    return (GetDlgItem(main, optionId) != nullptr) == present;
}

bool WaitFor(HWND main, int optionId, bool present) {
    const double start = Now();
    while (!Shows(main, optionId, present) && Now() - start < kRebuiltLimitMs)
        Sleep(1);
    return Shows(main, optionId, present);
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) {
        std::fputs("usage: bench_preset_reload ROUNDS FOLDER\n", stderr);
        return 2;
    }
    const int rounds = _wtoi(argv[1]);
    const std::filesystem::path file = std::filesystem::path(argv[2]) / L"MarlwickIII.ini";
    const HWND main = FindWindowW(nullptr, L"MWK III");
    std::stringstream original;
    original << std::ifstream(file, std::ios::binary).rdbuf();
    std::string thirtyTwo;
    for (int k = 1; k <= 32; ++k)
        thirtyTwo += "-gen gcc -O" + std::to_string(k % 4) + " -d P" + std::to_string(k) + "\r\n";
    timeBeginPeriod(1); // the 1 ms polling steps
    int failures = main ? 0 : rounds;
    for (int round = 0; main && round < rounds; ++round) {
        Write(file, thirtyTwo);
        const double written = Now();
        if (!WaitFor(main, kNoPresetOf32, true)) {
            ++failures;
            continue;
        }
        std::printf("%.1f\n", Now() - written);
        std::fflush(stdout);
        Write(file, original.str());
        WaitFor(main, kNoPresetOf32, false);
    }
    timeEndPeriod(1);
    return failures == 0 ? 0 : 1;
}
