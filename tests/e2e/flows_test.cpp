// The real MarlwickIII.exe beside a stand-in IDE, driven from this process as a person or the
// IDE would: one row per flow, the files it starts with and its steps, each something a person
// or the IDE does or something a person would then check.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <functional>
#include <sstream>

#include "control_ids.h"
#include "handles.h"
#include "ide_settings.h"
#include "stand_in_ide.h"
#include "support.h"

namespace {

using support::path;
using support::WaitUntil;
using Bytes = std::optional<std::string>;
using UniqueHandle = UniqueOwner<HANDLE, &CloseHandle>;

// The files a flow starts with, laid out as on a user's machine: Tools\ holds the program,
// Settings\WinFBE.ini is the IDE's, in the IDE's own shape (or ANSI, as files were before).
struct Given {
    const wchar_t* exe = L"MarlwickIII.exe";
    Bytes presets = "-gen gcc -O 2\r\n-gen gcc -O 3\r\n-gen clang -O 2\r\n-gen gas\r\n";
    bool winFbeIni = true, ansiIni = false;
    support::IdeCompilerKeys ini = {};
    Bytes console = {}, exx = {}, position = {}; // the state files
    // The recording DlgMsgBox.dll holds its boxes until ReleaseBoxes, or until a quit message,
    // which it then keeps with swallowQuit.
    bool holdBoxes = false, swallowQuit = false;
};

path FromHost(const char* hostPath) {
    std::wstring wide(hostPath, hostPath + std::strlen(hostPath));
    std::replace(wide.begin(), wide.end(), L'/', L'\\');
    return L"Z:" + wide;
}

HWND FindWindowOf(DWORD processId, const wchar_t* className, const wchar_t* caption) {
    for (HWND window = nullptr; (window = FindWindowExW(nullptr, window, className, caption));) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == processId)
            return window;
    }
    return nullptr;
}

struct Process {
    UniqueHandle handle;
    DWORD id = 0;
    bool Running() const { return WaitForSingleObject(handle.get(), 0) == WAIT_TIMEOUT; }
};

// One flow's scratch layout and the processes it started, each ended by its id at the end.
class World {
  public:
    explicit World(const Given& given)
        : exe_(given.exe),
          boxRelease_(L"MarlwickTestBoxes-" + scratch_.Root().filename().wstring()),
          release_(CreateEventW(nullptr, TRUE, FALSE, boxRelease_.c_str())) {
        std::filesystem::create_directories(Ini().parent_path());
        std::filesystem::create_directories(Tools(L""));
        CopyFileW(FromHost(E2E_APP).c_str(), Tools(given.exe).c_str(), FALSE);
        CopyFileW(FromHost(E2E_RECORDING_BOX).c_str(), Tools(L"DlgMsgBox.dll").c_str(), FALSE);
        const Bytes hold = given.holdBoxes ? "held " + support::Utf8(boxRelease_) +
                                                 (given.swallowQuit ? " swallow" : "")
                                           : Bytes();
        for (const auto& [name, bytes] : {std::pair{L"MarlwickIII.ini", given.presets},
                                          {L"ConsoleIII.dat", given.console},
                                          {L"exxIII.dat", given.exx},
                                          {L"MWpositionIII.dat", given.position},
                                          {L"DlgMsgBox.hold", hold}})
            if (bytes)
                support::WriteBytes(Tools(name), *bytes);
        if (given.winFbeIni)
            support::WriteBytes(Ini(), support::IdeShapedIni(given.ini, given.ansiIni));
    }

    ~World() {
        SetEvent(release_.get());
        iniLock.reset();
        presetLock.reset();
        squatter.reset();
        for (const Process& process : processes_)
            adopted.push_back(process.id);
        for (const DWORD id : adopted)
            if (const UniqueHandle byId(OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, 0, id));
                byId) {
                TerminateProcess(byId.get(), 1);
                WaitForSingleObject(byId.get(), support::kWaitMs);
            }
    }

    Process& Start(const path& exe, const std::wstring& arguments) {
        std::wstring commandLine = L"\"" + exe.wstring() + L"\" " + arguments;
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION info{};
        CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                       exe.parent_path().c_str(), &startup, &info);
        const UniqueHandle thread(info.hThread);
        return processes_.emplace_back(UniqueHandle(info.hProcess), info.dwProcessId);
    }

    // The stand-in IDE with its settings file, or another program of a class the utility does
    // not look for.
    HWND StartWindow(const wchar_t* className, const wchar_t* log) {
        const bool ide = std::wcscmp(className, L"WinFBE_Class") == 0;
        const Process& process =
            Start(FromHost(E2E_IDE), L"\"" + (Root() / log).wstring() + L"\" " + className +
                                         (ide ? L" \"" + Ini().wstring() + L"\"" : L""));
        HWND window = nullptr;
        WaitUntil([&] { return (window = FindWindowOf(process.id, className, nullptr)); });
        return window;
    }

    void ReleaseBoxes() const { SetEvent(release_.get()); }

    void StartApp(bool withIde = true, const std::wstring& arguments = L"") {
        if (withIde && !IsWindow(ide))
            ide = StartWindow(L"WinFBE_Class", L"keys.log");
        app = &Start(Tools(exe_.c_str()), arguments);
    }

    // The IDE's folder, in a user's folder whose name has a hyphen and letters beyond the ANSI
    // code page.
    path Root() const {
        return scratch_.Root() / L"Anne-Marie \u0141\u00f3d\u017a \u6f22" / L"WinFBE";
    }
    path Tools(const wchar_t* name) const { return Root() / L"Tools" / name; }
    path Ini() const { return Root() / L"Settings" / L"WinFBE.ini"; }

    Process* app = nullptr;
    std::vector<DWORD> adopted; // started by the program, ended here too
    HWND main = nullptr, ide = nullptr, third = nullptr, editBox = nullptr;
    UniqueFile iniLock, presetLock; // held as another program holds a file
    UniqueHandle squatter;          // an object that holds the name of the program's mutex
    int ticks = 0;
    std::size_t keysSeen = 0;

  private:
    support::ScratchFolder scratch_;
    std::wstring exe_;
    std::wstring boxRelease_;
    UniqueHandle release_;
    std::deque<Process> processes_; // app keeps its address
};

using Step = std::function<void(World&)>;
// STEP(Name, (parameters), { body }) defines Name(parameters): a step of a flow, whose body acts
// on or checks w, the flow's world.
#define STEP(name, parameters, ...)                                                                \
    Step name parameters {                                                                         \
        return [=](World & w) __VA_ARGS__;                                                         \
    }
constexpr int kNoPreset = 1005; // with the four presets every flow starts with but one

