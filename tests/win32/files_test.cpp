// The file layer on real Win32 under Wine: the IDE's WinFBE.ini written and read through the
// profile functions, and the session recognising its own writes in what comes back.
#include <gtest/gtest.h>

#include <windows.h>

#include <random>

#include "handles.h"
#include "ide_settings.h"
#include "presets.h"
#include "session.h"
#include "settings_files.h"
#include "support.h"

namespace {

using support::path;

const support::IdeCompilerKeys kKeys = {.switches = L"-gen gas"};

// Preset texts as MarlwickIII.ini may hold them, from pieces drawn with a fixed seed: blanks and
// line-end characters at either end, quotes and quoted values inside blanks, the profile
// format's own characters, characters of the ANSI code page beyond ASCII and two it lacks, one
// with a best fit and one without; then the empty text,
// one of 511 characters and a quoted one.
std::vector<std::wstring> PresetTexts() {
    std::wstring beyondAscii(6, L'\0');
    MultiByteToWideChar(CP_ACP, 0, "\x80\xA0\xC9\xDF\xE9\xFF", 6, beyondAscii.data(), 6);
    std::vector<std::wstring> pieces = {L" ",      L"\t",    L"\v",    L"\f",      L"\x1A",
                                        L"\"",     L"'",     L",",     L"=",       L";",
                                        L"[",      L"]",     L"-gen ", L"gcc",     L"clang",
                                        L"-O",     L"2",     L"-d",    L"x=\"y\"", L"\\",
                                        L"\\\"\"", L"-Wl ",  L" ;c",   L"'-q'",    L" \"-g, -O\" ",
                                        L"\u0142", L"\u6f22"};
    for (const wchar_t c : beyondAscii)
        pieces.emplace_back(1, c);
    std::mt19937 random(20261207);
    std::vector<std::wstring> texts = {L"", std::wstring(511, L'x'), L"\"-gen gcc, -g\"",
                                       L"-gen gcc -O 2 "};
    while (texts.size() < 60) {
        std::wstring text;
        for (auto count = random() % 9; count > 0; --count)
            text += pieces[random() % pieces.size()];
        texts.push_back(text);
    }
    return texts;
}

class Ini {
  public:
    explicit Ini(const path& file) : file_(file.wstring()) {}
    // As start-up and the tick read it: once, then again from the file itself, the profile
    // cache flushed.
    IniValues Read() const {
        const IniValues first = ReadStoredValues(file_);
        WritePrivateProfileStringW(nullptr, nullptr, nullptr, file_.data());
        EXPECT_EQ(ReadStoredValues(file_), first) << "the second read differs";
        return first;
    }
    // Applies the session's answers as the main window does, the writes to the file.
    Effects Feed(Session& session, const Event& event) const {
        Effects all = session.On(event);
        for (std::size_t i = 0; i < all.size(); ++i)
            if (const auto* write = std::get_if<effect::Write>(&all[i])) {
                const Effects more = session.On(WriteIniValues(file_, write->values));
                all.insert(all.end(), more.begin(), more.end());
            }
        return all;
    }
    // Two ticks that read the file as it now stands.
    Effects Ticks(Session& session) const {
        Effects effects = session.On(Ticked{.ini = Read(), .iniCurrent = true});
        const Effects second = session.On(Ticked{.ini = Read(), .iniCurrent = true});
        effects.insert(effects.end(), second.begin(), second.end());
        return effects;
    }
    const DynamicWideString& Path() const { return file_; }

