// The file layer on real Win32 under Wine: the IDE's WinFBE.ini read and written through the
// profile functions.
#include <gtest/gtest.h>

#include <windows.h>

#include <random>

#include "handles.h"
#include "host_watch.h"
#include "presets.h"
#include "settings_files.h"
#include "support.h"

namespace {

using support::path;

constexpr char kIni[] = "; WinFBE settings\r\n[Options]\r\nLanguage=english\r\n\r\n"
                        "[Compiler]\r\n; switches\r\nCompilerSwitches = -gen gas\r\n"
                        "FBWINCompiler32=C:\\fbc.exe\r\n\r\n[Files]\r\nFile1=C:\\a.bas\r\n";

DynamicWideString Wide(const path& file) {
    return DynamicWideString(file.wstring());
}

// Preset texts as MarlwickIII.ini may hold them, from pieces drawn with a fixed seed: blanks at
// either end, quotes, the profile format's own characters and characters of the ANSI code page
// beyond ASCII; then the empty text, one of 511 characters and a quoted one.
std::vector<std::wstring> PresetTexts() {
    std::wstring beyondAscii(6, L'\0');
    MultiByteToWideChar(CP_ACP, 0, "\x80\xA0\xC9\xDF\xE9\xFF", 6, beyondAscii.data(), 6);
    std::vector<std::wstring> pieces = {
        L" ",   L"\t",    L"\"", L"'", L",",  L"=",       L";",  L"[",      L"]",    L"-gen ",
        L"gcc", L"clang", L"-O", L"2", L"-d", L"x=\"y\"", L"\\", L"\\\"\"", L"-Wl ", L" ;c"};
    for (const wchar_t c : beyondAscii)
        pieces.emplace_back(1, c);
    std::mt19937 random(20261207);
    std::vector<std::wstring> texts = {L"", std::wstring(511, L'x'), L"\"-gen gcc, -g\"",
                                       L"-gen gcc -O 2 "};
    while (texts.size() < 120) {
        std::wstring text;
        for (auto count = random() % 9; count > 0; --count)
            text += pieces[random() % pieces.size()];
        texts.push_back(text);
    }
    return texts;
}

std::size_t AnsiBytes(std::wstring_view text) {
    return static_cast<std::size_t>(WideCharToMultiByte(
        CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr));
}

// Written with the real profile functions and read again as start-up and the tick read it (the
// second time from the file itself, the profile cache flushed): Edit's value comes back as the
// program expects it to, and Apply's value finds its preset, which the selection then keeps.
TEST(WinFbeIni, WhatApplyAndEditWriteIsWhatTheNextReadFinds) {
    const support::ScratchFolder scratch;
    // A folder the ANSI code page cannot name works too.
    const path ini = scratch.Root() / L"Settings \u0142\u6f22" / L"WinFBE.ini";
    std::filesystem::create_directories(ini.parent_path());
    EXPECT_EQ(ReadStoredSwitches(Wide(ini)), L"") << "no file";
    support::WriteBytes(ini, kIni);
    const auto writeAndRead = [&](const std::wstring& value) {
        EXPECT_TRUE(WriteCompilerSwitches(Wide(ini), value.c_str()));
        std::wstring reads[2] = {ReadStoredSwitches(Wide(ini))};
        WritePrivateProfileStringW(nullptr, nullptr, nullptr, ini.c_str());
        reads[1] = ReadStoredSwitches(Wide(ini));
        EXPECT_EQ(reads[0], reads[1]) << "the second read differs";
        return reads[0];
    };
    EXPECT_EQ(writeAndRead(L" -d \u00e9 -d \u6f22"), L"-d \u00e9 -d ?") << "beyond the code page";
    for (const std::wstring& text : PresetTexts()) {
        SCOPED_TRACE("preset text [" + support::Utf8(text) + "]");
        EXPECT_EQ(writeAndRead(text), StoredFormOf(text)) << "written by Edit";
        const std::vector<std::wstring> presets = {L"-gen gas", text};
        for (const int ticks : {0, 1, 2, 3}) {
            const std::wstring composed = ComposeSwitches(text, ticks & 1, ticks & 2);
            const std::wstring read = writeAndRead(composed);
            // The IDE reads 511 bytes: a longer value arrives cut and matches no preset, so
            // start-up reports it; the selection stays as Apply left it all the same.
            const bool cut = AnsiBytes(composed) > kIniValueLimit;
            EXPECT_EQ(FindPresetForSwitches(read, presets), cut ? std::nullopt : std::optional(2))
                << "Console " << (ticks & 1) << ", -exx " << (ticks & 2);
            FollowedSwitches followed{StoredFormOf(composed), std::nullopt};
            for (int tick = 0; tick < 2; ++tick)
                EXPECT_EQ(OptionFollowingStoredSwitches(read, false, followed, presets),
                          std::nullopt)
                    << "the program's own write was taken for an outside change";
        }
    }
    const UniqueFile lock(CreateFileW(ini.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, 0));
    EXPECT_FALSE(WriteCompilerSwitches(Wide(ini), L"-x")) << "a failed write was reported as done";
    EXPECT_FALSE(WriteCompilerSwitches(DynamicWideString(), L"-x")) << "wrote without a path";
}

} // namespace