std::optional<LRESULT> Send(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(window, message, wParam, lParam, 0, support::kWaitMs, &result))
        return std::nullopt;
    return static_cast<LRESULT>(result);
}

// By WM_GETTEXT, which the controls of another process answer for themselves.
std::wstring TextOf(HWND window) {
    std::wstring text(1 << 16, L'\0');
    text.resize(
        Send(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data())).value_or(0));
    return text;
}

bool IsChecked(HWND main, int id) {
    return Send(GetDlgItem(main, id), BM_GETCHECK).value_or(0) == BST_CHECKED;
}

RECT RectOf(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    return r;
}

// What a person checks comes to be so within the wait, or the step fails saying what came
// instead.
template <typename Get, typename Want>
void Eventually(const char* what, Get get, const Want& want) {
    EXPECT_TRUE(WaitUntil([&] { return get() == want; }))
        << what << ": " << ::testing::PrintToString(get()) << ", not "
        << ::testing::PrintToString(want);
}

// ---- Starting and ending ----

// With arguments, as a User Tool of the IDE starts it when no copy runs.
STEP(Start, (std::wstring arguments = L""), {
    w.StartApp(true, arguments);
    ASSERT_TRUE(WaitUntil([&] {
        w.main = FindWindowOf(w.app->id, nullptr, L"MWK III");
        return w.main && IsWindowVisible(w.main);
    })) << "the main window did not show";
})

// The copy's exit code once it has ended, or STILL_ACTIVE when it runs on.
DWORD ExitCodeOnceEnded(const Process& copy) {
    DWORD code = STILL_ACTIVE;
    if (WaitUntil([&] { return !copy.Running(); }))
        GetExitCodeProcess(copy.handle.get(), &code);
    return code;
}

STEP(Ended, (), { EXPECT_EQ(ExitCodeOnceEnded(*w.app), 0u) << "the program runs on, or failed"; })

// Started, with the IDE or without, and ending by itself.
STEP(EndsByItself, (bool withIde = true), {
    w.StartApp(withIde);
    Ended()(w);
})

// Another program holds an object under the name of the program's mutex, so creating it fails.
STEP(MutexNameTaken, (), {
    w.squatter.reset(CreateEventW(nullptr, TRUE, FALSE, L"cT2bKegPTlB5a9HFcKFj"));
    ASSERT_TRUE(w.squatter);
})

STEP(CloseApp, (), {
    PostMessageW(w.main, WM_SYSCOMMAND, SC_CLOSE, 0);
    Ended()(w);
})

// A User Tool of the IDE runs the program with a command while the program runs: the second copy
// ends with the running copy's answer.
STEP(Command, (std::wstring arguments, DWORD exitCode), {
    EXPECT_EQ(ExitCodeOnceEnded(w.Start(w.Tools(L"MarlwickIII.exe"), arguments)), exitCode)
        << support::Utf8(arguments);
})

STEP(SecondCopy, (), {
    ASSERT_NE(ExitCodeOnceEnded(w.Start(w.Tools(L"MarlwickIII.exe"), L"")), STILL_ACTIVE)
        << "the second copy runs on";
    EXPECT_TRUE(w.app->Running()) << "the first copy ended";
})

// ---- The main window ----

STEP(Click, (int id), { ASSERT_TRUE(Send(GetDlgItem(w.main, id), BM_CLICK)) << id; })

// Another program checks the option as automation does, with BM_SETCHECK: no click, no
// notification.
STEP(CheckedElsewhere, (int id), {
    for (int option = kFirstOptionId; option <= kFirstOptionId + 32; ++option)
        if (option != id && IsChecked(w.main, option))
            Send(GetDlgItem(w.main, option), BM_SETCHECK, BST_UNCHECKED);
    ASSERT_TRUE(Send(GetDlgItem(w.main, id), BM_SETCHECK, BST_CHECKED)) << id;
})

// A click on a button whose command opens a box, so that it is not waited for.
STEP(Post, (int id), { PostMessageW(w.main, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); })

// Apply, Clear and the IDE buttons, answered once the program has handled them.
STEP(Press, (int id), {
    ASSERT_TRUE(Send(w.main, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(w.main, id))))
        << "button " << id << " was not handled";
})

// Sets the two checkboxes as a person clicks them, or with check only says how they stand.
STEP(Ticks, (bool console, bool exx, bool check = false), {
    for (const auto& [id, ticked] : {std::pair{kConsoleId, console}, {kExxId, exx}}) {
        EXPECT_TRUE(!check || IsChecked(w.main, id) == ticked) << "checkbox " << id;
        if (IsChecked(w.main, id) != ticked)
            Click(id)(w);
    }
})

STEP(Selected, (int id), {
    Eventually(
        "the options checked",
        [&] {
            std::vector<int> checked;
            for (int option = kFirstOptionId; option <= kFirstOptionId + 32; ++option)
                if (IsChecked(w.main, option))
                    checked.push_back(option);
            return checked;
        },
        std::vector<int>{id});
})

// The text a control of the main window, or with editBox of the Edit box, comes to show.
STEP(Text, (int id, std::wstring text, bool editBox = false), {
    Eventually(
        "the text shown", [&] { return TextOf(GetDlgItem(editBox ? w.editBox : w.main, id)); },
        text);
})

Step Status(std::wstring text) {
    return Text(kStatusBarId, std::move(text));
}

// Paths below the flow's IDE folder, which only the flow's world knows: as the IDE writes them on
// its own drive ("{CURDRIVE}:\..."), or in full.
constexpr std::wstring_view kOnIdeDrive = L"<on the IDE's drive>\\";
constexpr std::wstring_view kInIdeFolder = L"<in the IDE's folder>\\";

std::wstring OnIdeDrive(const std::wstring& relative) {
    return std::wstring(kOnIdeDrive) + relative;
}
std::wstring InIdeFolder(const std::wstring& relative) {
    return std::wstring(kInIdeFolder) + relative;
}

std::wstring Expanded(const World& w, std::wstring text) {
    const std::wstring folder = w.Root().wstring() + L"\\";
    if (text.starts_with(kOnIdeDrive))
        return L"{CURDRIVE}" + folder.substr(1) + text.substr(kOnIdeDrive.size());
    if (text.starts_with(kInIdeFolder))
        return folder + text.substr(kInIdeFolder.size());
    return text;
}

// The IDE saves its settings as it does on a recent file or a closed dialog: the whole file
// again, with the key of section Compiler changed when one is given.
STEP(IdeSaves, (std::wstring key = L"", std::wstring value = L""), {
    std::wstring change = key.empty() ? L"" : key + L"=" + Expanded(w, value);
    COPYDATASTRUCT request{kSaveSettings, static_cast<DWORD>(change.size() * sizeof(wchar_t)),
                           change.data()};
    ASSERT_EQ(Send(w.ide, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&request)), TRUE)
        << "the IDE did not save its settings";
})

