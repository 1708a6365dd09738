// The file layer on real Win32 under Wine: the IDE's WinFBE.ini written and read through the
// profile functions, the session recognising its own writes in what comes back, and what a tick
// sees of the main window.
#include <gtest/gtest.h>

#include <windows.h>

#include <random>
#include <thread>

#include "effect_runner.h"
#include "handles.h"
#include "host_ide.h"
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
// with a best fit and one without.
std::vector<std::wstring> PresetTexts() {
    const std::wstring pieces[] = {
        L" ",      L"\t",     L"\v",    L"\x1A",  L"\"",  L"'",  L",",    L"=",
        L";",      L"[",      L"-gen ", L"clang", L"-O2", L"\\", L"'-q'", L" \"-g, -O\" ",
        L"\u00e9", L"\u0142", L"\u6f22"};
    std::mt19937 random(20261207);
    std::vector<std::wstring> texts = {L"", L"\"-gen gcc, -g\"", L"-gen gcc -O 2 "};
    while (texts.size() < 40) {
        std::wstring text;
        for (auto count = random() % 9; count > 0; --count)
            text += pieces[random() % std::size(pieces)];
        texts.push_back(text);
    }
    return texts;
}

// The session beside a real WinFBE.ini: the writes of its answers performed as the main window
// performs them; a selection moved or the undo items changed at a tick is a change another
// program made, as the session sees it.
class FileShell {
  public:
    explicit FileShell(const path& file) : file_(file.wstring()) {}
    // As start-up and the tick read it: once, then again from the file itself, the profile
    // cache flushed.
    IniValues Read() const {
        const IniValues first = ReadStoredValues(file_);
        WritePrivateProfileStringW(nullptr, nullptr, nullptr, file_.data());
        EXPECT_EQ(ReadStoredValues(file_), first) << "the second read differs";
        return first;
    }
    bool TicksFollow(EffectRunner<FileShell>& runner) {
        followed_ = false;
        for (int tick = 0; tick < 2; ++tick)
            runner.Feed(Ticked{.ini = Read(), .iniCurrent = true});
        return followed_;
    }
    const DynamicWideString& Path() const { return file_; }

    WriteDone Perform(const effect::Write& write) { return WriteIniValues(file_, write.values); }
    void Perform(const effect::Select&) { followed_ = true; }
    void Perform(const effect::ShowHistory&) { followed_ = true; }
    template <typename Other> void Perform(const Other&) {}

  private:
    DynamicWideString file_;
    bool followed_ = false;
};

int SelectedAtStartUp(const std::vector<std::wstring>& presets, const IniValues& stored) {
    Session fresh(CodePageTripOf, presets, std::nullopt);
    fresh.On(Started{stored});
    return fresh.Selected();
}

