#include "ide_settings.h"

#include <cwctype>

#include "handles.h"
#include "support.h"

namespace support {
namespace {

std::string Encoded(std::wstring_view text, bool utf16) {
    return utf16 ? Utf16(text) : Narrow(text);
}

std::optional<FILETIME> WriteTimeOf(const std::filesystem::path& file) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(file.c_str(), GetFileExInfoStandard, &data))
        return std::nullopt;
    return data.ftLastWriteTime;
}

bool StartsIgnoringCase(std::wstring_view text, std::wstring_view start) {
    return text.size() >= start.size() &&
           std::equal(start.begin(), start.end(), text.begin(), [](wchar_t a, wchar_t b) {
               return std::towlower(static_cast<wint_t>(a)) ==
                      std::towlower(static_cast<wint_t>(b));
           });
}

} // namespace

std::string IdeShapedIni(const IdeCompilerKeys& keys, bool ansi) {
    std::wstring text =
        L"' WinFBE settings, written by the IDE at every save\r\n"
        L"WinFBEversion=3.1.0\r\n"
        L"\r\n[Editor]\r\nEditorSetting1=3\r\nEditorSetting2=Courier New\r\n"
        L"\r\n[Startup]\r\nStartupSetting1={CURDRIVE}:\\Users\\Anne-Marie\\Projects\r\n"
        L"\r\n[Compiler]\r\nFBWINCompiler32=" +
        keys.compiler32 + L"\r\nFBWINCompiler64=" + keys.compiler64 + L"\r\nCompilerBuild=1\r\n" +
        (keys.switches ? L"CompilerSwitches=" + *keys.switches + L"\r\n" : L"") +
        L"CompilerSetting1=0\r\n"
        L"\r\n[Builds]\r\nBuild1=Win32 GUI|-s gui\r\nBuild2=Win32 Console|-s console\r\n"
        L"\r\n[MRU]\r\nMRU1={CURDRIVE}:\\Users\\Anne-Marie\\Projects\\hello.bas\r\n"
        L"\r\n[Notes]\r\nNotesBegin\r\nRelease with -O 2; debug with -exx = slower\r\n"
        L"NotesEnd\r\n";
    return Encoded(text, !ansi);
}

IdeSettings::IdeSettings(std::filesystem::path file) : file_(std::move(file)) {
    Reload();
}

// A file another program holds cannot be read; what was read before stands.
void IdeSettings::Reload() {
    const std::optional<FILETIME> written = WriteTimeOf(file_);
    const std::optional<std::string> bytes = ReadBytes(file_);
    if (!bytes || (written && written_ && CompareFileTime(&*written, &*written_) == 0))
        return;
    written_ = written;
    utf16_ = bytes->starts_with("\xFF\xFE");
    std::wstring text;
    if (utf16_)
        for (std::size_t i = 2; i + 1 < bytes->size(); i += 2)
            text.push_back(static_cast<wchar_t>(static_cast<unsigned char>((*bytes)[i]) |
                                                static_cast<unsigned char>((*bytes)[i + 1]) << 8));
    else
        text = Widen(*bytes);
    lines_.assign(1, L"");
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == L'\r' || text[i] == L'\n') {
            i += text[i] == L'\r' && i + 1 < text.size() && text[i + 1] == L'\n';
            lines_.emplace_back();
        } else {
            lines_.back().push_back(text[i]);
        }
    }
}

std::optional<std::size_t> IdeSettings::LineOf(std::wstring_view key) const {
    bool inCompiler = false;
    for (std::size_t line = 0; line < lines_.size(); ++line) {
        if (lines_[line].starts_with(L"["))
            inCompiler = StartsIgnoringCase(lines_[line], L"[Compiler]");
        else if (inCompiler && StartsIgnoringCase(lines_[line], std::wstring(key) + L"="))
            return line;
    }
    return std::nullopt;
}

std::optional<std::wstring> IdeSettings::Value(std::wstring_view key) const {
    const std::optional<std::size_t> line = LineOf(key);
    if (!line)
        return std::nullopt;
    return lines_[*line].substr(key.size() + 1);
}

void IdeSettings::Set(std::wstring_view key, std::wstring_view value) {
    if (const std::optional<std::size_t> line = LineOf(key))
        lines_[*line] = std::wstring(key) + L"=" + std::wstring(value);
}

// Shared for reading and writing, as the IDE's runtime opens its files.
bool IdeSettings::Save() {
    std::wstring text;
    for (std::size_t i = 0; i < lines_.size(); ++i)
        text += (i == 0 ? L"" : L"\r\n") + lines_[i];
    const std::string bytes = Encoded(text, utf16_);
    const UniqueFile file(CreateFileW(file_.c_str(), GENERIC_WRITE,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, CREATE_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    return file &&
           WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written,
                     nullptr) &&
           written == bytes.size();
}

} // namespace support
