#include "support.h"

#include "handles.h"

#include <algorithm>
#include <atomic>
#include <fstream>

namespace support {

bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs) {
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    while (!condition()) {
        const ULONGLONG now = GetTickCount64();
        if (now >= deadline)
            return condition();
        MsgWaitForMultipleObjects(0, nullptr, FALSE,
                                  static_cast<DWORD>(std::min<ULONGLONG>(deadline - now, 20)),
                                  QS_ALLINPUT);
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageW(&message);
    }
    return true;
}

std::optional<std::string> ReadBytes(const path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in)
        return std::nullopt;
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void Backdate(HANDLE file) {
    FILETIME earlier{};
    GetSystemTimeAsFileTime(&earlier);
    earlier.dwHighDateTime -= 1;
    SetFileTime(file, nullptr, nullptr, &earlier);
}

void WriteBytes(const path& file, std::string_view bytes) {
    std::ofstream(file, std::ios::binary)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string Narrow(std::wstring_view text, UINT codePage) {
    std::string narrow(text.size() * 3, '\0');
    narrow.resize(static_cast<std::size_t>(
        WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), narrow.data(),
                            static_cast<int>(narrow.size()), nullptr, nullptr)));
    return narrow;
}

std::string Utf8(std::wstring_view text) {
    return Narrow(text, CP_UTF8);
}

std::wstring Widen(std::string_view text) {
    std::wstring wide(text.size(), L'\0');
    wide.resize(static_cast<std::size_t>(
        MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(),
                            static_cast<int>(wide.size()))));
    return wide;
}

std::string Utf16(std::wstring_view text) {
    std::string bytes = "\xFF\xFE";
    for (const wchar_t unit : text)
        bytes += {static_cast<char>(unit & 0xFF), static_cast<char>(unit >> 8)};
    return bytes;
}

int ScreenDpi() {
    const WindowDc screen(nullptr);
    return GetDeviceCaps(screen.get(), LOGPIXELSX);
}

ScratchFolder::ScratchFolder() {
    static std::atomic<int> counter{0};
    wchar_t temp[MAX_PATH + 1] = {};
    GetTempPathW(MAX_PATH + 1, temp);
    // No hyphen before a digit: the status text reads the versions after one.
    root_ = path(temp) / (L"marlwick-test-p" + std::to_wstring(GetCurrentProcessId()) + L"-n" +
                          std::to_wstring(counter++));
    std::filesystem::create_directories(root_);
}

ScratchFolder::~ScratchFolder() {
    // Wine may hold a file of a process that has just ended for a moment.
    WaitUntil(
        [&] {
            std::error_code error;
            std::filesystem::remove_all(root_, error);
            return !error;
        },
        5000);
}

} // namespace support
