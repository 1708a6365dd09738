// A DlgMsgBox.dll for the end-to-end tests: instead of showing a box it appends a line to
// DlgMsgBox.log, "text | caption | style | size | owner", the owner "none" or its caption and
// "shown" or "hidden", and notes any fixed argument that differs from what the program always
// passes. Then it keeps the caller's messages flowing, its owner disabled, as an open box would:
// for 300 ms, or, when DlgMsgBox.hold reads "held NAME", until the test sets the event NAME. A
// quit message ends the "box" too; it is posted again unless the hold file also says "swallow".
// A held box the test never released logs a line of its own when its time runs out.
// Both files lie in the current folder, which is the program's.
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <cwchar>
#include <sstream>
#include <string>

#include "handles.h"
#include "support.h"

namespace {

using UniqueHandle = UniqueOwner<HANDLE, &CloseHandle>;

// Ends early when the event (if any) is set, so a held box lasts no longer than the test needs it;
// false when the time ran out.
bool KeepMessagesFlowing(DWORD milliseconds, HANDLE release, bool swallowQuit) {
    const ULONGLONG deadline = GetTickCount64() + milliseconds;
    const DWORD handles = release ? 1 : 0;
    for (ULONGLONG now; (now = GetTickCount64()) < deadline;) {
        const DWORD woke = MsgWaitForMultipleObjects(
            handles, &release, FALSE, static_cast<DWORD>(deadline - now), QS_ALLINPUT);
        if (handles == 1 && woke == WAIT_OBJECT_0)
            return true;
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) {
                if (!swallowQuit)
                    PostQuitMessage(static_cast<int>(message.wParam));
                return true;
            }
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    return false;
}

void Log(const std::string& line) {
    const UniqueFile log(CreateFileW(L"DlgMsgBox.log", FILE_APPEND_DATA,
                                     FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                                     FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    WriteFile(log.get(), line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
}

// A held box that the flow never released says so in the log, so that the flow fails.
void Hold() {
    std::istringstream hold(support::ReadBytes(L"DlgMsgBox.hold").value_or(""));
    std::string word, name;
    hold >> word >> name;
    const bool held = word == "held";
    const UniqueHandle release(held ? OpenEventA(SYNCHRONIZE, FALSE, name.c_str()) : nullptr);
    hold >> word;
    if (!KeepMessagesFlowing(held ? support::kWaitMs : 300, release.get(), word == "swallow") &&
        held)
        Log("(a held box the flow never released)\n");
}

} // namespace

extern "C" std::int32_t __stdcall DLGMSGBOX(HWND* owner, const wchar_t* text,
                                            const wchar_t* caption, const std::int32_t* style,
                                            const std::int32_t* arg5, const wchar_t* face,
                                            const std::int32_t* size, const std::int32_t* arg8,
                                            const std::int32_t* colour) {
    char styleText[16];
    std::snprintf(styleText, sizeof styleText, "0x%X", static_cast<unsigned>(*style));
    // One line a box: a text of several lines is logged by its first.
    const std::wstring_view firstLine =
        std::wstring_view(text).substr(0, std::wcscspn(text, L"\n"));
    std::string line =
        support::Utf8(firstLine) + (firstLine.size() < std::wcslen(text) ? " ..." : "") + " | " +
        support::Utf8(caption) + " | " + styleText + " | " + std::to_string(*size) + " | ";
    wchar_t ownerCaption[64] = {};
    GetWindowTextW(*owner, ownerCaption, 64);
    line += *owner ? support::Utf8(ownerCaption) + (IsWindowVisible(*owner) ? " shown" : " hidden")
                   : "none";
    if (*arg5 != 10 || std::wstring(face) != L"Segoe UI" || *arg8 != 0 || *colour != 0x98D3FF)
        line += " | other fixed arguments";
    Log(line + "\n");
    // Modal, as a box is: its owner takes no input meanwhile.
    const bool disabled = *owner && !EnableWindow(*owner, FALSE);
    Hold();
    if (disabled)
        EnableWindow(*owner, TRUE);
    return IDOK;
}
