#include "ide_settings.h"

#include <algorithm>
#include <cwctype>

#include "handles.h"
#include "support.h"

namespace support {
namespace {

bool SameIgnoringCase(std::wstring_view a, std::wstring_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](wchar_t x, wchar_t y) {
        return std::towlower(static_cast<wint_t>(x)) == std::towlower(static_cast<wint_t>(y));
    });
}

std::string Encoded(std::wstring_view text, bool utf16) {
    if (utf16) {
        std::string bytes = "\xFF\xFE";
        for (const wchar_t unit : text)
            bytes += {static_cast<char>(unit & 0xFF), static_cast<char>(unit >> 8)};
        return bytes;
    }
    std::string bytes(text.size() * 2, '\0');
    bytes.resize(static_cast<std::size_t>(
        WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), bytes.data(),
                            static_cast<int>(bytes.size()), nullptr, nullptr)));
    return bytes;
}

std::optional<FILETIME> WriteTimeOf(const std::filesystem::path& file) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(file.c_str(), GetFileExInfoStandard, &data))
        return std::nullopt;
    return data.ftLastWriteTime;
}

bool SameTime(const std::optional<FILETIME>& a, const std::optional<FILETIME>& b) {
    return a.has_value() == b.has_value() && (!a || CompareFileTime(&*a, &*b) == 0);
}

} // namespace

std::string IdeShapedIni(const IdeCompilerKeys& keys, bool ansi) {
    std::wstring text =
        L"' WinFBE settings, written by the IDE at every save\r\n"
        L"WinFBEversion=3.1.0\r\n"
        L"\r\n[Editor]\r\nEditorSetting1=3\r\nEditorSetting2=Courier New\r\n"
        L"\r\n[Startup]\r\nStartupSetting1={CURDRIVE}:\\Users\\Anne-Marie\\Projects\r\n"
        L"StartupSetting2=1\r\n"
        L"\r\n[Compiler]\r\nFBWINCompiler32=" +
        keys.compiler32 + L"\r\nFBWINCompiler64=" + keys.compiler64 + L"\r\nCompilerBuild=1\r\n";
    if (keys.switches)
        text += L"CompilerSwitches=" + *keys.switches + L"\r\n";
    text += L"CompilerSetting1=0\r\n"
            L"\r\n[Builds]\r\nBuild1=Win32 GUI|-s gui\r\nBuild2=Win32 Console|-s console\r\n"
            L"\r\n[MRU]\r\nMRU1={CURDRIVE}:\\Users\\Anne-Marie\\Projects\\hello.bas\r\n"
            L"\r\n[Notes]\r\nNotesBegin\r\nRelease with -O 2; debug with -exx = slower\r\n"
            L"NotesEnd\r\n";
    return Encoded(text, !ansi);
}

IdeSettings::IdeSettings(std::filesystem::path file) : file_(std::move(file)) {
    Reload();
}

void IdeSettings::Reload() {
    const std::optional<FILETIME> written = WriteTimeOf(file_);
    if (SameTime(written, written_))
        return;
    written_ = written;
    const std::string bytes = ReadBytes(file_).value_or("");
    utf16_ = bytes.starts_with("\xFF\xFE");
    std::wstring text;
    if (utf16_) {
        for (std::size_t i = 2; i + 1 < bytes.size(); i += 2)
            text.push_back(static_cast<wchar_t>(static_cast<unsigned char>(bytes[i]) |
                                                static_cast<unsigned char>(bytes[i + 1]) << 8));
    } else {
        text.resize(bytes.size());
        text.resize(static_cast<std::size_t>(
            MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()),
                                text.data(), static_cast<int>(text.size()))));
    }
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

std::size_t IdeSettings::SectionEnd(std::size_t start) const {
    std::size_t end = start;
    while (end < lines_.size() && !lines_[end].starts_with(L"["))
        ++end;
    return end;
}

std::optional<std::size_t> IdeSettings::LineOf(std::wstring_view section,
                                               std::wstring_view key) const {
    const std::wstring heading = L"[" + std::wstring(section) + L"]";
    for (std::size_t at = 0; at < lines_.size(); ++at) {
        if (!SameIgnoringCase(lines_[at], heading))
            continue;
        for (std::size_t line = at + 1; line < SectionEnd(at + 1); ++line) {
            const std::size_t equals = lines_[line].find(L'=');
            if (equals != std::wstring::npos &&
                SameIgnoringCase(std::wstring_view(lines_[line]).substr(0, equals), key))
                return line;
        }
    }
    return std::nullopt;
}

std::optional<std::wstring> IdeSettings::Value(std::wstring_view section,
                                               std::wstring_view key) const {
    const std::optional<std::size_t> line = LineOf(section, key);
    if (!line)
        return std::nullopt;
    return lines_[*line].substr(lines_[*line].find(L'=') + 1);
}

void IdeSettings::Set(std::wstring_view section, std::wstring_view key, std::wstring_view value) {
    const std::wstring text = std::wstring(key) + L"=" + std::wstring(value);
    if (const std::optional<std::size_t> line = LineOf(section, key)) {
        lines_[*line] = text;
        return;
    }
    const std::wstring heading = L"[" + std::wstring(section) + L"]";
    const auto at = std::find_if(lines_.begin(), lines_.end(), [&](const std::wstring& line) {
        return SameIgnoringCase(line, heading);
    });
    if (at == lines_.end()) {
        lines_.insert(lines_.end() - 1, {heading, text});
        return;
    }
    std::size_t end = SectionEnd(static_cast<std::size_t>(at - lines_.begin()) + 1);
    while (end > 0 && lines_[end - 1].empty())
        --end;
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(end), text);
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
    const bool saved =
        file &&
        WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
        written == bytes.size();
    written_.reset();
    return saved;
}

} // namespace support
