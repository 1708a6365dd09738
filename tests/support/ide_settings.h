// The IDE's Settings\WinFBE.ini as the IDE itself keeps it: UTF-16 LE with a byte-order mark,
// a comment line and a version key before the first section, many sections the utility never
// touches, written whole at every save and read back as the text after the first "=" of a
// key's line, untrimmed and with its quotes.
#pragma once

#include <windows.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace support {

// The compiler keys of the file a test starts with; a key without a value is left out.
struct IdeCompilerKeys {
    std::optional<std::wstring> switches =
        std::wstring(L"-w all -fpmode fast -fpu sse -gen gcc -O 2");
    std::wstring compiler32 =
        L"{CURDRIVE}:\\Users\\Anne-Marie\\WinFBE\\Toolchains\\FreeBASIC-1.10.1-winlibs-gcc-9.3.0"
        L"\\fbc32.exe";
    std::wstring compiler64 =
        L"{CURDRIVE}:\\Users\\Anne-Marie\\WinFBE\\Toolchains\\FreeBASIC-1.10.1-winlibs-gcc-9.3.0"
        L"\\fbc64.exe";
};

// The whole file in the IDE's shape, or with ansi in the user's ANSI code page and no mark, as
// files were before the IDE wrote UTF-16.
std::string IdeShapedIni(const IdeCompilerKeys& keys, bool ansi = false);

// The file as the IDE holds it: read whole, taken up again when its write time changes and it can
// be read, and written whole again (create, truncate, write) in the encoding it was read in.
class IdeSettings {
  public:
    explicit IdeSettings(std::filesystem::path file);
    void Reload();
    // The text after the first "=" of the key's line in section Compiler; none without one.
    std::optional<std::wstring> Value(std::wstring_view key) const;
    // The key's line in section Compiler gets the value.
    void Set(std::wstring_view key, std::wstring_view value);
    bool Save();

  private:
    std::optional<std::size_t> LineOf(std::wstring_view key) const;

    std::filesystem::path file_;
    std::vector<std::wstring> lines_;
    bool utf16_ = true;
    std::optional<FILETIME> written_;
};

} // namespace support