// Written with the real profile functions into the IDE's UTF-16 file and into an ANSI one, and
// read again as start-up and the tick read them: what the IDE's narrow read finds at its 511-byte
// limit and for characters the code page lacks, and what Keep finds whole; for generated preset
// texts, the session takes no write of Apply, Edit or a toolchain for another program's, and
// start-up finds the preset that Apply's value came from, as long as the IDE reads it whole.
TEST(WinFbeIni, WhatApplyAndEditWriteIsWhatTheNextReadFinds) {
    for (const bool ansi : {false, true}) {
        SCOPED_TRACE(ansi ? "ANSI WinFBE.ini" : "UTF-16 WinFBE.ini");
        const support::ScratchFolder scratch;
        // A folder the ANSI code page cannot name works too.
        const path file = scratch.Root() / L"Settings \u0142\u6f22" / L"WinFBE.ini";
        std::filesystem::create_directories(file.parent_path());
        FileShell shell(file);
        EXPECT_EQ(shell.Read()[0], L"") << "no file";
        support::WriteBytes(file, support::IdeShapedIni(kKeys, ansi));
        // clang-format off
        const struct { std::wstring written, read, whole, wholeInAnsi; } literal[] = {
            {L" -d \u00e9 -d \u6f22 -d \u0142\t", L"-d \u00e9 -d ? -d l", L"-d \u00e9 -d \u6f22 -d \u0142", L"-d \u00e9 -d ? -d l"}, // no fit, best fit
            {L"\v'-a, -b'\f\x1A", L"-a, -b", L"-a, -b", L"-a, -b"},
            {std::wstring(510, L'x') + L"\u00e9", std::wstring(510, L'x') + L"\u00e9", L"", L""},
            {std::wstring(511, L'x') + L"\u00e9", std::wstring(511, L'x'), std::wstring(511, L'x') + L"\u00e9", std::wstring(511, L'x') + L"\u00e9"},
        };
        // The plain prefix has 29 characters: these make values of 510, 511 and 512 bytes.
        const struct { std::wstring text; int selected; } atTheCut[] = {
            {std::wstring(480, L'x') + L"\u00e9", 2}, {std::wstring(481, L'x') + L"\u6f22", 2},
            {std::wstring(482, L'x') + L"\u00e9", 3},
        };
        // clang-format on
        for (const auto& [written, read, whole, wholeInAnsi] : literal) {
            EXPECT_TRUE(WriteIniValue(shell.Path(), IniKey::CompilerSwitches, written));
            EXPECT_EQ(shell.Read()[0], read) << "written: " << support::Utf8(written);
            if (!whole.empty()) {
                EXPECT_EQ(ReadStoredNow(shell.Path())->switches, ansi ? wholeInAnsi : whole)
                    << "Keep's whole value, written: " << support::Utf8(written);
            }
        }
        for (const auto& [text, selected] : atTheCut) {
            const std::vector<std::wstring> presets = {L"-gen gas", text};
            Session session(CodePageTripOf, presets, std::nullopt);
            FileShell writer(file);
            EffectRunner<FileShell>(session, writer).Feed(ApplyPressed{2, {false, false}});
            EXPECT_EQ(SelectedAtStartUp(presets, shell.Read()), selected)
                << text.size() + 29 << " characters";
        }
        for (const std::wstring& text : PresetTexts()) {
            SCOPED_TRACE("preset text [" + support::Utf8(text) + "]");
            const std::vector<std::wstring> presets = {L"-gen gas", text};
            for (const int ticks : {0, 1, 2, 3}) {
                Session session(CodePageTripOf, presets, std::nullopt);
                EffectRunner<FileShell> runner(session, shell);
                runner.Feed(Started{shell.Read()});
                runner.Feed(ApplyPressed{2, {(ticks & 1) != 0, (ticks & 2) != 0}});
                EXPECT_FALSE(shell.TicksFollow(runner)) << "Apply's write taken for another's";
                EXPECT_EQ(SelectedAtStartUp(presets, shell.Read()), 2) << "ticks " << ticks;
                runner.Feed(EditClosed{text});
                EXPECT_FALSE(shell.TicksFollow(runner)) << "Edit's write taken for another's";
                runner.Feed(ToolchainsListed{
                    L"C:\\TC\\Old\\fbc32.exe", L"", L"C:\\IDE", L"C:\\TC", {{text, true, false}}});
                runner.Feed(ToolchainPicked{0});
                EXPECT_FALSE(shell.TicksFollow(runner))
                    << "a toolchain's write taken for another's";
            }
        }
        const UniqueFile lock(
            CreateFileW(file.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, 0));
        EXPECT_FALSE(WriteIniValue(shell.Path(), IniKey::CompilerSwitches, L"-x"))
            << "a failed write reported as done";
    }
    EXPECT_FALSE(WriteIniValue(DynamicWideString(), IniKey::CompilerSwitches, L"-x"))
        << "wrote without a path";
}

