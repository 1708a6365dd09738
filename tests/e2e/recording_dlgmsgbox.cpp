// A DlgMsgBox.dll for the end-to-end tests: instead of showing a box it appends a line to
// DlgMsgBox.log, "text | caption | style | size | owner", the owner "none" or its caption and
// "shown" or "hidden", and notes any fixed argument that differs from what the
// program always passes. Then it keeps the caller's messages flowing for a while, as an open box
// would. DlgMsgBox.hold may hold the milliseconds the "box" stays open (default 300) and the
// word "swallow": a quit message that arrives meanwhile is then kept instead of posted again.
// Both files lie in the current folder, which is the program's.
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "handles.h"
#include "support.h"

namespace {

void KeepMessagesFlowing(DWORD milliseconds, bool swallowQuit) {
    const ULONGLONG deadline = GetTickCount64() + milliseconds;
    for (ULONGLONG now; (now = GetTickCount64()) < deadline;) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(deadline - now),
                                  QS_ALLINPUT);
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) {
                if (!swallowQuit)
                    PostQuitMessage(static_cast<int>(message.wParam));
                return;
            }
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
}

} // namespace

extern "C" std::int32_t __stdcall DLGMSGBOX(HWND* owner, const wchar_t* text,
                                            const wchar_t* caption, const std::int32_t* style,
                                            const std::int32_t* arg5, const wchar_t* face,
                                            const std::int32_t* size, const std::int32_t* arg8,
                                            const std::int32_t* colour) {
    char styleText[16];
    std::snprintf(styleText, sizeof styleText, "0x%X", static_cast<unsigned>(*style));
    std::string line = support::Utf8(text) + " | " + support::Utf8(caption) + " | " + styleText +
                       " | " + std::to_string(*size) + " | ";
    wchar_t ownerCaption[64] = {};
    GetWindowTextW(*owner, ownerCaption, 64);
    line += *owner ? support::Utf8(ownerCaption) + (IsWindowVisible(*owner) ? " shown" : " hidden")
                   : "none";
    if (*arg5 != 10 || std::wstring(face) != L"Segoe UI" || *arg8 != 0 || *colour != 0x98D3FF)
        line += " | other fixed arguments";
    line += "\n";
    const UniqueFile log(CreateFileW(L"DlgMsgBox.log", FILE_APPEND_DATA,
                                     FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                                     FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    WriteFile(log.get(), line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    const std::string hold = support::ReadBytes(L"DlgMsgBox.hold").value_or("300");
    KeepMessagesFlowing(std::strtoul(hold.c_str(), nullptr, 10),
                        hold.find("swallow") != std::string::npos);
    return IDOK;
}
