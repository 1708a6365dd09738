// One tick, timed over 1000 calls on the real code: what the tick observes gathered as the main
// window gathers it, the session's decision, and the status text set when it changed. A window
// of class "WinFBE_Class" in this process stands for the IDE, the main window with its status bar
// is in front, and WinFBE.ini lies in a scratch folder. Two cases: the file as it stands between
// the IDE's writes (settled), and the file written just before every tick (each tick reads it).
//
//   bench_host_watch_tick [CALLS]
// Prints "settled US" and "written US", microseconds of wall time per tick; the loop keeps one
// core busy, so the time is this process's and the wineserver's CPU for the tick.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <string>

#include "handles.h"
#include "host_ide.h"

namespace {

double Now() {
    LARGE_INTEGER frequency{};
    LARGE_INTEGER counter{};
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&counter);
    return static_cast<double>(counter.QuadPart) * 1e6 / static_cast<double>(frequency.QuadPart);
}

HWND MakeWindow(const wchar_t* className, HINSTANCE instance) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = className;
    RegisterClassExW(&windowClass);
    return CreateWindowExW(WS_EX_TOPMOST, className, className, WS_POPUP | WS_CAPTION, 50, 50, 200,
                           200, nullptr, nullptr, instance, nullptr);
}

void WriteFileText(const std::wstring& path, const std::string& text) {
    const UniqueFile file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    WriteFile(file.get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

void WriteIni(const std::wstring& path, const char* compilerPath) {
    WriteFileText(path, std::string("[Compiler]\r\nCompilerSwitches=-gen gas\r\n") +
                            "FBWINCompiler32=" + compilerPath + "\r\n");
}

// Backdated, as a file is between two writes.
void Backdate(const std::wstring& path) {
    const UniqueFile file(
        CreateFileW(path.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    FILETIME earlier{};
    GetSystemTimeAsFileTime(&earlier);
    earlier.dwHighDateTime -= 1;
    SetFileTime(file.get(), nullptr, nullptr, &earlier);
}

void Pump() {
    MSG message{};
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageW(&message);
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    const int calls = argc > 1 ? _wtoi(argv[1]) : 1000;
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const std::wstring folder =
        std::wstring(temp) + L"marlwick-tick-bench-" + std::to_wstring(GetCurrentProcessId());
    CreateDirectoryW(folder.c_str(), nullptr);
    const std::wstring iniPath = folder + L"\\WinFBE.ini";
    const std::wstring presetPath = folder + L"\\MarlwickIII.ini";
    const char* paths[] = {"C:\\FreeBASIC-1.10.1-winlibs-gcc-9.3.0\\fbc32.exe",
                           "C:\\FreeBASIC-1.10.2-winlibs-gcc-9.4.0\\fbc32.exe"};
    WriteIni(iniPath, paths[0]);
    WriteFileText(presetPath, "-gen gas\r\n");
    Backdate(iniPath);
    Backdate(presetPath);

    const INITCOMMONCONTROLSEX classes{sizeof(INITCOMMONCONTROLSEX), ICC_BAR_CLASSES};
    InitCommonControlsEx(&classes);
    const HWND host = MakeWindow(kHostWindowClass, instance);
    const HWND main = MakeWindow(L"BenchMain", instance);
    const HWND statusBar = CreateStatusWindowW(WS_CHILD | WS_VISIBLE, L"", main, 200);
    ShowWindow(host, SW_SHOWNOACTIVATE);
    ShowWindow(main, SW_SHOW);
    SetForegroundWindow(main);
    Pump();

    const DynamicWideString ini(iniPath);
    const DynamicWideString programFolder(folder);
    TickMemory memory;
    Session session(CodePageTripOf, ReadPresetTexts(programFolder), PresetFileStamp(programFolder));
    session.On(Started{ReadStoredValues(ini)});
    std::wstring status;
    const auto tick = [&] {
        for (const Effect& effect :
             session.On(ObserveTick(ini, programFolder, memory, main, false)))
            if (const auto* text = std::get_if<effect::ShowStatus>(&effect)) {
                status = text->text;
                SendMessageW(statusBar, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(status.c_str()));
            }
    };
    tick();

    double start = Now();
    for (int i = 0; i < calls; ++i)
        tick();
    const double settled = (Now() - start) / calls;

    double ticking = 0;
    for (int i = 0; i < calls; ++i) {
        WriteIni(iniPath, paths[i % 2]);
        start = Now();
        tick();
        ticking += Now() - start;
    }
    Pump();
    const bool followed = status.find(L"1.10.2") != std::wstring::npos ||
                          status.find(L"1.10.1") != std::wstring::npos;
    std::printf("settled %.1f\nwritten %.1f\n", settled, ticking / calls);
    DestroyWindow(main);
    DestroyWindow(host);
    DeleteFileW(iniPath.c_str());
    DeleteFileW(presetPath.c_str());
    RemoveDirectoryW(folder.c_str());
    return followed ? 0 : 1;
}
