#include "harness.h"

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <map>
#include <sstream>
#include <system_error>
#include <utility>

namespace e2e {

namespace {

constexpr wchar_t kRecordingLogName[] = L"DlgMsgBox.log";
constexpr wchar_t kHoldFileName[] = L"DlgMsgBox.hold";
constexpr wchar_t kIdeClass[] = L"WinFBE_Class";
constexpr wchar_t kThirdClass[] = L"ThirdApp_Class";

std::wstring Widen(const std::string& text) {
    if (text.empty())
        return {};
    const int length =
        MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(),
                        length);
    return wide;
}

std::string Trim(const std::string& text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return {};
    const auto last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::string line;
    for (const char c : text) {
        if (c == '\n') {
            lines.push_back(line);
            line.clear();
        } else if (c != '\r') {
            line.push_back(c);
        }
    }
    if (!line.empty())
        lines.push_back(line);
    return lines;
}

std::vector<std::string> SplitFields(const std::string& line) {
    std::vector<std::string> fields(1);
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (c == '\t') {
            fields.emplace_back();
        } else if (c == '\\' && i + 1 < line.size()) {
            const char next = line[++i];
            fields.back().push_back(next == 't' ? '\t' : next == 'n' ? '\n' : next);
        } else {
            fields.back().push_back(c);
        }
    }
    return fields;
}

std::int32_t ToInt(const std::string& text, int base = 10) {
    return static_cast<std::int32_t>(std::strtoll(text.c_str(), nullptr, base));
}

std::wstring Quoted(const path& file) {
    return L"\"" + file.wstring() + L"\"";
}

path UniqueScratchRoot() {
    static std::atomic<int> counter{0};
    wchar_t temp[MAX_PATH + 1] = {};
    GetTempPathW(MAX_PATH + 1, temp);
    const std::wstring name = L"marlwick-e2e-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                              std::to_wstring(GetTickCount64()) + L"-" + std::to_wstring(counter++);
    return path(temp) / name;
}

void CopyOrFail(const path& from, const path& to) {
    if (!from.empty() && !CopyFileW(from.c_str(), to.c_str(), FALSE)) {
        std::fprintf(stderr, "e2e: cannot copy %s to %s (error %lu)\n", Narrow(from).c_str(),
                     Narrow(to).c_str(), GetLastError());
    }
}

void WriteOptionalFile(const path& file, const std::optional<std::string>& bytes) {
    if (bytes)
        WriteBytes(file, *bytes);
}

std::wstring WindowTextDirect(HWND window) {
    wchar_t text[512] = {};
    GetWindowTextW(window, text, 512);
    return text;
}

} // namespace

std::string Narrow(const std::wstring& text) {
    if (text.empty())
        return {};
    const int length = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                           nullptr, 0, nullptr, nullptr);
    std::string narrow(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), narrow.data(),
                        length, nullptr, nullptr);
    return narrow;
}

path WindowsPathOfHostPath(const char* hostPath) {
    std::string text(hostPath);
    if (text.empty())
        return {};
    std::replace(text.begin(), text.end(), '/', '\\');
    return path(Widen("Z:" + text));
}

const ProgramPaths& Programs() {
    static const ProgramPaths paths{
        WindowsPathOfHostPath(E2E_APP_EXE),
        WindowsPathOfHostPath(E2E_REAL_DLGMSGBOX),
        WindowsPathOfHostPath(E2E_RECORDING_DLGMSGBOX),
        WindowsPathOfHostPath(E2E_STAND_IN_IDE),
    };
    return paths;
}

bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs) {
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    for (;;) {
        if (condition())
            return true;
        const ULONGLONG now = GetTickCount64();
        if (now >= deadline)
            return condition();
        const DWORD slice = static_cast<DWORD>(std::min<ULONGLONG>(deadline - now, 20));
        MsgWaitForMultipleObjects(0, nullptr, FALSE, slice, QS_ALLINPUT);
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
}

// ---- Files -------------------------------------------------------------------------------

std::optional<std::string> ReadBytes(const path& file) {
    const HANDLE handle = CreateFileW(file.c_str(), GENERIC_READ,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return std::nullopt;
    std::string bytes;
    char buffer[4096];
    DWORD read = 0;
    while (ReadFile(handle, buffer, sizeof buffer, &read, nullptr) && read > 0)
        bytes.append(buffer, read);
    CloseHandle(handle);
    return bytes;
}

void WriteBytes(const path& file, const std::string& bytes) {
    const HANDLE handle = CreateFileW(file.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                      CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return;
    DWORD written = 0;
    WriteFile(handle, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(handle);
}

bool FileExists(const path& file) {
    return GetFileAttributesW(file.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::vector<IniSection> ParseIni(const std::string& bytes) {
    std::vector<IniSection> sections(1);
    for (const std::string& raw : SplitLines(bytes)) {
        const std::string line = Trim(raw);
        if (line.empty())
            continue;
        if (line.front() == '[' && line.back() == ']') {
            sections.push_back({line.substr(1, line.size() - 2), {}});
            continue;
        }
        const auto equals = line.find('=');
        if (line.front() == ';' || line.front() == '#' || equals == std::string::npos) {
            sections.back().lines.push_back(line);
            continue;
        }
        sections.back().lines.push_back(Trim(line.substr(0, equals)) + "=" +
                                        Trim(line.substr(equals + 1)));
    }
    if (sections.front().lines.empty())
        sections.erase(sections.begin());
    return sections;
}

std::string DescribeIni(const std::vector<IniSection>& sections) {
    std::string text;
    for (const IniSection& section : sections) {
        text += "[" + section.name + "]\n";
        for (const std::string& line : section.lines)
            text += "  " + line + "\n";
    }
    return text;
}

std::optional<std::wstring> CompilerIniValue(const path& ini, const wchar_t* key) {
    constexpr wchar_t kMissing[] = L"\x01(missing)";
    std::wstring value(65536, L'\0');
    const DWORD length = GetPrivateProfileStringW(L"Compiler", key, kMissing, value.data(),
                                                  static_cast<DWORD>(value.size()), ini.c_str());
    value.resize(length);
    if (value == kMissing)
        return std::nullopt;
    return value;
}

bool WriteCompilerIniValue(const path& ini, const wchar_t* key, const wchar_t* value) {
    return WritePrivateProfileStringW(L"Compiler", key, value, ini.c_str()) != 0;
}

std::string WinFbeIniText(const std::optional<std::string>& compilerSwitches,
                          const std::string& compilerPath) {
    std::string text = "; WinFBE settings, kept by the IDE\r\n"
                       "[Options]\r\n"
                       "Language=english\r\n"
                       "EditorFontName = Courier New\r\n"
                       "\r\n"
                       "[Compiler]\r\n"
                       "; the switches the IDE passes to fbc\r\n";
    if (compilerSwitches)
        text += "CompilerSwitches=" + *compilerSwitches + "\r\n";
    if (!compilerPath.empty())
        text += "FBWINCompiler32=" + compilerPath + "\r\n";
    text += "FBWINCompiler64=C:\\WinFBE\\Toolchains\\fbc64.exe\r\n"
            "CompilerBuild=1\r\n"
            "\r\n"
            "[Files]\r\n"
            "; recent files\r\n"
            "File1=C:\\projects\\demo.bas\r\n";
    return text;
}

// ---- Recorded message boxes -----------------------------------------------------------------

std::vector<RecordedBox> ParseRecordedBoxes(const std::string& log) {
    std::vector<RecordedBox> boxes;
    for (const std::string& line : SplitLines(log)) {
        const std::vector<std::string> f = SplitFields(line);
        if (f.size() != 11)
            continue;
        RecordedBox box;
        box.processId = static_cast<DWORD>(ToInt(f[0]));
        box.owner = static_cast<std::uintptr_t>(std::strtoull(f[1].c_str(), nullptr, 16));
        box.ownerVisible = f[2] == "1";
        box.text = Widen(f[3]);
        box.caption = Widen(f[4]);
        box.style = ToInt(f[5]);
        box.arg5 = ToInt(f[6]);
        box.face = Widen(f[7]);
        box.size = ToInt(f[8]);
        box.arg8 = ToInt(f[9]);
        box.colour = ToInt(f[10]);
        boxes.push_back(box);
    }
    return boxes;
}

std::string DescribeBoxes(const std::vector<RecordedBox>& boxes) {
    if (boxes.empty())
        return "no message box";
    std::ostringstream text;
    for (const RecordedBox& box : boxes) {
        text << "\n  box \"" << Narrow(box.text) << "\" caption \"" << Narrow(box.caption)
             << "\" style 0x" << std::hex << box.style << std::dec << " size " << box.size
             << " face \"" << Narrow(box.face) << "\" colour 0x" << std::hex << box.colour
             << " owner 0x" << box.owner << std::dec << (box.ownerVisible ? " (shown)" : "")
             << " from process " << box.processId;
    }
    return text.str();
}

// ---- Scratch layout ------------------------------------------------------------------------

ScratchLayout::ScratchLayout(const Scenario& setup)
    : root_(UniqueScratchRoot()), exeName_(setup.exeName) {
    std::error_code error;
    std::filesystem::create_directories(Tools(), error);
    std::filesystem::create_directories(root_ / L"Settings", error);
    CopyOrFail(Programs().app, Exe());
    CopyOrFail(setup.boxes == BoxLibrary::Real ? Programs().realDlgMsgBox
                                               : Programs().recordingDlgMsgBox,
               ToolsFile(L"DlgMsgBox.dll"));
    WriteOptionalFile(ToolsFile(L"MarlwickIII.ini"), setup.presets);
    WriteOptionalFile(WinFbeIni(), setup.winFbeIni);
    WriteOptionalFile(ToolsFile(L"ConsoleIII.dat"), setup.consoleMarker);
    WriteOptionalFile(ToolsFile(L"exxIII.dat"), setup.exxMarker);
    WriteOptionalFile(ToolsFile(L"MWpositionIII.dat"), setup.positionFile);
}

ScratchLayout::~ScratchLayout() {
    // Wine may hold a file of a process that has just ended for a moment.
    WaitUntil(
        [&] {
            std::error_code error;
            std::filesystem::remove_all(root_, error);
            return !error;
        },
        5000);
}

std::vector<RecordedBox> ScratchLayout::RecordedBoxes() const {
    return ParseRecordedBoxes(ReadBytes(ToolsFile(kRecordingLogName)).value_or(""));
}

void ScratchLayout::HoldBoxes(DWORD milliseconds, bool swallowQuit) const {
    WriteBytes(ToolsFile(kHoldFileName),
               std::to_string(milliseconds) + (swallowQuit ? " swallow" : ""));
}

ScratchLayout::Files ScratchLayout::Snapshot() const {
    Files files;
    for (const path& folder : {Tools(), root_ / L"Settings"}) {
        std::error_code error;
        for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
            const std::wstring name = entry.path().filename().wstring();
            if (name == kRecordingLogName || name == kHoldFileName)
                continue;
            files.emplace_back(folder.filename().wstring() + L"\\" + name,
                               ReadBytes(entry.path()).value_or("(unreadable)"));
        }
    }
    std::sort(files.begin(), files.end());
    return files;
}

std::string SnapshotDifference(const ScratchLayout::Files& before,
                               const ScratchLayout::Files& after) {
    std::map<std::wstring, std::string> old(before.begin(), before.end());
    std::map<std::wstring, std::string> now(after.begin(), after.end());
    std::string difference;
    for (const auto& [name, bytes] : old) {
        if (!now.count(name))
            difference += Narrow(name) + " was deleted; ";
        else if (now[name] != bytes)
            difference += Narrow(name) + " changed; ";
    }
    for (const auto& [name, bytes] : now) {
        if (!old.count(name))
            difference += Narrow(name) + " was created; ";
    }
    return difference;
}

// ---- Processes ------------------------------------------------------------------------------

Process::Process(Process&& other) noexcept
    : process_(std::exchange(other.process_, nullptr)), id_(other.id_) {}

Process::~Process() {
    if (process_)
        CloseHandle(process_);
}

bool Process::IsRunning() const {
    return WaitForSingleObject(process_, 0) == WAIT_TIMEOUT;
}

bool Process::WaitForExit(DWORD timeoutMs) const {
    return WaitUntil([&] { return !IsRunning(); }, timeoutMs);
}

std::optional<DWORD> Process::ExitCode() const {
    DWORD code = 0;
    if (IsRunning() || !GetExitCodeProcess(process_, &code))
        return std::nullopt;
    return code;
}

void Process::End() const {
    if (!IsRunning())
        return;
    const HANDLE byId = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, id_);
    if (byId) {
        TerminateProcess(byId, 1);
        CloseHandle(byId);
    }
    WaitForExit(5000);
}

ProcessGroup::ProcessGroup() : job_(CreateJobObjectW(nullptr, nullptr)) {
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits = {};
    limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
    SetInformationJobObject(job_, JobObjectExtendedLimitInformation, &limits, sizeof limits);
}

ProcessGroup::~ProcessGroup() {
    for (const Process& process : processes_)
        process.End();
    processes_.clear();
    CloseHandle(job_);
}

Process& ProcessGroup::Start(const path& exe, const std::wstring& arguments,
                             const path& workingFolder) {
    std::wstring commandLine = Quoted(exe) + (arguments.empty() ? L"" : L" " + arguments);
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    if (!CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED,
                        nullptr, workingFolder.c_str(), &startup, &info)) {
        std::fprintf(stderr, "e2e: cannot start %s (error %lu)\n", Narrow(exe).c_str(),
                     GetLastError());
        processes_.emplace_back(nullptr, 0);
        return processes_.back();
    }
    AssignProcessToJobObject(job_, info.hProcess);
    ResumeThread(info.hThread);
    CloseHandle(info.hThread);
    processes_.emplace_back(info.hProcess, info.dwProcessId);
    return processes_.back();
}

// ---- Windows --------------------------------------------------------------------------------

namespace {

struct WindowSearch {
    DWORD processId = 0;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectProcessWindow(HWND window, LPARAM context) {
    auto& search = *reinterpret_cast<WindowSearch*>(context);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == search.processId)
        search.found.push_back(window);
    return TRUE;
}

BOOL CALLBACK CollectChild(HWND child, LPARAM context) {
    reinterpret_cast<WindowSearch*>(context)->found.push_back(child);
    return TRUE;
}

} // namespace

std::vector<HWND> TopLevelWindows(DWORD processId) {
    WindowSearch search{processId, {}};
    EnumWindows(CollectProcessWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND FindTopLevel(DWORD processId, const std::function<bool(HWND)>& matches) {
    for (const HWND window : TopLevelWindows(processId)) {
        if (matches(window))
            return window;
    }
    return nullptr;
}

std::wstring ClassName(HWND window) {
    wchar_t name[256] = {};
    GetClassNameW(window, name, 256);
    return name;
}

std::optional<LRESULT> Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(window, message, wParam, lParam, SMTO_NORMAL, kActionTimeoutMs,
                             &result))
        return std::nullopt;
    return static_cast<LRESULT>(result);
}

std::wstring WindowText(HWND window) {
    const LRESULT length = Send(window, WM_GETTEXTLENGTH).value_or(0);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const LRESULT copied =
        Send(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data())).value_or(0);
    text.resize(static_cast<std::size_t>(std::clamp<LRESULT>(copied, 0, length)));
    return text;
}

bool SetText(HWND window, const std::wstring& text) {
    return Send(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str())).value_or(0) != 0;
}

bool IsTopmost(HWND window) {
    return (GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
}

RECT WindowRect(HWND window) {
    RECT rect = {};
    GetWindowRect(window, &rect);
    return rect;
}

RECT ChildRectInParent(HWND parent, int id) {
    RECT rect = WindowRect(GetDlgItem(parent, id));
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

std::vector<int> ChildIdsInOrder(HWND parent) {
    std::vector<int> ids;
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        ids.push_back(GetDlgCtrlID(child));
    return ids;
}

HWND FindMainWindow(DWORD processId) {
    return FindTopLevel(processId,
                        [](HWND window) { return GetDlgItem(window, kApplyId) != nullptr; });
}

HWND FindEditBox(DWORD processId) {
    return FindTopLevel(processId,
                        [](HWND window) { return WindowTextDirect(window) == L"MWK III - Edit"; });
}

HWND FindRealBox(DWORD processId) {
    return FindTopLevel(processId, [](HWND window) {
        return IsWindowVisible(window) && GetDlgItem(window, IDOK) &&
               !GetDlgItem(window, kApplyId) && !GetDlgItem(window, kEditFieldId);
    });
}

std::vector<std::wstring> ChildTexts(HWND window) {
    WindowSearch children;
    EnumChildWindows(window, CollectChild, reinterpret_cast<LPARAM>(&children));
    std::vector<std::wstring> texts;
    for (const HWND child : children.found)
        texts.push_back(WindowText(child));
    return texts;
}

bool IsChecked(HWND main, int id) {
    return Send(GetDlgItem(main, id), BM_GETCHECK).value_or(BST_UNCHECKED) == BST_CHECKED;
}

std::vector<int> CheckedOptions(HWND main, int optionCount) {
    std::vector<int> checked;
    for (int id = 1001; id <= 1000 + optionCount; ++id) {
        if (IsChecked(main, id))
            checked.push_back(id);
    }
    return checked;
}

bool ClickControl(HWND parent, int id) {
    const HWND control = GetDlgItem(parent, id);
    return control && Send(control, BM_CLICK).has_value();
}

void SetCheckbox(HWND main, int id, bool ticked) {
    if (IsChecked(main, id) != ticked)
        ClickControl(main, id);
}

bool PressButton(HWND window, int id) {
    return Send(window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                reinterpret_cast<LPARAM>(GetDlgItem(window, id)))
        .has_value();
}

bool PostButton(HWND window, int id) {
    return PostMessageW(window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                        reinterpret_cast<LPARAM>(GetDlgItem(window, id))) != 0;
}

bool PostEscape(HWND control) {
    const LPARAM scanCode = static_cast<LPARAM>(MapVirtualKeyW(VK_ESCAPE, MAPVK_VK_TO_VSC)) << 16;
    return PostMessageW(control, WM_KEYDOWN, VK_ESCAPE, scanCode | 1) &&
           PostMessageW(control, WM_KEYUP, VK_ESCAPE, scanCode | 0xC0000001);
}

// ---- A running session -----------------------------------------------------------------------

Session::Session(const Scenario& setup) : layout_(setup) {}

Session::~Session() = default;

bool Session::StartIde() {
    ideProcess_ = &group_.Start(Programs().standInIde, Quoted(layout_.IdeKeyLog()), layout_.Root());
    const DWORD id = ideProcess_->Id();
    return WaitUntil(
        [&] {
            ide_ = FindTopLevel(id, [](HWND window) {
                return IsWindowVisible(window) && ClassName(window) == kIdeClass;
            });
            return ide_ != nullptr;
        },
        kAppearTimeoutMs);
}

std::vector<std::string> Session::IdeKeys() const {
    return SplitLines(ReadBytes(layout_.IdeKeyLog()).value_or(""));
}

bool Session::CloseIde() {
    PostMessageW(ide_, WM_CLOSE, 0, 0);
    return ideProcess_->WaitForExit();
}

HWND Session::StartThirdWindow() {
    Process& third = group_.Start(Programs().standInIde,
                                  Quoted(layout_.Root() / L"third_keys.log") + L" " + kThirdClass,
                                  layout_.Root());
    HWND window = nullptr;
    WaitUntil(
        [&] {
            window = FindTopLevel(third.Id(), [](HWND w) {
                return IsWindowVisible(w) && ClassName(w) == kThirdClass;
            });
            return window != nullptr;
        },
        kAppearTimeoutMs);
    return window;
}

Process& Session::StartApp() {
    app_ = &group_.Start(layout_.Exe(), L"", layout_.Root());
    return *app_;
}

HWND Session::WaitForMainWindowVisible() {
    const DWORD id = app_->Id();
    WaitUntil(
        [&] {
            main_ = FindMainWindow(id);
            return main_ && IsWindowVisible(main_);
        },
        kAppearTimeoutMs);
    return main_ && IsWindowVisible(main_) ? main_ : nullptr;
}

bool Session::Launch() {
    if (!StartIde())
        return false;
    StartApp();
    return WaitForMainWindowVisible() != nullptr;
}

HWND Session::OpenEditBox() {
    if (!PostButton(main_, kEditId))
        return nullptr;
    HWND box = nullptr;
    WaitUntil([&] {
        box = FindEditBox(app_->Id());
        return box && IsWindowVisible(box);
    });
    return box && IsWindowVisible(box) ? box : nullptr;
}

std::wstring Session::StatusText() const {
    return WindowText(GetDlgItem(main_, kStatusBarId));
}

bool Session::WaitForTick() {
    const std::wstring mark = L"t" + std::to_wstring(++tickCount_);
    const std::wstring compiler = L"C:\\sync\\FreeBASIC-" + mark + L"-gcc-" + mark + L"\\fbc.exe";
    WriteCompilerIniValue(layout_.WinFbeIni(), L"FBWINCompiler32", compiler.c_str());
    const std::wstring expected = L" fbc " + mark + L" / gcc " + mark;
    return WaitUntil([&] { return StatusText() == expected; });
}

bool Session::CloseApp() {
    PostMessageW(main_, WM_SYSCOMMAND, SC_CLOSE, 0);
    return app_->WaitForExit();
}

std::optional<std::wstring> Session::StoredSwitches() const {
    return CompilerIniValue(layout_.WinFbeIni(), L"CompilerSwitches");
}

bool Session::WaitForBoxCount(std::size_t count, DWORD timeoutMs) const {
    return WaitUntil([&] { return Boxes().size() >= count; }, timeoutMs);
}

FileLock::FileLock(const path& file)
    : handle_(CreateFileW(file.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                          FILE_ATTRIBUTE_NORMAL, nullptr)) {}

FileLock::~FileLock() {
    if (handle_ != INVALID_HANDLE_VALUE)
        CloseHandle(handle_);
}

std::string PositionBytes(std::int32_t left, std::int32_t top) {
    std::string bytes(8, '\0');
    for (int i = 0; i < 4; ++i) {
        bytes[static_cast<std::size_t>(i)] =
            static_cast<char>((static_cast<std::uint32_t>(left) >> (8 * i)) & 0xFF);
        bytes[static_cast<std::size_t>(4 + i)] =
            static_cast<char>((static_cast<std::uint32_t>(top) >> (8 * i)) & 0xFF);
    }
    return bytes;
}

POINT CentredOnWorkArea(const RECT& windowRect) {
    RECT work = {};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    const LONG width = windowRect.right - windowRect.left;
    const LONG height = windowRect.bottom - windowRect.top;
    auto place = [](LONG low, LONG high, LONG size) {
        LONG at = low + (high - low - size) / 2;
        if (at < low)
            at = low;
        else if (at + size > high)
            at = high - size;
        return at;
    };
    return {place(work.left, work.right, width), place(work.top, work.bottom, height)};
}

} // namespace e2e
