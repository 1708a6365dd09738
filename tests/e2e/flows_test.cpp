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

using UniqueHandle = UniqueOwner<HANDLE, &CloseHandle>;

struct Process {
    UniqueHandle handle;
    DWORD id = 0;
    bool Running() const { return WaitForSingleObject(handle.get(), 0) == WAIT_TIMEOUT; }
    DWORD ExitCode() const {
        DWORD code = STILL_ACTIVE;
        GetExitCodeProcess(handle.get(), &code);
        return code;
    }
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
        ReleaseBoxes();
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
    HWND StartWindow(const wchar_t* className, const wchar_t* log, bool withSettings = false) {
        const Process& process =
            Start(FromHost(E2E_IDE), L"\"" + (Root() / log).wstring() + L"\" " + className +
                                         (withSettings ? L" \"" + Ini().wstring() + L"\"" : L""));
        HWND window = nullptr;
        WaitUntil([&] { return (window = FindWindowOf(process.id, className, nullptr)); });
        return window;
    }

    void ReleaseBoxes() const { SetEvent(release_.get()); }

    void StartApp(bool withIde = true) {
        if (withIde && !IsWindow(ide))
            ide = StartWindow(L"WinFBE_Class", L"keys.log", true);
        app = &Start(Tools(exe_.c_str()), L"");
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

// The first and the last column of dark pixels in the rectangle, read with get; none gives an
// empty span (first > last).
template <typename Pixel> std::pair<int, int> Ink(const RECT& r, const Pixel& get) {
    std::pair<int, int> span{r.right, r.left - 1};
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x) {
            const COLORREF c = get(x, y);
            if (GetRValue(c) + GetGValue(c) + GetBValue(c) < 384)
                span = {std::min(span.first, x), std::max(span.second, x)};
        }
    return span;
}

// A bitmap to draw into or to copy the screen into, read pixel by pixel in this process.
class Canvas {
  public:
    Canvas(int width, int height)
        : dc_(CreateCompatibleDC(WindowDc(nullptr).get())),
          bitmap_(CreateCompatibleBitmap(WindowDc(nullptr).get(), width, height)),
          selected_(dc_.get(), bitmap_.get()) {}
    HDC dc() const { return dc_.get(); }
    COLORREF operator()(int x, int y) const { return GetPixel(dc_.get(), x, y); }