// Waits until the timer has ticked once more: the IDE changes its compiler path and the status
// bar follows.
STEP(Tick, (), {
    const std::wstring mark = L"t" + std::to_wstring(++w.ticks);
    IdeSaves(L"FBWINCompiler32", L"C:\\FreeBASIC-" + mark + L"-gcc-" + mark + L"\\fbc.exe")(w);
    Status(L" fbc " + mark + L" / gcc " + mark)(w);
})

// Two ticks of the running program, which has then handled what came before them, so that
// what must not happen would have happened by now.
STEP(Settled, (), {
    if (w.app->Running() && IsWindow(w.ide))
        for (int tick = 0; tick < 2; ++tick)
            Tick()(w);
})

// ---- Files and boxes ----

// What the IDE reads for the key once it takes up the file again.
STEP(Stored, (std::wstring value, const wchar_t* key = L"CompilerSwitches"), {
    Eventually(
        "the IDE reads", [&] { return support::IdeSettings(w.Ini()).Value(key); },
        std::optional(Expanded(w, value)));
})

// Empty files, and the folders they lie in, below the flow's root (the IDE's folder).
STEP(Made, (std::vector<std::wstring> files), {
    for (const std::wstring& file : files) {
        std::filesystem::create_directories((w.Root() / file).parent_path());
        support::WriteBytes(w.Root() / file, "");
    }
})

STEP(File, (const wchar_t* name, Bytes bytes), {
    if (!bytes)
        Settled()(w);
    Eventually(
        "the file holds", [&] { return support::ReadBytes(w.Tools(name)); }, bytes);
})

// Another program holds WinFBE.ini open without sharing, which it can open only between the
// running program's reads; Lock(false) frees every file held.
STEP(Lock, (bool locked), {
    if (!locked) {
        w.presetLock.reset();
        w.iniLock.reset();
        return;
    }
    ASSERT_TRUE(support::WaitUntil([&] {
        w.iniLock.reset(
            CreateFileW(w.Ini().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
        return static_cast<bool>(w.iniLock);
    })) << "WinFBE.ini could not be held";
})

// Writes MarlwickIII.ini as an editor would, letting the running program read it meanwhile, or
// deletes it; held, the file, written minutes ago, stays open without sharing until Lock(false),
// as a sync client holds a file.
STEP(Presets, (Bytes bytes, bool held = false), {
    const path file = w.Tools(L"MarlwickIII.ini");
    if (!bytes) {
        ASSERT_TRUE(DeleteFileW(file.c_str()));
        return;
    }
    // Unshared, the file opens only between the running program's reads.
    UniqueFile open;
    ASSERT_TRUE(support::WaitUntil([&] {
        open = UniqueFile(CreateFileW(file.c_str(), GENERIC_WRITE, held ? 0 : FILE_SHARE_READ,
                                      nullptr, CREATE_ALWAYS, 0, 0));
        return static_cast<bool>(open);
    }));
    DWORD written = 0;
    ASSERT_TRUE(
        WriteFile(open.get(), bytes->data(), static_cast<DWORD>(bytes->size()), &written, nullptr));
    if (held) {
        support::Backdate(open.get());
        w.presetLock = std::move(open);
    }
})

// The option column shows these presets and "No preset used", and nothing after it.
STEP(Options, (std::vector<std::wstring> presets), {
    std::vector<std::wstring> expected = presets;
    expected.emplace_back(L"No preset used");
    Eventually(
        "the options show",
        [&] {
            std::vector<std::wstring> shown;
            for (int id = kFirstOptionId; const HWND option = GetDlgItem(w.main, id); ++id)
                shown.push_back(TextOf(option));
            return shown;
        },
        expected);
})

// The boxes the program asked the recording DlgMsgBox.dll for so far, in order, as
// "text | caption | style | size | owner", the owner "none" or its caption, "shown" or "hidden".
std::vector<std::string> BoxesAskedFor(const World& w) {
    std::istringstream log(support::ReadBytes(w.Tools(L"DlgMsgBox.log")).value_or(""));
    std::vector<std::string> lines;
    for (std::string line; std::getline(log, line);)
        lines.push_back(line);
    return lines;
}

// So many boxes have been asked for: one is open while the flow holds them.
STEP(BoxesAsked, (std::size_t count), {
    Eventually(
        "the boxes asked for", [&] { return BoxesAskedFor(w).size(); }, count);
})

// Every box asked for, once the program has settled, so that a late box shows too.
STEP(Shown, (std::vector<std::string> boxes), {
    Settled()(w);
    Eventually(
        "the boxes shown", [&] { return BoxesAskedFor(w); }, boxes);
})

// ---- The Edit box ----

STEP(EditOpen, (), {
    Post(kEditId)(w);
    ASSERT_TRUE(WaitUntil([&] {
        w.editBox = FindWindowOf(w.app->id, nullptr, L"MWK III - Edit");
        return w.editBox && IsWindowVisible(w.editBox);
    })) << "no Edit box";
})

std::wstring SystemWord(UINT id, const wchar_t* without) {
    wchar_t word[64] = {};
    return LoadStringW(GetModuleHandleW(L"user32.dll"), id, word, 64) > 0
               ? L"&" + std::wstring(word)
               : without;
}

// The stored value in the field, whole and selected, under the prompt, the buttons in the
// system's words; the main window owns it, centres it and takes no input meanwhile.
STEP(EditShows, (std::wstring value), {
    const RECT box = RectOf(w.editBox), main = RectOf(w.main);
    EXPECT_NEAR(box.left + box.right, main.left + main.right, 1) << "not centred on the window";
    const HWND field = GetDlgItem(w.editBox, kEditFieldId);
    EXPECT_EQ(TextOf(field), value);
    EXPECT_EQ(Send(field, EM_GETSEL), MAKELONG(0, value.size()));
    EXPECT_TRUE(FindWindowExW(w.editBox, nullptr, L"Static",
                              L"Additional compiler option switches (optional)"));
    EXPECT_EQ(TextOf(GetDlgItem(w.editBox, IDOK)) + TextOf(GetDlgItem(w.editBox, IDCANCEL)),
              SystemWord(800, L"&Ok") + SystemWord(801, L"&Cancel"));
    EXPECT_EQ(GetWindow(w.editBox, GW_OWNER), w.main);
    EXPECT_FALSE(IsWindowEnabled(w.main));
})

enum class Leave { Ok, Cancel, Escape, CloseButton };

// Leaves the Edit box, having typed the text first when there is one.
STEP(EditLeave, (Leave how, std::optional<std::wstring> typed = std::nullopt), {
    const HWND box = w.editBox;
    if (typed)
        Send(GetDlgItem(box, kEditFieldId), WM_SETTEXT, 0,
             reinterpret_cast<LPARAM>(typed->c_str()));
    if (how == Leave::Ok || how == Leave::Cancel)
        PostMessageW(GetDlgItem(box, how == Leave::Ok ? IDOK : IDCANCEL), BM_CLICK, 0, 0);
    if (how == Leave::Escape)
        PostMessageW(GetDlgItem(box, kEditFieldId), WM_KEYDOWN, VK_ESCAPE, 0x00010001);
    if (how == Leave::CloseButton)
        PostMessageW(box, WM_SYSCOMMAND, SC_CLOSE, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(box) && IsWindowEnabled(w.main); }))
        << "the Edit box stays, or the main window takes no input";
})