// Another program may hold WinFBE.ini (a scanner right after a write), or the IDE may have
// truncated it to save it whole again: the values read before stand, and count as what the file
// holds only while it has not changed since. An empty file is read as empty once it settles.
TEST(WinFbeIni, AHeldFileKeepsWhatWasReadAndSaysWhetherItStillHoldsIt) {
    const support::ScratchFolder scratch;
    const path file = scratch.Root() / L"WinFBE.ini";
    const auto backdate = [&] {
        support::Backdate(UniqueFile(CreateFileW(file.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr,
                                                 OPEN_EXISTING, 0, nullptr))
                              .get());
    };
    support::WriteBytes(file, support::IdeShapedIni(kKeys));
    backdate();
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
    support::WriteBytes(file, "");
    EXPECT_EQ(refresh(false), std::pair(std::wstring(L"-gen gcc"), false)) << "truncated";
    EXPECT_FALSE(ReadStoredValuesNow(ini)) << "truncated";
    backdate();
    EXPECT_EQ(refresh(false), std::pair(std::wstring(), true)) << "empty";
    EXPECT_EQ(ReadStoredValuesNow(ini).value_or(IniValues{L"unread"})[0], L"") << "empty";

    support::WriteBytes(file, support::IdeShapedIni(kKeys));
    backdate();
    EXPECT_EQ(ReadStoredValuesNow(ini).value_or(IniValues{})[0], L"-gen gas");
    FILETIME stamp{};
    GetFileTime(UniqueFile(CreateFileW(file.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                       OPEN_EXISTING, 0, nullptr))
                    .get(),
                nullptr, nullptr, &stamp);
    support::WriteBytes(file, support::IdeShapedIni({.switches = L"-gen gcc"}));
    SetFileTime(UniqueFile(CreateFileW(file.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr,
                                       OPEN_EXISTING, 0, nullptr))
                    .get(),
                nullptr, nullptr, &stamp);
    EXPECT_EQ(ReadStoredValuesNow(ini).value_or(IniValues{})[0], L"-gen gcc") << "same stamp";
}

// A reader may have the preset file open (without sharing its deletion) as Keep puts the longer
// file in its place: Keep waits until it lets go.
TEST(PresetFileOnDisk, AKeptPresetTakesItsPlaceOnceAReaderLetsGo) {
    const support::ScratchFolder scratch;
    const path file = scratch.Root() / L"MarlwickIII.ini";
    support::WriteBytes(file, "-gen gas\r\n");
    UniqueFile reader(CreateFileW(file.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                  nullptr, OPEN_EXISTING, 0, nullptr));
    // Lets go a moment after Keep has written the file beside it, so that Keep's first try to
    // put it in place meets the reader, and well within the time Keep waits.
    std::thread letGo([&] {
        support::WaitUntil([&] { return std::filesystem::exists(path(file) += L".new"); });
        Sleep(100);
        reader = UniqueFile();
    });
    const AppendOutcome outcome =
        AppendPresetToFile(DynamicWideString(scratch.Root().wstring()), L"-gen gcc");
    letGo.join();
    EXPECT_EQ(outcome, AppendOutcome::Appended);
    EXPECT_EQ(support::ReadBytes(file), std::optional<std::string>("-gen gas\r\n-gen gcc\r\n"));
}

HWND MakeWindow(const wchar_t* className) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.lpszClassName = className;
    RegisterClassW(&windowClass);
    return CreateWindowExW(0, className, className, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200,
                           100, nullptr, nullptr, nullptr, nullptr);
}

// The IDE's window as it comes, is minimised, goes and comes again; and the main window, which a
// task-modal box disables whether or not it raised the program's flag.
TEST(Tick, SeesTheIdesWindowAndTheMainWindowAsTheyStand) {
    const support::ScratchFolder scratch;
    const DynamicWideString folder(scratch.Root().wstring()),
        ini((scratch.Root() / L"WinFBE.ini").wstring());
    TickMemory memory;
    const HWND main = MakeWindow(L"MainOfTheTest");
    const auto tick = [&] { return ObserveTick(ini, folder, memory, main, false); };
    EXPECT_FALSE(tick().host.hostFound) << "no IDE yet";
    HWND ide = MakeWindow(kHostWindowClass);
    EXPECT_TRUE(tick().host.hostFound && !tick().host.hostMinimized) << "the IDE came";
    ShowWindow(ide, SW_MINIMIZE);
    EXPECT_TRUE(tick().host.hostMinimized) << "minimised";
    DestroyWindow(ide);
    EXPECT_FALSE(tick().host.hostFound) << "the IDE went";
    ide = MakeWindow(kHostWindowClass);
    EXPECT_TRUE(tick().host.hostFound) << "came again";
    DestroyWindow(ide);
    for (const bool enabled : {true, false})
        for (const bool minimised : {false, true}) {
            EnableWindow(main, enabled);
            ShowWindow(main, minimised ? SW_MINIMIZE : SW_RESTORE);
            EXPECT_EQ(std::pair(tick().mainDisabled, tick().minimised),
                      std::pair(!enabled, minimised));
        }
    DestroyWindow(main);
}

} // namespace
