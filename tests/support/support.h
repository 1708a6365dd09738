// What the Win32 and end-to-end tests share: bounded waits, scratch folders and their files.
#pragma once

#include <windows.h>

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace support {

using std::filesystem::path;

// Generous for a loaded machine running Wine; a wait that runs out fails its test.
inline constexpr DWORD kWaitMs = 15000;

// Pumps this thread's messages until the condition holds or the time is up.
bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs = kWaitMs);

std::optional<std::string> ReadBytes(const path& file);
// Makes an open file look written minutes ago, as between two saves of the IDE.
void Backdate(HANDLE file);
void WriteBytes(const path& file, std::string_view bytes);
std::string Utf8(std::wstring_view text);
// Through the user's ANSI code page, or another.
std::string Narrow(std::wstring_view text, UINT codePage = CP_ACP);
std::wstring Widen(std::string_view text);
// UTF-16 LE with its byte-order mark, as the IDE and Notepad save it.
std::string Utf16(std::wstring_view text);
int ScreenDpi();

// A folder of its own under the temporary folder, removed with everything in it.
class ScratchFolder {
  public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    const path& Root() const { return root_; }

  private:
    path root_;
};

} // namespace support