// ---- Beside the IDE ----

STEP(Front, (HWND World::*window), {
    if (window == &World::third && !w.third)
        w.third = w.StartWindow(L"Third_Class", L"third.log");
    // Again while it is not in front: a window of the program that is just showing may take the
    // front first, as a person would click once more.
    ASSERT_TRUE(WaitUntil([&] {
        return GetForegroundWindow() == w.*window || (SetForegroundWindow(w.*window), false);
    })) << "the window did not come to the front";
})

STEP(Show, (HWND World::*window, int command), { ShowWindow(w.*window, command); })

STEP(Minimised, (bool minimised), {
    Eventually(
        "minimised", [&] { return IsIconic(w.main) != FALSE; }, minimised);
})

// The band the utility is in, and still after two more ticks with the same window in front.
STEP(Topmost, (bool topmost), {
    const auto inBand = [&] { return (GetWindowLongW(w.main, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; };
    Eventually("topmost", inBand, topmost);
    const HWND front = GetForegroundWindow();
    Settled()(w);
    EXPECT_EQ(inBand(), topmost) << "the band changed back";
    EXPECT_EQ(GetForegroundWindow(), front) << "the front changed";
})

STEP(IdeCloses, (), { PostMessageW(w.ide, WM_CLOSE, 0, 0); })

STEP(ReleaseBoxes, (), { w.ReleaseBoxes(); })

// Keys pressed into the window of the program that is in front, once it takes input: its
// thread has the focus and is in no menu or other modal mode.
void Keystrokes(const World& w, std::vector<BYTE> keys) {
    ASSERT_TRUE(WaitUntil([&] {
        DWORD front = 0;
        const DWORD thread = GetWindowThreadProcessId(GetForegroundWindow(), &front);
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        return front == w.app->id && IsWindowEnabled(GetForegroundWindow()) &&
               GetGUIThreadInfo(thread, &info) && info.hwndFocus &&
               !(info.flags & (GUI_INMENUMODE | GUI_POPUPMENUMODE | GUI_SYSTEMMENUMODE));
    })) << "no window of the program is in front and takes input";
    for (const BYTE key : keys)
        keybd_event(key, static_cast<BYTE>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC)), 0, 0);
    for (auto key = keys.rbegin(); key != keys.rend(); ++key)
        keybd_event(*key, static_cast<BYTE>(MapVirtualKeyW(*key, MAPVK_VK_TO_VSC)), KEYEVENTF_KEYUP,
                    0);
}

// A key typed into the program's window in front, Ctrl and Shift held down when asked.
STEP(Typed, (BYTE key, bool ctrl = false, bool shift = false), {
    std::vector<BYTE> keys;
    if (ctrl)
        keys.push_back(VK_CONTROL);
    if (shift)
        keys.push_back(VK_SHIFT);
    keys.push_back(key);
    Keystrokes(w, keys);
})

// The program's popup menu on show.
HWND MenuOf(const World& w) {
    const HWND menu = FindWindowOf(w.app->id, L"#32768", nullptr);
    return menu && IsWindowVisible(menu) ? menu : nullptr;
}

// A command of the system menu, as choosing its item sends it.
STEP(SystemCommand, (int command), { PostMessageW(w.main, WM_SYSCOMMAND, command, 0); })

// A click on the status bar opens a menu above it, from its left end.
STEP(ToolchainMenu, (), {
    Front (&World::main)(w);
    const RECT bar = RectOf(GetDlgItem(w.main, kStatusBarId));
    SetCursorPos((bar.left + bar.right) / 2, (bar.top + bar.bottom) / 2);
    mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
    mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
    ASSERT_TRUE(WaitUntil([&] { return MenuOf(w); })) << "no menu";
    const RECT menu = RectOf(MenuOf(w));
    EXPECT_TRUE(menu.left == bar.left && menu.bottom == bar.top)
        << "the menu's bottom left is at " << menu.left << ", " << menu.bottom << ", not at "
        << bar.left << ", " << bar.top;
})

// Keys pressed once the menu is open; the menu ends with the last.
STEP(MenuKeys, (std::vector<BYTE> keys), {
    ASSERT_TRUE(WaitUntil([&] { return MenuOf(w); })) << "no menu";
    for (const BYTE key : keys)
        for (const DWORD flags : {DWORD{0}, DWORD{KEYEVENTF_KEYUP}})
            keybd_event(key, static_cast<BYTE>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC)), flags, 0);
    ASSERT_TRUE(WaitUntil([&] { return !MenuOf(w); })) << "the menu stays open";
})

// A window of another program shows the file: the user's editor, started by the program.
STEP(EditorShows, (const wchar_t* file), {
    HWND editor = nullptr;
    ASSERT_TRUE(WaitUntil([&] {
        for (HWND window = nullptr; (window = FindWindowExW(nullptr, window, nullptr, nullptr));)
            if (IsWindowVisible(window) && TextOf(window).find(file) != std::wstring::npos &&
                window != w.main)
                editor = window;
        return editor;
    })) << "no editor shows "
        << support::Utf8(file);
    DWORD id = 0;
    GetWindowThreadProcessId(editor, &id);
    w.adopted.push_back(id);
})

// The keys the IDE received since the last such step, as "down 0x10 up 0x10 ...".
STEP(Keys, (std::string keys), {
    std::string got;
    Eventually(
        "the IDE received",
        [&] {
            got = support::ReadBytes(w.Root() / L"keys.log").value_or("").substr(w.keysSeen);
            std::replace(got.begin(), got.end(), '\n', ' ');
            return got;
        },
        keys);
    w.keysSeen += got.size();
    EXPECT_EQ(GetForegroundWindow(), w.ide) << "the IDE is not in front";
})

