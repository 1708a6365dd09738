// Process entry: one copy at a time, then the application.
#include <windows.h>

#include <string>

#include "main_window.h"
#include "program_messages.h"
#include "program_state.h"

namespace {

constexpr wchar_t kMutexName[] = L"cT2bKegPTlB5a9HFcKFj";
constexpr wchar_t kAlreadyRunning[] = L"Marlwick is already running.";

void ShowMutexFailure(ProgramState& program, DWORD error) {
    const std::wstring text = L"Mutex Create failed with error code" + std::to_wstring(error);
    MessageBoxOpenGuard open(program.messageBoxOpen);
    ShowEarlyMessage(text.c_str(), kStylePlain, program.messageBoxSize);
}

bool IsFirstInstance(ProgramState& program) {
    // Never closed: the system releases the mutex when the process ends.
    const HANDLE mutex = CreateMutexW(nullptr, FALSE, kMutexName);
    const DWORD error = GetLastError();
    if (mutex != nullptr)
        return error != ERROR_ALREADY_EXISTS;
    ShowMutexFailure(program, error);
    return false;
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandLine, int) {
    ProgramState program; // the main window's object exists before anything else runs
    if (IsFirstInstance(program))
        return RunApplication(program, instance, nullptr, commandLine, SW_SHOWNORMAL);
    MessageBoxOpenGuard open(program.messageBoxOpen);
    ShowEarlyMessage(kAlreadyRunning, kStyleWarning, 10);
    return 0;
}
