// A test-only DlgMsgBox.dll: instead of showing a box it appends the call's arguments to
// DlgMsgBox.log beside itself, then keeps the caller's messages flowing for a bounded while, as
// an open box would, before it returns.
//
// DlgMsgBox.hold beside the DLL may hold "<milliseconds>" and the word "swallow": the time the
// "box" stays open (400 ms without the file, at most 20 s), and whether a quit message that
// arrives meanwhile is kept instead of being posted again.
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

constexpr DWORD kDefaultHoldMs = 400;
constexpr DWORD kLongestHoldMs = 20000;

struct Hold {
    DWORD milliseconds = kDefaultHoldMs;
    bool swallowQuit = false;
};

std::wstring BesideThisDll(const wchar_t* name) {
    HMODULE self = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                           GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCWSTR>(&BesideThisDll), &self);
    std::wstring file(32768, L'\0');
    file.resize(GetModuleFileNameW(self, file.data(), static_cast<DWORD>(file.size())));
    return file.substr(0, file.find_last_of(L'\\') + 1) + name;
}

std::string Utf8(const wchar_t* text) {
    if (!text || !*text)
        return {};
    const int length = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    std::string narrow(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, -1, narrow.data(), length, nullptr, nullptr);
    narrow.resize(static_cast<std::size_t>(length) - 1);
    return narrow;
}

// Tabs separate the fields, so texts carry theirs and their line ends escaped.
std::string Field(const wchar_t* text) {
    std::string escaped;
    for (const char c : Utf8(text)) {
        if (c == '\t')
            escaped += "\\t";
        else if (c == '\n')
            escaped += "\\n";
        else if (c == '\\')
            escaped += "\\\\";
        else
            escaped += c;
    }
    return escaped;
}

std::string Field(const std::int32_t* value) {
    return value ? std::to_string(*value) : std::string("(null)");
}

void AppendToLog(const std::string& line) {
    const HANDLE log = CreateFileW(BesideThisDll(L"DlgMsgBox.log").c_str(), FILE_APPEND_DATA,
                                   FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                   OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (log == INVALID_HANDLE_VALUE)
        return;
    DWORD written = 0;
    WriteFile(log, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    CloseHandle(log);
}

Hold ReadHold() {
    Hold hold;
    const HANDLE file = CreateFileW(BesideThisDll(L"DlgMsgBox.hold").c_str(), GENERIC_READ,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return hold;
    char text[64] = {};
    DWORD read = 0;
    ReadFile(file, text, sizeof text - 1, &read, nullptr);
    CloseHandle(file);
    const unsigned long milliseconds = std::strtoul(text, nullptr, 10);
    hold.milliseconds = milliseconds < kLongestHoldMs ? milliseconds : kLongestHoldMs;
    hold.swallowQuit = std::string(text).find("swallow") != std::string::npos;
    return hold;
}

// Dispatches the caller's messages as a modal box's loop would, until the time is up or a quit
// message arrives.
void KeepMessagesFlowing(const Hold& hold) {
    const ULONGLONG deadline = GetTickCount64() + hold.milliseconds;
    for (ULONGLONG now = GetTickCount64(); now < deadline; now = GetTickCount64()) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(deadline - now),
                                  QS_ALLINPUT);
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) {
                if (!hold.swallowQuit)
                    PostQuitMessage(static_cast<int>(message.wParam));
                return;
            }
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
}

} // namespace

// The signature of DLGMSGBOX in message_box/show_message.h.
extern "C" std::int32_t __stdcall DLGMSGBOX(HWND* owner, const wchar_t* text,
                                            const wchar_t* caption, const std::int32_t* style,
                                            const std::int32_t* arg5, const wchar_t* face,
                                            const std::int32_t* size, const std::int32_t* arg8,
                                            const std::int32_t* colour) {
    const HWND ownerWindow = owner ? *owner : nullptr;
    char ownerText[32];
    std::snprintf(ownerText, sizeof ownerText, "%llx",
                  static_cast<unsigned long long>(reinterpret_cast<std::uintptr_t>(ownerWindow)));
    const bool ownerShown = ownerWindow && IsWindowVisible(ownerWindow);
    AppendToLog(std::to_string(GetCurrentProcessId()) + "\t" + ownerText + "\t" +
                (ownerShown ? "1" : "0") + "\t" + Field(text) + "\t" + Field(caption) + "\t" +
                Field(style) + "\t" + Field(arg5) + "\t" + Field(face) + "\t" + Field(size) + "\t" +
                Field(arg8) + "\t" + Field(colour) + "\n");
    KeepMessagesFlowing(ReadHold());
    return IDOK;
}