std::string Taps(const char* key, int times) {
    std::string keys;
    for (int i = 0; i < times; ++i)
        keys += std::string("down ") + key + " up " + key + " ";
    return keys;
}

// ---- Where the window is and how it looks ----

STEP(MoveTo, (int x, int y), {
    SetWindowPos(w.main, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ASSERT_TRUE(WaitUntil([&] { return RectOf(w.main).left == x && RectOf(w.main).top == y; }));
})

// Left until only the caption's Close button and a few pixels beside it show.
STEP(OnlyTheCloseButtonShows, (), {
    const RECT r = RectOf(w.main);
    MoveTo(GetSystemMetrics(SM_CXSIZE) + 4 - (r.right - r.left), r.top)(w);
})

// At the given place, or centred on the work area without one.
STEP(At, (std::optional<POINT> at = std::nullopt), {
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    const RECT r = RectOf(w.main);
    const POINT centred{(work.left + work.right - (r.right - r.left)) / 2,
                        (work.top + work.bottom - (r.bottom - r.top)) / 2};
    EXPECT_NEAR(r.left, at.value_or(centred).x, at ? 0 : 1);
    EXPECT_NEAR(r.top, at.value_or(centred).y, at ? 0 : 1);
})

// The first and the last column of dark pixels in the rectangle of a bitmap or of the screen;
// none gives an empty span (first > last).
class Canvas {
  public:
    Canvas(int width, int height)
        : dc_(CreateCompatibleDC(WindowDc(nullptr).get())),
          bitmap_(CreateCompatibleBitmap(WindowDc(nullptr).get(), width, height)),
          selected_(dc_.get(), bitmap_.get()), width_(width), height_(height) {}
    HDC dc() const { return dc_.get(); }
    std::pair<int, int> Ink() const {
        std::pair<int, int> span{width_, -1};
        for (int y = 0; y < height_; ++y)
            for (int x = 0; x < width_; ++x) {
                const COLORREF c = GetPixel(dc_.get(), x, y);
                if (GetRValue(c) + GetGValue(c) + GetBValue(c) < 384)
                    span = {std::min(span.first, x), std::max(span.second, x)};
            }
        return span;
    }

  private:
    UniqueOwner<HDC, &DeleteDC> dc_;
    UniqueOwner<HBITMAP, &DeleteObject> bitmap_;
    SelectedObject selected_;
    int width_, height_;
};

// What a control shows inside its frame, in screen columns.
std::pair<int, int> Ink(HWND control, int frame) {
    RECT r = RectOf(control);
    InflateRect(&r, -frame, -frame);
    const Canvas copy(r.right - r.left, r.bottom - r.top);
    BitBlt(copy.dc(), 0, 0, r.right - r.left, r.bottom - r.top, WindowDc(nullptr).get(), r.left,
           r.top, SRCCOPY);
    const auto [first, last] = copy.Ink();
    return {first + r.left, last + r.left};
}

// The text as this process draws it in Tahoma of that size at the screen's DPI.
int TahomaInkWidth(const std::wstring& text, int points) {
    const Canvas canvas(1000, 100);
    const UniqueFont font(CreateFontW(-MulDiv(points, support::ScreenDpi(), 72), 0, 0, 0, FW_NORMAL,
                                      0, 0, 0, DEFAULT_CHARSET, OUT_TT_PRECIS, 0, 0, 0, L"Tahoma"));
    const SelectedObject selected(canvas.dc(), font.get());
    RECT all{0, 0, 1000, 100};
    FillRect(canvas.dc(), &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    TextOutW(canvas.dc(), 10, 10, text.c_str(), static_cast<int>(text.size()));
    const auto [first, last] = canvas.Ink();
    return last - first + 1;
}

// The layout whose Apply button is so many units high and whose font is Tahoma of so many points,
// for so many presets: the controls in creation order, every one inside the client area and none
// on another (the group box holds the options), no caption clipped.
STEP(LooksRight, (int applyHeight, int fontPoints, int presets), {
    if (const char* dpi = std::getenv("MARLWICK_WINE_TEST_DPI")) {
        ASSERT_EQ(support::ScreenDpi(), std::atoi(dpi)) << "the display is not at that DPI";
    }
    SetCursorPos(0, 0); // no tip over the window
    RedrawWindow(w.main, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    Settled()(w);
    RECT client{};
    GetClientRect(w.main, &client);
    const RECT apply = RectOf(GetDlgItem(w.main, kApplyId));
    EXPECT_EQ(apply.bottom - apply.top, MulDiv(applyHeight, support::ScreenDpi(), 96));
    std::vector<int> order = {kConsoleId, kExxId};
    for (int option = 0; option <= presets; ++option)
        order.push_back(kFirstOptionId + option);
    order.insert(order.end(), {kApplyId, kEditId, kClearId, kBuildConfigurationsId,
                               kCompilerSetupId, kGroupBoxId, kStatusBarId});
    std::vector<int> created;
    std::vector<RECT> placed;
    for (HWND child = GetWindow(w.main, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        const int id = GetDlgCtrlID(child);
        created.push_back(id);
        RECT r = RectOf(child);
        MapWindowPoints(nullptr, w.main, reinterpret_cast<POINT*>(&r), 2);
        EXPECT_TRUE(r.left >= 0 && r.top >= 0 && r.right <= client.right &&
                    r.bottom <= client.bottom)
            << "control " << id << " sticks out of the window";
        // A clipped caption runs into the last two columns inside the frame.
        const int frame = id >= kApplyId && id <= kCompilerSetupId ? 2 : 0;
        const auto [first, last] = Ink(child, frame);
        EXPECT_FALSE(id != kStatusBarId && id != kGroupBoxId &&
                     last >= RectOf(child).right - frame - 2)
            << "control " << id << " is clipped";
        if (id == kBuildConfigurationsId || id == kCompilerSetupId) {
            EXPECT_NEAR(last - first, TahomaInkWidth(TextOf(child), fontPoints) - 1, 2)
                << "control " << id << " is not in Tahoma " << fontPoints;
        }
        for (const RECT& other : placed) {
            RECT overlap{};
            EXPECT_FALSE(id != kGroupBoxId && IntersectRect(&overlap, &r, &other))
                << "control " << id << " lies on another";
        }
        placed.push_back(r);
    }
    EXPECT_EQ(created, order) << "creation order";
})

// Hovering an option shows its tip, in the options' font and above every window: what Apply
// would write with the checkboxes as they stand, or over "No preset used" the value stored now.
STEP(Tip, (int option, std::wstring text), {
    HWND tips = nullptr;
    ASSERT_TRUE(WaitUntil([&] {
        return (tips = FindWindowOf(w.app->id, TOOLTIPS_CLASSW, nullptr));
    })) << "no tips";
    SetCursorPos(0, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(tips); })) << "a tip stays";
    const RECT r = RectOf(GetDlgItem(w.main, option));
    SetCursorPos((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    Eventually(
        "the tip", [&] { return IsWindowVisible(tips) ? TextOf(tips) : L""; }, text);
    EXPECT_EQ(Send(tips, WM_GETFONT), Send(GetDlgItem(w.main, option), WM_GETFONT));
    EXPECT_TRUE(GetWindowLongW(tips, GWL_EXSTYLE) & WS_EX_TOPMOST);
    SetCursorPos(0, 0);
})

// ---- The flows ----

struct Flow {
    const char* name;
    Given given;
    std::vector<Step> steps;
};

const std::wstring kStored = L"-w all -fpmode fast -fpu sse -gen gcc -O 2";
const std::wstring kO3 = L"-w all -fpmode fast -fpu sse -gen gcc -O 3";
const std::wstring kClang =
    L"-asm att -exx -w all -fpmode fast -fpu sse -arch native -gen clang -O 2";
const std::wstring kLong = L"-gen gcc -O 2" + std::wstring(3000, L'x');
const std::wstring kJose = L"-i C:\\Jos\u00e9";
const std::wstring kJapanese = L"-d NAME=\u65e5\u672c";
// The first line of the box that lists the commands.
const std::string kCommands =
    "MarlwickIII.exe takes one of these commands, which the copy that runs carries out:";
const std::string kNoSelection =
    "No valid radio button has been selected. | MWK III | 0x2030 | 8 | MWK III shown";

std::string Error(int number) {
    return "Error" + std::to_string(number) + " | MWK III | 0x2030 | 8 | MWK III shown";
}

// So many presets, the last the one the stored value at the start of every flow was composed from.
std::vector<std::wstring> SomePresets(int count) {
    std::vector<std::wstring> presets;
    for (int k = 1; k < count; ++k)
        presets.push_back(L"-d P" + std::to_wstring(k));
    presets.emplace_back(L"-gen gcc -O 2");
    return presets;
}

std::string Lines(const std::vector<std::wstring>& presets) {
    std::string file;
    for (const std::wstring& preset : presets)
        file += support::Utf8(preset) + "\r\n";
    return file;
}

// clang-format off
const Flow kFlows[] = {
    {"StartupSelectsTheStoredPresetAndApplyWritesTheTicksAndMarkersASecondCopyTouchesNothing",
     {.ini = {.switches = L"-asm att -s console -exx -w all -fpmode fast -fpu sse -arch native -gen clang -O 2"},
      .console = "kept by the user"},
     {Start(), Selected(1003), Ticks(true, false, true), Status(L" fbc 1.10.1 / gcc 9.3.0"),
      Tip(1003, L"-asm att -s console -w all -fpmode fast -fpu sse -arch native -gen clang -O 2"),
      Press(kApplyId), Stored(L"-asm att -s console -w all -fpmode fast -fpu sse -arch native -gen clang -O 2"),
      File(L"ConsoleIII.dat", "kept by the user"), File(L"exxIII.dat", {}),
      Click(1002), Ticks(false, true), Tip(1001, L"-exx -w all -fpmode fast -fpu sse -gen gcc -O 2"),
      Tip(kNoPreset, L"-asm att -s console -w all -fpmode fast -fpu sse -arch native -gen clang -O 2"),
      Press(kApplyId), Stored(L"-exx -w all -fpmode fast -fpu sse -gen gcc -O 3"),
      File(L"ConsoleIII.dat", {}), File(L"exxIII.dat", ""),
      IdeSaves(L"FBWINCompiler32", L"D:\\FreeBASIC-1.09.0-gcc-5.2\\bin\\fbc.exe"), Status(L" fbc 1.09.0 / gcc 5.2"),
      CheckedElsewhere(1004), Press(kApplyId), Stored(L"-exx -w all -fpmode fast -fpu sse -gen gas"),
      SecondCopy(), Stored(L"-exx -w all -fpmode fast -fpu sse -gen gas"), File(L"MWpositionIII.dat", {}),
      Shown({"Marlwick is already running. | MWK III | 0x2030 | 10 | none"})}},
    {"ClicksAloneWriteNothingApplyWithoutAPresetSaysSoAndClearEmptiesTheValue", {.exx = ""},
     {Start(), Click(1003), Click(kConsoleId), Click(kNoPreset), Press(kApplyId), Stored(kStored),
      File(L"ConsoleIII.dat", {}), Shown({kNoSelection}), Click(1003), Press(kClearId), Stored(L""), Selected(kNoPreset),
      Ticks(true, true, true), File(L"exxIII.dat", ""), File(L"ConsoleIII.dat", {})}},
    {"EditKeepsTheValueWholeAndWritesWhatIsConfirmed", {.ini = {.switches = kLong}},
     {Start(), MoveTo(100, 100), EditOpen(), EditShows(kLong), EditLeave(Leave::Ok), Settled(), Stored(kLong),
      EditOpen(), EditLeave(Leave::Ok, kClang), Stored(kClang), Selected(1003), EditOpen(), EditLeave(Leave::Cancel, L"-typed"),
      EditOpen(), EditLeave(Leave::Escape, L"-typed"), EditOpen(), EditLeave(Leave::CloseButton, L"-typed"),
      EditOpen(), EditLeave(Leave::Ok, L""), Settled(), Stored(kClang),
      Shown({"No preset match. | MWK | 0x2030 | 8 | MWK III hidden"})}},
    {"AWinFbeIniThatCannotBeWrittenIsReportedAndLeftAlone", {},
     {Start(), Click(1002), Press(kApplyId), Lock(true), Front(&World::main), Typed('Z', true), BoxesAsked(1),
      Ticks(true, false), Press(kApplyId), File(L"ConsoleIII.dat", ""), EditOpen(),
      EditLeave(Leave::Ok, L"-typed"), Click(1002), Press(kClearId), Lock(false),
      Shown({Error(4), Error(1), Error(2), Error(3)}), Stored(kO3)}},
    {"LayoutLargeAndAValueThatMatchesNoPresetReportedBeforeTheWindowShows",
     {.exe = L"MarLwickC.exe", .ini = {.switches = L"-w all -fpmode fast -fpu sse  -gen gcc -O 2"}},
     {Start(), Shown({"No preset match. | MWK | 0x2030 | 12 | MWK III hidden"}), Selected(kNoPreset),
      LooksRight(25, 12, 4)}},
    {"LayoutSmallWithoutPresetsAndAnEmptyValueReported",
     {.exe = L"marlwick9.exe", .presets = "", .ini = {.switches = std::nullopt}},
     {Start(), Shown({"'CompilerSwitches' in WinFBE.ini is empty. | MWK III | 0x2030 | 9 | MWK III hidden"}),
      LooksRight(22, 8, 0)}},
    {"WithoutMarlwickIniItSaysSoAndEnds", {.presets = {}},
     {EndsByItself(), Shown({"MarlwickIII.ini does not exist. | MWK III | 0x2030 | 10 | none"})}},
    {"WithoutWinFbeIniItSaysSoAndEnds", {.exe = L"MarlwickIIIF.exe", .winFbeIni = false},
     {EndsByItself(), Shown({"The given WinFBE ini file does not exist. | MWK III | 0x2030 | 15 | MWK III hidden"})}},
    {"WithoutTheIdeItEndsAtOnceAndAMutexThatCannotBeMadeIsReported", {},
     {EndsByItself(false), Shown({}), MutexNameTaken(), EndsByItself(),
      Shown({"Mutex Create failed with error code6 | MWK III | 0x2000 | 0 | none",
             "Marlwick is already running. | MWK III | 0x2030 | 10 | none"})}},
    // Left and top, little-endian: 120, -6 (dragged against the top edge), then -8, 40.
    {"ThePositionIsKeptAcrossStartsWhileWithinReach", {.position = std::string("x\0\0\0\xFA\xFF\xFF\xFF\xFF", 9)},
     {Start(), At(POINT{120, -6}), CloseApp(),
      File(L"MWpositionIII.dat", std::string("x\0\0\0\xFA\xFF\xFF\xFF\xFF", 9)),
      Start(), MoveTo(-8, 40), Show(&World::main, SW_MINIMIZE), Minimised(true), CloseApp(),
      File(L"MWpositionIII.dat", std::string("\xF8\xFF\xFF\xFF(\0\0\0", 8)), Start(), At(POINT{-8, 40}),
      OnlyTheCloseButtonShows(), CloseApp(), Start(), At()}},
    {"ItFollowsTheIdeAndKeepsItsBand", {.holdBoxes = true},
     {Start(), At(), Show(&World::ide, SW_MINIMIZE), Minimised(true), Show(&World::ide, SW_RESTORE),
      Minimised(false), Show(&World::main, SW_MINIMIZE), Settled(), Minimised(true),
      Show(&World::main, SW_RESTORE), Front(&World::third), Topmost(false), Front(&World::ide), Topmost(true),
      Front(&World::third), Topmost(false), Front(&World::main), Topmost(true), EditOpen(),
      Front(&World::third), Topmost(true), EditLeave(Leave::Cancel), Front(&World::third), Topmost(false),
      Front(&World::main), Topmost(true), Click(kNoPreset), Post(kApplyId), BoxesAsked(1),
      Front(&World::third), Topmost(true), ReleaseBoxes(), Topmost(false), Shown({kNoSelection})}},
    {"TheIdeButtonsTypeTheirKeysIntoTheIde", {},
     {Start(), Front(&World::main), Press(kBuildConfigurationsId), Keys(Taps("0x76", 1)),
      Front(&World::main), Press(kCompilerSetupId),
      Keys("down 0x10 " + Taps("0x76", 1) + "up 0x10 " + Taps("0x26", 7) + Taps("0x28", 4))}},
    {"ClosingTheIdeUnderTheEditBoxEndsIt", {}, {Start(), EditOpen(), IdeCloses(), Ended(), Stored(kStored)}},
    {"ClosingTheIdeUnderAMessageThatKeepsTheQuitEndsIt", {.holdBoxes = true, .swallowQuit = true},
     {Start(), Click(kNoPreset), Post(kApplyId), BoxesAsked(1), IdeCloses(), Ended(), Shown({kNoSelection})}},
    {"LayoutFollowsThePresetFileAsItGrowsAndShrinksAlsoWhileMinimised", {},
     {Start(), MoveTo(60, 20), Presets(Lines(SomePresets(12))), Options(SomePresets(12)), At(POINT{60, 20}),
      LooksRight(22, 8, 12), Tip(1011, L"-w all -fpmode fast -fpu sse -d P11"),
      Show(&World::ide, SW_MINIMIZE), Minimised(true), Presets(Lines({L"-gen gas", L"-gen gcc -O 2"})), Settled(),
      Show(&World::ide, SW_RESTORE), Minimised(false), Options({L"-gen gas", L"-gen gcc -O 2"}),
      At(POINT{60, 20}), Selected(1002), LooksRight(22, 8, 2), Shown({})}},
    {"PresetFilesAsEditorsSaveThemFollowedOnceFree", {.presets = "-gen gcc -O 2\r\n-i C:\\Jos\xC3\xA9\r\n"},
     {Presets("-gen gas\r\n", true), Lock(true), Start(), Options({}), Lock(false), Options({L"-gen gas"}),
      Presets(support::Utf16(L"-gen gcc -O 2\r\n" + kJose + L"\r\n")), Options({L"-gen gcc -O 2", kJose}),
      Click(1002), Press(kApplyId), Stored(L"-w all -fpmode fast -fpu sse " + kJose), CloseApp(),
      Presets("-gen gcc -O 2\r\n-i C:\\Jos\xC3\xA9\r\n"), Start(), Options({L"-gen gcc -O 2", kJose}),
      Selected(1002), Shown({})}},
    {"UndoAndRedoFromTheirKeysAndTheSystemMenu", {},
     {Start(), Click(1002), Press(kApplyId), Press(kClearId), Front(&World::main), Typed('Z', true), Stored(kO3),
      SystemCommand(kUndoMenuCommand), Stored(kStored), Front(&World::main), Typed('Y', true), Stored(kO3),
      Typed('Z', true, true), Stored(L""), Typed('Z', true), Stored(kO3), SystemCommand(kRedoMenuCommand), Stored(L""),
      EditOpen(), Typed('X'), Text(kEditFieldId, L"x", true), Typed('Z', true), Text(kEditFieldId, L"", true),
      EditLeave(Leave::Cancel), Stored(L""), Shown({})}},
    {"TheToolchainMenuListsTheFoldersBesideTheCompilerAndChangesOnlyTheFolderOfBothKeys", {},
     {Made({L"Compilers\\FreeBASIC-1.10.1-winlibs-gcc-9.3.0\\fbc32.exe", L"Compilers\\FreeBASIC-1.10.1-winlibs-gcc-9.3.0\\fbc64.exe",
            L"Compilers\\FreeBASIC-1.09.0-gcc-5.2\\fbc32.exe", L"Compilers\\FreeBASIC-1.09.0-gcc-5.2\\fbc64.exe",
            L"Compilers\\docs\\readme.txt", L"Compilers64\\FreeBASIC-1.10.1-winlibs-gcc-9.3.0\\fbc64.exe",
            L"Toolchains\\FreeBASIC-1.08.0-gcc-4.9\\fbc32.exe"}),
      Start(), IdeSaves(L"FBWINCompiler32", OnIdeDrive(L"Compilers\\FreeBASIC-1.10.1-winlibs-gcc-9.3.0\\fbc32.exe")),
      IdeSaves(L"FBWINCompiler64", OnIdeDrive(L"Compilers64\\FreeBASIC-1.10.1-winlibs-gcc-9.3.0\\fbc64.exe")),
      Status(L" fbc 1.10.1 / gcc 9.3.0"), ToolchainMenu(), MenuKeys({VK_ESCAPE}),
      ToolchainMenu(), MenuKeys({VK_DOWN, VK_DOWN, VK_RETURN}), Status(L" fbc 1.09.0 / gcc 5.2"),
      Stored(OnIdeDrive(L"Compilers\\FreeBASIC-1.09.0-gcc-5.2\\fbc32.exe"), L"FBWINCompiler32"),
      Stored(OnIdeDrive(L"Compilers64\\FreeBASIC-1.10.1-winlibs-gcc-9.3.0\\fbc64.exe"), L"FBWINCompiler64"),
      Stored(kStored), Front(&World::main), Typed('Z', true), Status(L" fbc 1.10.1 / gcc 9.3.0"),
      IdeSaves(L"FBWINCompiler32", L"D:\\Gone\\FreeBASIC-1.07.0-gcc-4.8\\fbc32.exe"), Status(L" fbc 1.07.0 / gcc 4.8"),
      ToolchainMenu(), MenuKeys({VK_DOWN, VK_RETURN}), Status(L" fbc 1.08.0 / gcc 4.9"),
      Stored(InIdeFolder(L"Toolchains\\FreeBASIC-1.08.0-gcc-4.9\\fbc32.exe"), L"FBWINCompiler32"),
      Lock(true), SystemCommand(kToolchainMenuCommand), MenuKeys({VK_DOWN, VK_RETURN}), BoxesAsked(1), Lock(false),
      Stored(InIdeFolder(L"Toolchains\\FreeBASIC-1.08.0-gcc-4.9\\fbc32.exe"), L"FBWINCompiler32"), Shown({Error(5)})}},
    {"EditPresetsOpensTheFileInTheUsersEditorAndMakesItWhenMissing", {},
     {Start(), Presets({}), SystemCommand(kEditPresetsMenuCommand),
      File(L"MarlwickIII.ini", support::ReadBytes(FromHost(E2E_SAMPLE_PRESETS))), EditorShows(L"MarlwickIII.ini")}},
    {"KeepStoredValueAddsItAsTheLastPreset", {.exx = ""},
     {Start(), IdeSaves(L"CompilerSwitches", L"-exx -w all -fpmode fast -fpu sse " + kJapanese),
      Tip(kNoPreset, L"-exx -w all -fpmode fast -fpu sse " + kJapanese), SystemCommand(kKeepPresetMenuCommand),
      File(L"MarlwickIII.ini", "-gen gcc -O 2\r\n-gen gcc -O 3\r\n-gen clang -O 2\r\n-gen gas\r\n"
                               "-d NAME=\xE6\x97\xA5\xE6\x9C\xAC\r\n"),
      Options({L"-gen gcc -O 2", L"-gen gcc -O 3", L"-gen clang -O 2", L"-gen gas", kJapanese}),
      Press(kApplyId), Stored(L"-exx -w all -fpmode fast -fpu sse " + kJapanese), SystemCommand(kKeepPresetMenuCommand),
      Shown({"'CompilerSwitches' is a preset already. | MWK III | 0x2030 | 8 | MWK III shown"})}},
    {"CommandsFromTheIdesUserToolsAreCarriedOutByTheCopyThatRuns", {.holdBoxes = true},
     {Start(), Command(L"/apply 2", 0), Stored(kO3), Selected(1002), Command(L"-APPLY \"-gen gas\" /exx on", 0),
      Stored(L"-exx -w all -fpmode fast -fpu sse -gen gas"), Command(L"/undo", 0), Stored(kO3), Command(L"/apply 2 /exx off", 1),
      Lock(true), Command(L"/apply 1", 3), ReleaseBoxes(), Lock(false), Command(L"/apply 9", 2), Command(L"/console maybe", 2),
      Stored(kO3), CloseApp(), Start(L"/apply 3"), Stored(L"-asm att -w all -fpmode fast -fpu sse -arch native -gen clang -O 2"),
      Shown({Error(1), kCommands + " ... | MWK III | 0x2030 | 10 | none", kCommands + " ... | MWK III | 0x2030 | 10 | none"})}},
    {"TheIdesOwnSavesMoveNothingAndItsChangesMoveTheSelection",
     {.presets = "-gen gcc -O 2\r\n-gen gcc -O 3\r\n-gen clang -O 2\r\n-gen gas\r\n-gen gcc -O 2 -i C:\\\xC5\x81ukasz\r\n",
      .ini = {.switches = L"-w all -fpmode fast -fpu sse -gen gcc -O 2 -i C:\\\u0141ukasz"}},
     {Start(), Selected(1005), Click(1003), IdeSaves(), IdeSaves(L"CompilerBuild", L"2"), Settled(), Selected(1003),
      Click(1002), Press(kApplyId), IdeSaves(L"CompilerBuild", L"3"), Settled(), Front(&World::main), Typed('Z', true),
      Stored(L"-w all -fpmode fast -fpu sse -gen gcc -O 2 -i C:\\\u0141ukasz"), Typed('Y', true), Stored(kO3),
      IdeSaves(L"CompilerSwitches", L"-exx -w all -fpmode fast -fpu sse -gen gas"), Selected(1004),
      IdeSaves(L"CompilerSwitches", kStored), Selected(1001), Shown({})}},
};
// clang-format on

class Flows : public ::testing::TestWithParam<const Flow*> {};

TEST_P(Flows, Run) {
    World world(GetParam()->given);
    int number = 0;
    for (const Step& step : GetParam()->steps) {
        SCOPED_TRACE(::testing::Message() << "step " << ++number);
        step(world);
        // What follows a failed step waits in vain, and would run into the entry's timeout.
        if (HasFailure())
            return;
    }
}

INSTANTIATE_TEST_SUITE_P(E2e, Flows, ::testing::ValuesIn([] {
                             std::vector<const Flow*> flows;
                             for (const Flow& flow : kFlows)
                                 flows.push_back(&flow);
                             return flows;
                         }()),
                         [](const auto& info) { return std::string(info.param->name); });

} // namespace