  private:
    UniqueOwner<HDC, &DeleteDC> dc_;
    UniqueOwner<HBITMAP, &DeleteObject> bitmap_;
    SelectedObject selected_;
};

// What the screen shows in the rectangle, in screen columns.
std::pair<int, int> Ink(const RECT& r) {
    const Canvas copy(r.right - r.left, r.bottom - r.top);
    BitBlt(copy.dc(), 0, 0, r.right - r.left, r.bottom - r.top, WindowDc(nullptr).get(), r.left,
           r.top, SRCCOPY);
    const auto [first, last] = Ink(RECT{0, 0, r.right - r.left, r.bottom - r.top}, copy);
    return {first + r.left, last + r.left};
}

// What a control shows inside its frame.
std::pair<int, int> Ink(HWND control, int frame) {
    RECT r = RectOf(control);
    InflateRect(&r, -frame, -frame);
    return Ink(r);
}

// ---- Starting and ending ----

STEP(Start, (), {
    w.StartApp();
    ASSERT_TRUE(WaitUntil([&] {
        w.main = FindWindowOf(w.app->id, nullptr, L"MWK III");
        return w.main && IsWindowVisible(w.main);
    })) << "the main window did not show";
})

STEP(Ended, (), {
    ASSERT_TRUE(WaitUntil([&] { return !w.app->Running(); })) << "the program runs on";
    EXPECT_EQ(w.app->ExitCode(), 0u) << "exit code";
})

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

STEP(SecondCopy, (), {
    const Process& second = w.Start(w.Tools(L"MarlwickIII.exe"), L"");
    ASSERT_TRUE(WaitUntil([&] { return !second.Running(); })) << "the second copy runs on";
    EXPECT_EQ(second.ExitCode(), 0u);
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
    std::vector<int> checked;
    EXPECT_TRUE(WaitUntil([&] {
        checked.clear();
        for (int option = kFirstOptionId; option <= kFirstOptionId + 32; ++option)
            if (IsChecked(w.main, option))
                checked.push_back(option);
        return checked == std::vector<int>{id};
    })) << "selected: "
        << ::testing::PrintToString(checked) << ", not " << id;
})

// The text a control of the main window, or with editBox of the Edit box, comes to show.
STEP(Text, (int id, std::wstring text, bool editBox = false), {
    const HWND control = GetDlgItem(editBox ? w.editBox : w.main, id);
    EXPECT_TRUE(WaitUntil([&] { return TextOf(control) == text; }))
        << "control " << id << " shows \"" << support::Utf8(TextOf(control)) << "\"";
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

// Lets the timer tick a few times over values that stay as they are, so that what must not
// happen meanwhile would have had its chance.
Step Idle() {
    return [](World&) { Sleep(500); }; // five ticks of the 100 ms timer
}

// ---- Files and boxes ----

// What the IDE reads for the key once it takes up the file again.
STEP(Stored, (std::wstring value, const wchar_t* key = L"CompilerSwitches"), {
    const auto stored = [&] { return support::IdeSettings(w.Ini()).Value(L"Compiler", key); };
    EXPECT_TRUE(WaitUntil([&] { return stored() == Expanded(w, value); }))
        << support::Utf8(key) << " holds \"" << support::Utf8(stored().value_or(L"(no key)"))
        << "\"";
})

// Empty files, and the folders they lie in, below the flow's root (the IDE's folder).
STEP(Made, (std::vector<std::wstring> files), {
    for (const std::wstring& file : files) {
        std::filesystem::create_directories((w.Root() / file).parent_path());
        support::WriteBytes(w.Root() / file, "");
    }
})

STEP(File, (const wchar_t* name, Bytes bytes), {
    WaitUntil([&] { return support::ReadBytes(w.Tools(name)) == bytes; });
    EXPECT_EQ(support::ReadBytes(w.Tools(name)), bytes);
})

// Another program holds WinFBE.ini open without sharing; Lock(false) frees every file held.
STEP(Lock, (bool locked), {
    if (!locked)
        w.presetLock.reset();
    w.iniLock.reset(
        locked ? CreateFileW(w.Ini().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr)
               : INVALID_HANDLE_VALUE);
})

// Writes MarlwickIII.ini as an editor would, or deletes it; held, the file, written minutes ago,
// stays open without sharing until Lock(false).
STEP(Presets, (Bytes bytes, bool held = false), {
    const path file = w.Tools(L"MarlwickIII.ini");
    if (!bytes) {
        ASSERT_TRUE(DeleteFileW(file.c_str()));
        return;
    }
    UniqueFile open(CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, 0));
    DWORD written = 0;
    ASSERT_TRUE(
        WriteFile(open.get(), bytes->data(), static_cast<DWORD>(bytes->size()), &written, nullptr));
    if (held) {
        // As a sync client holds a file written minutes before.
        FILETIME earlier{};
        GetSystemTimeAsFileTime(&earlier);
        earlier.dwHighDateTime -= 1;
        SetFileTime(open.get(), nullptr, nullptr, &earlier);
        w.presetLock = std::move(open);
    }
})

// The option column shows these presets and "No preset used", and nothing after it.
STEP(Options, (std::vector<std::wstring> presets), {
    std::vector<std::wstring> expected = presets, shown;
    expected.emplace_back(L"No preset used");
    EXPECT_TRUE(WaitUntil([&] {
        shown.clear();
        for (int id = kFirstOptionId; const HWND option = GetDlgItem(w.main, id); ++id)
            shown.push_back(TextOf(option));
        return shown == expected;
    })) << "the options show "
        << shown.size() << " captions";
})

// Every box the program asked the recording DlgMsgBox.dll for so far, in order, as
// "text | caption | style | size | owner", the owner "none" or its caption, "shown" or "hidden".
STEP(Shown, (std::vector<std::string> boxes), {
    std::vector<std::string> lines;
    WaitUntil([&] {
        std::istringstream log(support::ReadBytes(w.Tools(L"DlgMsgBox.log")).value_or(""));
        lines.clear();
        for (std::string line; std::getline(log, line);)
            lines.push_back(line);
        return lines.size() >= boxes.size();
    });
    EXPECT_EQ(lines, boxes);
})

// ---- The Edit box ----

STEP(EditOpen, (), {
    Post(kEditId)(w);
    ASSERT_TRUE(WaitUntil([&] {
        w.editBox = FindWindowOf(w.app->id, nullptr, L"MWK III - Edit");
        return w.editBox && IsWindowVisible(w.editBox);
    })) << "no Edit box";
})

// The stored value in the field, whole and selected, under the prompt; the main window owns it,
// centres it and takes no input meanwhile. (Wine's user32 has no words for OK and Cancel.)
STEP(EditShows, (std::wstring value), {
    const RECT box = RectOf(w.editBox), main = RectOf(w.main);
    EXPECT_NEAR(box.left + box.right, main.left + main.right, 1) << "not centred on the window";
    const HWND field = GetDlgItem(w.editBox, kEditFieldId);
    EXPECT_EQ(TextOf(field), value);
    EXPECT_EQ(Send(field, EM_GETSEL), MAKELONG(0, value.size()));
    EXPECT_TRUE(FindWindowExW(w.editBox, nullptr, L"Static",
                              L"Additional compiler option switches (optional)"));
    EXPECT_EQ(TextOf(GetDlgItem(w.editBox, IDOK)) + TextOf(GetDlgItem(w.editBox, IDCANCEL)),
              L"&Ok&Cancel");
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

STEP(Minimised, (bool minimised),
     { EXPECT_TRUE(WaitUntil([&] { return (IsIconic(w.main) != FALSE) == minimised; })); })

// The band the utility is in, and still after two more ticks with the same window in front.
STEP(Topmost, (bool topmost), {
    const auto inBand = [&] { return (GetWindowLongW(w.main, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; };
    EXPECT_TRUE(WaitUntil([&] { return inBand() == topmost; }));
    const HWND front = GetForegroundWindow();
    Tick()(w);
    Tick()(w);
    EXPECT_EQ(inBand(), topmost) << "the band changed back";
    EXPECT_EQ(GetForegroundWindow(), front) << "the front changed";
})

STEP(IdeCloses, (), { PostMessageW(w.ide, WM_CLOSE, 0, 0); })

STEP(ReleaseBoxes, (), { w.ReleaseBoxes(); })

// A key typed into the window of the program that is in front, Ctrl held down when asked, once no
// box keeps it from taking input.
STEP(Typed, (BYTE key, bool ctrl = false, bool shift = false), {
    ASSERT_TRUE(WaitUntil([&] {
        DWORD front = 0;
        GetWindowThreadProcessId(GetForegroundWindow(), &front);
        return front == w.app->id && IsWindowEnabled(GetForegroundWindow());
    })) << "no window of the program is in front and takes input";
    std::vector<std::pair<BYTE, DWORD>> events = {{key, 0}, {key, KEYEVENTF_KEYUP}};
    for (const auto& [modifier, held] : {std::pair{VK_CONTROL, ctrl}, {VK_SHIFT, shift}})
        if (held) {
            events.insert(events.begin(), {static_cast<BYTE>(modifier), 0});
            events.emplace_back(static_cast<BYTE>(modifier), KEYEVENTF_KEYUP);
        }
    for (const auto& [pressed, flags] : events)
        keybd_event(pressed, static_cast<BYTE>(MapVirtualKeyW(pressed, MAPVK_VK_TO_VSC)), flags, 0);
})

// The system menu's last item, the undo item, as the menu shows it opened from the window in
// front (Alt+Space): greyed text has no dark pixels.
// The program's popup menu on show.
HWND MenuOf(const World& w) {
    const HWND menu = FindWindowOf(w.app->id, L"#32768", nullptr);
    return menu && IsWindowVisible(menu) ? menu : nullptr;
}

// The system menu opened from the window in front (Alt+Space), as a person would. Under load
// Wine now and then lets the first Alt+Space pass; a person presses it again.
STEP(SystemMenu, (), {
    SetCursorPos(0, 0); // an item under the pointer shows highlighted
    Front (&World::main)(w);
    bool shows = false;
    for (int attempt = 0; attempt < 5 && !shows; ++attempt) {
        PostMessageW(w.main, WM_SYSCOMMAND, SC_KEYMENU, ' ');
        shows = WaitUntil([&] { return MenuOf(w); }, support::kWaitMs / 5);
    }
    ASSERT_TRUE(shows) << "the system menu did not open";
})

STEP(MenuEnds, (), {
    Send(w.main, WM_CANCELMODE); // ends the menu's own message loop
    ASSERT_TRUE(WaitUntil([&] { return !MenuOf(w); })) << "the menu stays open";
})

// The undo (4) and redo (3) items of the system menu, counted up from its last, as the menu
// shows them: each item's text a band of rows with ink, dark unless greyed.
STEP(MenuItem, (int fromLast, bool enabled), {
    SystemMenu()(w);
    const auto isDark = [](COLORREF c, int below) {
        return GetRValue(c) + GetGValue(c) + GetBValue(c) < below;
    };
    EXPECT_TRUE(WaitUntil([&] {
        RECT r = RectOf(MenuOf(w));
        InflateRect(&r, -8, -3); // the menu's frame and its side margins
        const Canvas copy(r.right - r.left, r.bottom - r.top);
        BitBlt(copy.dc(), 0, 0, r.right - r.left, r.bottom - r.top, WindowDc(nullptr).get(), r.left,
               r.top, SRCCOPY);
        // A band ends at three blank rows: a glyph may leave one blank row inside its text.
        int band = -1, blank = 3;
        bool dark = false;
        for (int y = r.bottom - r.top - 1; y >= 0 && band <= fromLast; --y) {
            bool ink = false, darkInk = false;
            for (int x = 0; x < r.right - r.left; ++x) {
                ink = ink || isDark(copy(x, y), 500);
                darkInk = darkInk || isDark(copy(x, y), 384);
            }
            band += ink && blank >= 3;
            blank = ink ? 0 : blank + 1;
            dark = dark || (band == fromLast && darkInk);
        }
        return dark == enabled;
    })) << "item "
        << fromLast << " from the last is " << (enabled ? "greyed" : "enabled");
    MenuEnds()(w);
})

Step UndoItem(bool enabled) {
    return MenuItem(4, enabled);
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
    EXPECT_TRUE(WaitUntil([&] {
        got = support::ReadBytes(w.Root() / L"keys.log").value_or("").substr(w.keysSeen);
        std::replace(got.begin(), got.end(), '\n', ' ');
        return got == keys;
    })) << "the IDE received "
        << got;
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

// The text as this process draws it in Tahoma of that size at the screen's DPI.
int TahomaInkWidth(const std::wstring& text, int points) {
    const Canvas canvas(1000, 100);
    const UniqueFont font(CreateFontW(-MulDiv(points, support::ScreenDpi(), 72), 0, 0, 0, FW_NORMAL,
                                      0, 0, 0, DEFAULT_CHARSET, OUT_TT_PRECIS, 0, 0, 0, L"Tahoma"));
    const SelectedObject selected(canvas.dc(), font.get());
    RECT all{0, 0, 1000, 100};
    FillRect(canvas.dc(), &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    TextOutW(canvas.dc(), 10, 10, text.c_str(), static_cast<int>(text.size()));
    const auto [first, last] = Ink(all, canvas);
    return last - first + 1;
}

// The controls with their captions in creation order for these presets, the status bar last with
// its text aside.
std::vector<std::pair<int, std::wstring>> ControlsWith(const std::vector<std::wstring>& presets) {
    std::vector<std::pair<int, std::wstring>> controls = {{kConsoleId, L"Console"},
                                                          {kExxId, L"-exx"}};
    for (const std::wstring& preset : presets)
        controls.emplace_back(kFirstOptionId + static_cast<int>(controls.size()) - 2, preset);
    const int noPreset = kFirstOptionId + static_cast<int>(presets.size());
    controls.insert(controls.end(), {{noPreset, L"No preset used"},
                                     {kApplyId, L"Apply"},
                                     {kEditId, L"Edit"},
                                     {kClearId, L"Clear"},
                                     {kBuildConfigurationsId, L"Build Configurations..."},
                                     {kCompilerSetupId, L"Compiler Setup"},
                                     {kGroupBoxId, L"Select switches"},
                                     {kStatusBarId, L""}});
    return controls;
}

// The layout whose Apply button is so many units high and whose font is Tahoma of so many points,
// with these presets: the controls in creation order, every one inside the client area and none
// on another (the group box holds the options), no caption clipped.
STEP(LooksRight, (int applyHeight, int fontPoints, std::vector<std::wstring> presets), {
    if (const char* dpi = std::getenv("MARLWICK_WINE_TEST_DPI")) {
        ASSERT_EQ(support::ScreenDpi(), std::atoi(dpi)) << "the display is not at that DPI";
    }
    SetCursorPos(0, 0); // no tip over the window
    RedrawWindow(w.main, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    Tick()(w);
    RECT client{}, apply = RectOf(GetDlgItem(w.main, kApplyId));
    GetClientRect(w.main, &client);
    EXPECT_EQ(apply.bottom - apply.top, MulDiv(applyHeight, support::ScreenDpi(), 96));
    std::vector<RECT> placed;
    HWND child = GetWindow(w.main, GW_CHILD);
    for (const auto& [id, caption] : ControlsWith(presets)) {
        ASSERT_TRUE(child) << "control " << id << " is missing";
        EXPECT_EQ(GetDlgCtrlID(child), id) << "creation order";
        RECT r = RectOf(child);
        MapWindowPoints(nullptr, w.main, reinterpret_cast<POINT*>(&r), 2);
        EXPECT_TRUE(r.left >= 0 && r.top >= 0 && r.right <= client.right &&
                    r.bottom <= client.bottom)
            << "control " << id << " sticks out of the window";
        EXPECT_TRUE(id == kStatusBarId || TextOf(child) == caption) << "control " << id;
        // A clipped caption runs into the last two columns inside the frame.
        const int frame = id >= kApplyId && id <= kCompilerSetupId ? 2 : 0;
        const auto [first, last] = Ink(child, frame);
        EXPECT_FALSE(id != kStatusBarId && id != kGroupBoxId &&
                     last >= RectOf(child).right - frame - 2)
            << support::Utf8(caption) << " is clipped";
        if (id == kBuildConfigurationsId || id == kCompilerSetupId) {
            EXPECT_NEAR(last - first, TahomaInkWidth(caption, fontPoints) - 1, 2)
                << support::Utf8(caption) << " is not in Tahoma " << fontPoints;
        }
        for (const RECT& other : placed) {
            RECT overlap{};
            EXPECT_FALSE(id != kGroupBoxId && IntersectRect(&overlap, &r, &other))
                << "control " << id << " lies on another";
        }
        placed.push_back(r);
        child = GetWindow(child, GW_HWNDNEXT);
    }
})

// Hovering an option shows its tip, in the options' font and above every window: what Apply
// would write with the checkboxes as they stand, or over "No preset used" the value stored now.
STEP(Tip, (int option, std::wstring text), {
    const HWND tips = FindWindowOf(w.app->id, TOOLTIPS_CLASSW, nullptr);
    SetCursorPos(0, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(tips); })) << "a tip stays";
    const RECT r = RectOf(GetDlgItem(w.main, option));
    SetCursorPos((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(tips) && TextOf(tips) == text; }))
        << "over option " << option << " the tip shows \"" << support::Utf8(TextOf(tips)) << "\"";
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
const std::wstring kClang =
    L"-asm att -exx -w all -fpmode fast -fpu sse -arch native -gen clang -O 2";
const std::wstring kLong = L"-gen gcc -O 2" + std::wstring(3000, L'x');
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

// The text as Notepad saves it in UTF-16 with its byte-order mark.
std::string Utf16(std::wstring_view text) {
    std::string bytes = "\xFF\xFE";
    for (const wchar_t unit : text)
        bytes += {static_cast<char>(unit & 0xFF), static_cast<char>(unit >> 8)};
    return bytes;
}

// The sample presets the program makes MarlwickIII.ini of.
Bytes Sample() {
    return support::ReadBytes(FromHost(E2E_SAMPLE_PRESETS));
}

const std::string kNoSelection =
    "No valid radio button has been selected. | MWK III | 0x2030 | 8 | MWK III shown";
const std::wstring kJose = L"-i C:\\Jos\u00e9";
const std::wstring kJapanese = L"-d NAME=\u65e5\u672c";

// clang-format off
const Flow kFlows[] = {
    {"StartupSelectsTheStoredPresetAndApplyWritesTheTicksAndMarkers",
     {.ini = {.switches = L"-asm att -s console -exx -w all -fpmode fast -fpu sse -arch native -gen clang -O 2"},
      .console = "kept by the user"},
     {Start(), Selected(1003), Ticks(true, false, true), Status(L" fbc 1.10.1 / gcc 9.3.0"),
      Tip(1003, L"-asm att -s console -w all -fpmode fast -fpu sse -arch native -gen clang -O 2"),
      Press(kApplyId), Stored(L"-asm att -s console -w all -fpmode fast -fpu sse -arch native -gen clang -O 2"),
      File(L"ConsoleIII.dat", "kept by the user"), File(L"exxIII.dat", {}),
      Click(1002), Ticks(false, true), Tip(1001, L"-exx -w all -fpmode fast -fpu sse -gen gcc -O 2"),
      Tip(kNoPreset, L"-asm att -s console -w all -fpmode fast -fpu sse -arch native -gen clang -O 2"),
      Press(kApplyId), Stored(L"-exx -w all -fpmode fast -fpu sse -gen gcc -O 3"),
      File(L"ConsoleIII.dat", {}), File(L"exxIII.dat", ""), Selected(1002),
      IdeSaves(L"FBWINCompiler32", L"D:\\FreeBASIC-1.09.0-gcc-5.2\\bin\\fbc.exe"), Status(L" fbc 1.09.0 / gcc 5.2"),
      CheckedElsewhere(1004), Press(kApplyId), Stored(L"-exx -w all -fpmode fast -fpu sse -gen gas"), Selected(1004),
      Shown({})}},
    {"ClicksAloneWriteNothingApplyWithoutAPresetSaysSoAndClearEmptiesTheValue", {.exx = ""},
     {Start(), Click(1003), Click(kConsoleId), Click(kNoPreset), Press(kApplyId), Stored(kStored),
      File(L"ConsoleIII.dat", {}), Shown({kNoSelection}), Click(1003), Press(kClearId), Stored(L""), Selected(kNoPreset),
      Ticks(true, true, true), File(L"exxIII.dat", ""), File(L"ConsoleIII.dat", {})}},
    {"EditWritesWhatIsConfirmedAndTheSelectionFollows", {},
     {Start(), Click(1004), EditOpen(), EditShows(kStored), EditLeave(Leave::Ok, kClang),
      Stored(kClang), Selected(1003), Click(1002), EditOpen(), EditLeave(Leave::Cancel, L"-typed"),
      EditOpen(), EditLeave(Leave::Escape, L"-typed"), EditOpen(), EditLeave(Leave::CloseButton, L"-typed"),
      EditOpen(), EditLeave(Leave::Ok, L""), Tick(), Stored(kClang), Selected(1002), Shown({})}},
    {"EditKeepsALongValueWhole", {.ini = {.switches = kLong}},
     {Start(), MoveTo(100, 100), EditOpen(), EditShows(kLong), EditLeave(Leave::Ok), Tick(), Stored(kLong),
      Selected(kNoPreset)}},
    {"AWinFbeIniThatCannotBeWrittenIsReportedAndLeftAlone", {},
     {Start(), Click(1002), Press(kApplyId), Lock(true), Front(&World::main), Typed('Z', true),
      Ticks(true, false), Press(kApplyId), File(L"ConsoleIII.dat", ""), Selected(1002), EditOpen(),
      EditLeave(Leave::Ok, L"-typed"), Selected(kNoPreset), Click(1002), Press(kClearId), Selected(kNoPreset),
      Lock(false), Shown({"Error4 | MWK III | 0x2030 | 8 | MWK III shown", "Error1 | MWK III | 0x2030 | 8 | MWK III shown",
                          "Error2 | MWK III | 0x2030 | 8 | MWK III shown", "Error3 | MWK III | 0x2030 | 8 | MWK III shown"}),
      Stored(L"-w all -fpmode fast -fpu sse -gen gcc -O 3")}},
    {"LayoutLargeAndAValueThatMatchesNoPresetReportedBeforeTheWindowShows",
     {.exe = L"MarLwickC.exe", .ini = {.switches = L"-w all -fpmode fast -fpu sse  -gen gcc -O 2"}},
     {Start(), Shown({"No preset match. | MWK | 0x2030 | 12 | MWK III hidden"}), Selected(kNoPreset),
      LooksRight(25, 12, {L"-gen gcc -O 2", L"-gen gcc -O 3", L"-gen clang -O 2", L"-gen gas"})}},
    {"LayoutSmallWithoutPresetsAndAnEmptyValueReported",
     {.exe = L"marlwick9.exe", .presets = "", .ini = {.switches = std::nullopt}},
     {Start(), Shown({"'CompilerSwitches' in WinFBE.ini is empty. | MWK III | 0x2030 | 9 | MWK III hidden"}),
      Selected(1001), LooksRight(22, 8, {})}},
    {"WithoutMarlwickIniItSaysSoAndEnds", {.presets = {}},
     {EndsByItself(), Shown({"MarlwickIII.ini does not exist. | MWK III | 0x2030 | 10 | none"})}},
    {"WithoutWinFbeIniItSaysSoAndEnds", {.exe = L"MarlwickIIIF.exe", .winFbeIni = false},
     {EndsByItself(), Shown({"The given WinFBE ini file does not exist. | MWK III | 0x2030 | 15 | MWK III hidden"})}},
    {"WithoutTheIdeItEndsAtOnce", {}, {EndsByItself(false), Shown({})}},
    {"AMutexThatCannotBeMadeIsReported", {},
     {MutexNameTaken(), EndsByItself(),
      Shown({"Mutex Create failed with error code6 | MWK III | 0x2000 | 0 | none",
             "Marlwick is already running. | MWK III | 0x2030 | 10 | none"})}},
    {"ASecondCopySaysSoAndTouchesNothing", {},
     {Start(), SecondCopy(), Stored(kStored), File(L"MWpositionIII.dat", {}),
      Shown({"Marlwick is already running. | MWK III | 0x2030 | 10 | none"})}},
    // Left and top, little-endian: 120, -6 (dragged against the top edge), then -8, 40.
    {"ThePositionIsKeptAcrossStarts", {.position = std::string("x\0\0\0\xFA\xFF\xFF\xFF\xFF", 9)},
     {Start(), At(POINT{120, -6}), CloseApp(),
      File(L"MWpositionIII.dat", std::string("x\0\0\0\xFA\xFF\xFF\xFF\xFF", 9)),
      Start(), MoveTo(-8, 40), Show(&World::main, SW_MINIMIZE), Minimised(true), CloseApp(),
      File(L"MWpositionIII.dat", std::string("\xF8\xFF\xFF\xFF(\0\0\0", 8)), Start(), At(POINT{-8, 40})}},
    {"APositionOutOfReachOpensCentred", {.position = std::string("\xFE\x04\0\0,\x01\0\0", 8)}, // 1278, 300: the screen is 1280 wide
     {Start(), At(), OnlyTheCloseButtonShows(), CloseApp(), Start(), At()}},
    {"ItFollowsTheIdeAndKeepsItsBand", {.holdBoxes = true},
     {Start(), At(), Show(&World::ide, SW_MINIMIZE), Minimised(true), Show(&World::ide, SW_RESTORE),
      Minimised(false), Show(&World::main, SW_MINIMIZE), Tick(), Tick(), Minimised(true),
      Show(&World::main, SW_RESTORE), Front(&World::third), Topmost(false), Front(&World::ide), Topmost(true),
      Front(&World::third), Topmost(false), Front(&World::main), Topmost(true), EditOpen(),
      Front(&World::third), Topmost(true), EditLeave(Leave::Cancel), Front(&World::third), Topmost(false),
      Front(&World::main), Topmost(true), Click(kNoPreset), Post(kApplyId), Shown({kNoSelection}),
      Front(&World::third), Topmost(true), ReleaseBoxes(), Topmost(false)}},
    {"TheIdeButtonsTypeTheirKeysIntoTheIde", {},
     {Start(), Front(&World::main), Press(kBuildConfigurationsId), Keys(Taps("0x76", 1)),
      Front(&World::main), Press(kCompilerSetupId),
      Keys("down 0x10 " + Taps("0x76", 1) + "up 0x10 " + Taps("0x26", 7) + Taps("0x28", 4))}},
    {"ClosingTheIdeUnderTheEditBoxEndsIt", {}, {Start(), EditOpen(), IdeCloses(), Ended(), Stored(kStored)}},
    {"ClosingTheIdeUnderAMessageThatKeepsTheQuitEndsIt", {.holdBoxes = true, .swallowQuit = true},
     {Start(), Click(kNoPreset), Post(kApplyId), Shown({kNoSelection}), IdeCloses(), Ended()}},
    {"LayoutFollowsThePresetFileAsItGrowsAndShrinksAlsoWhileMinimised", {},
     {Start(), MoveTo(60, 20), Presets(Lines(SomePresets(12))), Options(SomePresets(12)), At(POINT{60, 20}),
      Selected(1012), LooksRight(22, 8, SomePresets(12)), Tip(1011, L"-w all -fpmode fast -fpu sse -d P11"),
      Show(&World::ide, SW_MINIMIZE), Minimised(true), Presets(Lines({L"-gen gas", L"-gen gcc -O 2"})), Tick(),
      Tick(), Tick(), Show(&World::ide, SW_RESTORE), Minimised(false), Options({L"-gen gas", L"-gen gcc -O 2"}),
      At(POINT{60, 20}), Selected(1002), LooksRight(22, 8, {L"-gen gas", L"-gen gcc -O 2"}), Shown({})}},
    {"PresetFilesAsEditorsSaveThemFollowedOnceFree", {.presets = "-gen gcc -O 2\r\n-i C:\\Jos\xC3\xA9\r\n"},
     {Presets("-gen gas\r\n", true), Lock(true), Start(), Options({}), Lock(false), Options({L"-gen gas"}),
      Presets(Utf16(L"-gen gcc -O 2\r\n" + kJose + L"\r\n")), Options({L"-gen gcc -O 2", kJose}),
      Selected(1001), Click(1002), Press(kApplyId), Stored(L"-w all -fpmode fast -fpu sse " + kJose), CloseApp(),
      Presets("-gen gcc -O 2\r\n-i C:\\Jos\xC3\xA9\r\n"), Start(), Options({L"-gen gcc -O 2", kJose}),
      Selected(1002), Shown({})}},
    {"UndoAndRedoFromTheirKeysAndTheSystemMenu", {},
     {Start(), UndoItem(false), MenuItem(3, false), Click(1002), Press(kApplyId), Press(kClearId), UndoItem(true),
      Front(&World::main), Typed('Z', true), Stored(L"-w all -fpmode fast -fpu sse -gen gcc -O 3"), Selected(1002),
      SystemCommand(kUndoMenuCommand), Stored(kStored), Selected(1001), UndoItem(false), MenuItem(3, true),
      Front(&World::main), Typed('Y', true), Stored(L"-w all -fpmode fast -fpu sse -gen gcc -O 3"), Selected(1002),
      MenuItem(3, true), Typed('Z', true, true), Stored(L""), Selected(kNoPreset), UndoItem(true), MenuItem(3, false), Typed('Z', true),
      SystemCommand(kRedoMenuCommand), Stored(L""), EditOpen(), Typed('X'), Text(kEditFieldId, L"x", true),
      Typed('Z', true), Text(kEditFieldId, L"", true), EditLeave(Leave::Cancel), Stored(L""), Shown({})}},
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
      Lock(true), SystemCommand(kToolchainMenuCommand), MenuKeys({VK_DOWN, VK_RETURN}), Lock(false),
      Shown({"Error5 | MWK III | 0x2030 | 8 | MWK III shown"}),
      Stored(InIdeFolder(L"Toolchains\\FreeBASIC-1.08.0-gcc-4.9\\fbc32.exe"), L"FBWINCompiler32")}},
    {"EditPresetsOpensTheFileInTheUsersEditorAndMakesItWhenMissing", {},
     {Start(), Presets({}), SystemCommand(kEditPresetsMenuCommand), File(L"MarlwickIII.ini", Sample()),
      EditorShows(L"MarlwickIII.ini")}},
    {"KeepStoredValueAddsItAsTheLastPreset", {.exx = ""},
     {Start(), IdeSaves(L"CompilerSwitches", L"-exx -w all -fpmode fast -fpu sse " + kJapanese), Selected(kNoPreset),
      Tip(kNoPreset, L"-exx -w all -fpmode fast -fpu sse " + kJapanese), SystemMenu(), Typed('K'),
      File(L"MarlwickIII.ini", "-gen gcc -O 2\r\n-gen gcc -O 3\r\n-gen clang -O 2\r\n-gen gas\r\n"
                               "-d NAME=\xE6\x97\xA5\xE6\x9C\xAC\r\n"),
      Options({L"-gen gcc -O 2", L"-gen gcc -O 3", L"-gen clang -O 2", L"-gen gas", kJapanese}), Selected(1005),
      Press(kApplyId), Stored(L"-exx -w all -fpmode fast -fpu sse " + kJapanese),
      SystemCommand(kKeepPresetMenuCommand),
      Shown({"'CompilerSwitches' is a preset already. | MWK III | 0x2030 | 8 | MWK III shown"})}},
    {"TheIdesOwnSavesMoveNothingAndItsChangesMoveTheSelection",
     {.presets = "-gen gcc -O 2\r\n-gen gcc -O 3\r\n-gen clang -O 2\r\n-gen gas\r\n-gen gcc -O 2 -i C:\\\xC5\x81ukasz\r\n",
      .ini = {.switches = L"-w all -fpmode fast -fpu sse -gen gcc -O 2 -i C:\\\u0141ukasz"}, .holdBoxes = true},
     {Start(), Selected(1005), Click(1003), IdeSaves(), IdeSaves(L"CompilerBuild", L"2"), Tick(), Tick(), Selected(1003),
      Click(1002), Press(kApplyId), IdeSaves(L"CompilerBuild", L"3"), Tick(), Tick(), Selected(1002), UndoItem(true),
      IdeSaves(L"CompilerSwitches", L"-exx -w all -fpmode fast -fpu sse -gen gas"), Selected(1004), UndoItem(false),
      Lock(true), Post(kClearId), Shown({"Error3 | MWK III | 0x2030 | 8 | MWK III shown"}),
      Lock(false), IdeSaves(L"CompilerSwitches", kStored), Tick(), Idle(), Selected(1004), ReleaseBoxes(), Selected(1001)}},
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
