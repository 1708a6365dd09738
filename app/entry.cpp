// Process entry: one copy at a time, then the application.
#include <windows.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "command_forwarding.h"
#include "main_window.h"
#include "wide_string.h"
#include "program_messages.h"

namespace {

constexpr wchar_t kMutexName[] = L"cT2bKegPTlB5a9HFcKFj";
constexpr wchar_t kAlreadyRunning[] = L"Marlwick is already running.";

// Shown before start-up has worked out the message-box size from the executable's name, so with
// the size it starts with, 0.
void ShowMutexFailure(MainWindow& main, DWORD error) {
    const std::wstring text = L"Mutex Create failed with error code" + DecimalText(error);
    MessageBoxOpenGuard open(main.MessageBoxOpen());
    ShowEarlyMessage(text.c_str(), kStylePlain, 0);
}

bool IsFirstInstance(MainWindow& main) {
    // Never closed: the system releases the mutex when the process ends.
    const HANDLE mutex = CreateMutexW(nullptr, FALSE, kMutexName);
    const DWORD error = GetLastError();
    if (mutex != nullptr)
        return error != ERROR_ALREADY_EXISTS;
    ShowMutexFailure(main, error);
    return false;
}

} // namespace

// A command on the command line, from one of the IDE's User Tools, is carried out by the copy
// that runs, or by this one once its window shows; the exit code says how it went. Wrong
// arguments start nothing and touch nothing.
int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    MainWindow main; // the main window's object exists before anything else runs
    const std::vector<std::wstring> arguments(__wargv + 1, __wargv + __argc);
    const std::optional<ToolCommand> command = ParseToolCommand(arguments);
    if (!arguments.empty() && !command) {
        ShowCommandsMessage(nullptr, 10);
        return static_cast<int>(CommandAnswer::WrongArguments);
    }
    if (IsFirstInstance(main))
        return main.Run(SW_SHOWNORMAL, command);
    if (command) {
        const CommandAnswer answer = ForwardCommand(arguments);
        if (answer == CommandAnswer::WrongArguments)
            ShowCommandsMessage(nullptr, 10);
        return static_cast<int>(answer);
    }
    MessageBoxOpenGuard open(main.MessageBoxOpen());
    ShowEarlyMessage(kAlreadyRunning, kStyleWarning, 10);
    return 0;
}