  private:
    DynamicWideString file_;
};

// A selection moved, or undo's steps dropped, as for another program's change.
bool Follows(const Effects& effects) {
    return std::any_of(effects.begin(), effects.end(), [](const Effect& effect) {
        return std::holds_alternative<effect::Select>(effect) ||
               std::holds_alternative<effect::History>(effect);
    });
}

// Written with the real profile functions into the IDE's UTF-16 file and into an ANSI one, and
// read again as start-up and the tick read them: what the IDE's narrow read finds at its 511-byte
// limit and for characters the code page lacks, and what Keep finds whole; and for generated
// preset texts, the session takes no write of Apply, Edit or a toolchain for another program's,
// and start-up finds the preset that Apply's value came from.
TEST(WinFbeIni, WhatApplyAndEditWriteIsWhatTheNextReadFinds) {
    for (const bool ansi : {false, true}) {
        SCOPED_TRACE(ansi ? "ANSI WinFBE.ini" : "UTF-16 WinFBE.ini");
        const support::ScratchFolder scratch;
        // A folder the ANSI code page cannot name works too.
        const path file = scratch.Root() / L"Settings \u0142\u6f22" / L"WinFBE.ini";
        std::filesystem::create_directories(file.parent_path());
        const Ini ini(file);
        EXPECT_EQ(ini.Read()[0], L"") << "no file";
        support::WriteBytes(file, support::IdeShapedIni(kKeys, ansi));
        // clang-format off
    const struct { std::wstring written, read, whole, wholeInAnsi; } literal[] = {
        {L" -d \u00e9 -d \u6f22 -d \u0142\t", L"-d \u00e9 -d ? -d l", L"-d \u00e9 -d \u6f22 -d \u0142", L"-d \u00e9 -d ? -d l"}, // no fit, best fit
        {L"\v'-a, -b'\f\x1A", L"-a, -b", L"-a, -b", L"-a, -b"},
        {std::wstring(509, L'x') + L"\u00e9", std::wstring(509, L'x') + L"\u00e9", L"", L""},
        {std::wstring(510, L'x') + L"\u00e9", std::wstring(510, L'x') + L"\u00e9", L"", L""},
        {std::wstring(511, L'x') + L"\u00e9", std::wstring(511, L'x'), std::wstring(511, L'x') + L"\u00e9", std::wstring(511, L'x') + L"\u00e9"},
    };
        // clang-format on
        for (const auto& [written, read, whole, wholeInAnsi] : literal) {
            EXPECT_TRUE(WriteIniValue(ini.Path(), IniKey::CompilerSwitches, written));
            EXPECT_EQ(ini.Read()[0], read) << "written: " << support::Utf8(written);
            if (!whole.empty()) {
                EXPECT_EQ(ReadStoredNow(ini.Path())->switches, ansi ? wholeInAnsi : whole)
                    << "Keep's whole value, written: " << support::Utf8(written);
            }
        }
        for (const std::wstring& text : PresetTexts()) {
            SCOPED_TRACE("preset text [" + support::Utf8(text) + "]");
            const std::vector<std::wstring> presets = {L"-gen gas", text};
            for (const int ticks : {0, 1, 2, 3}) {
                Session session(CodePageTripOf, presets, std::nullopt);
                session.On(Started{ini.Read()});
                session.On(Picked{2});
                ini.Feed(session, ApplyPressed{2, (ticks & 1) != 0, (ticks & 2) != 0});
                EXPECT_FALSE(Follows(ini.Ticks(session))) << "Apply's write taken for another's";
                Session fresh(CodePageTripOf, presets, std::nullopt);
                fresh.On(Started{ini.Read()});
                EXPECT_EQ(fresh.Selected(), text.size() < 500 ? 2 : 3) << "ticks " << ticks;
                ini.Feed(session, EditClosed{text});
                EXPECT_FALSE(Follows(ini.Ticks(session))) << "Edit's write taken for another's";
                ini.Feed(session, ToolchainsListed{L"C:\\TC\\Old\\fbc32.exe",
                                                   L"",
                                                   L"C:\\IDE",
                                                   L"C:\\TC",
                                                   {{text, true, false}}});
                ini.Feed(session, ToolchainPicked{0});
                EXPECT_FALSE(Follows(ini.Ticks(session)))
                    << "a toolchain's write taken for another's";
            }
        }
        const UniqueFile lock(
            CreateFileW(file.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, 0));
        EXPECT_FALSE(WriteIniValue(ini.Path(), IniKey::CompilerSwitches, L"-x"))
            << "a failed write reported as done";
    }
    EXPECT_FALSE(WriteIniValue(DynamicWideString(), IniKey::CompilerSwitches, L"-x"))
        << "wrote without a path";
}

// Another program may hold WinFBE.ini (a scanner right after a write): the values read before
// stand, and count as what the file holds only while it has not changed since.
TEST(WinFbeIni, AHeldFileKeepsWhatWasReadAndSaysWhetherItStillHoldsIt) {
    const support::ScratchFolder scratch;
    const path file = scratch.Root() / L"WinFBE.ini";
    support::WriteBytes(file, support::IdeShapedIni(kKeys));
    { // written minutes ago, as between two writes of the IDE
        const UniqueFile written(CreateFileW(file.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr,
                                             OPEN_EXISTING, 0, nullptr));
        FILETIME earlier{};
        GetSystemTimeAsFileTime(&earlier);
        earlier.dwHighDateTime -= 1;
        SetFileTime(written.get(), nullptr, nullptr, &earlier);
    }
    const DynamicWideString ini(file.wstring());
    WinFbeIniReading reading;
    const auto refresh = [&](bool held) {
        const UniqueFile lock(
            held ? CreateFileW(file.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr)
                 : INVALID_HANDLE_VALUE);
        RefreshWinFbeIni(ini, FileTimeNow(), reading);
        return std::pair(reading.values[0], reading.current);
    };
    EXPECT_EQ(refresh(false), std::pair(std::wstring(L"-gen gas"), true));
    EXPECT_EQ(refresh(true), std::pair(std::wstring(L"-gen gas"), true)) << "unchanged";
    ASSERT_TRUE(WriteIniValue(ini, IniKey::CompilerSwitches, L"-gen gcc"));
    EXPECT_EQ(refresh(true), std::pair(std::wstring(L"-gen gas"), false)) << "changed, held";
    EXPECT_EQ(refresh(false), std::pair(std::wstring(L"-gen gcc"), true)) << "free again";
}

} // namespace
