// Drives the real program from outside, as a person or the IDE would: a scratch layout of its
// files, a stand-in IDE, processes held in a job, windows found and clicked, files read back.
#pragma once

#include <windows.h>

#include <cstdint>
#include <deque>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace e2e {

using std::filesystem::path;

// Every wait is bounded; these are generous for a loaded machine running Wine.
inline constexpr DWORD kAppearTimeoutMs = 20000;
inline constexpr DWORD kActionTimeoutMs = 10000;

inline constexpr int kNoPresetUsedId = 1005; // with the four default presets
inline constexpr int kApplyId = 1102;
inline constexpr int kEditId = 1103;
inline constexpr int kClearId = 1104;
inline constexpr int kBuildConfigurationsId = 1107;
inline constexpr int kCompilerSetupId = 1108;
inline constexpr int kConsoleId = 1110;
inline constexpr int kExxId = 1100;
inline constexpr int kGroupBoxId = 1000;
inline constexpr int kStatusBarId = 200;
inline constexpr int kEditFieldId = 101;

// Built programs, as Windows paths.
struct ProgramPaths {
    path app;
    path realDlgMsgBox;
    path recordingDlgMsgBox;
    path standInIde;
};
const ProgramPaths& Programs();

// "/a/b" as Wine reaches it: "Z:\a\b".
path WindowsPathOfHostPath(const char* hostPath);

// Pumps this thread's messages until the condition holds or the time is up.
bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs = kActionTimeoutMs);

// ---- Files -------------------------------------------------------------------------------

std::optional<std::string> ReadBytes(const path& file);
void WriteBytes(const path& file, const std::string& bytes);
bool FileExists(const path& file);

// Every section with its lines in order ("key=value" with blanks around "=" dropped, comments
// as they stand), blank lines ignored: how two versions of an ini file can be compared once
// Wine has normalised one of them.
struct IniSection {
    std::string name;
    std::vector<std::string> lines;
    bool operator==(const IniSection&) const = default;
};
std::vector<IniSection> ParseIni(const std::string& bytes);
std::string DescribeIni(const std::vector<IniSection>& sections);

// The value of a key of section Compiler as the profile functions read it, or none when the
// key is missing.
std::optional<std::wstring> CompilerIniValue(const path& ini, const wchar_t* key);
bool WriteCompilerIniValue(const path& ini, const wchar_t* key, const wchar_t* value);

// A WinFBE.ini with a section Options, the Compiler section and a section Files around it.
std::string WinFbeIniText(const std::optional<std::string>& compilerSwitches,
                          const std::string& compilerPath = "");

inline constexpr char kToolchainPath[] =
    "C:\\WinFBE\\Toolchains\\FreeBASIC-1.10.1-winlibs-gcc-9.3.0\\fbc32.exe";
inline constexpr wchar_t kToolchainStatus[] = L" fbc 1.10.1 / gcc 9.3.0";

// Presets 1..4; the third one is a clang preset.
inline constexpr char kDefaultPresets[] = "-gen gcc -O 2\r\n"
                                          "-gen gcc -O 3\r\n"
                                          "-gen clang -O 2\r\n"
                                          "-gen gas\r\n";

// ---- Recorded message boxes -----------------------------------------------------------------

struct RecordedBox {
    DWORD processId = 0;
    std::uintptr_t owner = 0;
    bool ownerVisible = false;
    std::wstring text;
    std::wstring caption;
    std::int32_t style = 0;
    std::int32_t arg5 = 0;
    std::wstring face;
    std::int32_t size = 0;
    std::int32_t arg8 = 0;
    std::int32_t colour = 0;
};
std::vector<RecordedBox> ParseRecordedBoxes(const std::string& log);
std::string DescribeBoxes(const std::vector<RecordedBox>& boxes);

// ---- Scratch layout ------------------------------------------------------------------------

enum class BoxLibrary { Recording, Real };

struct Scenario {
    std::wstring exeName = L"MarlwickIII.exe";
    BoxLibrary boxes = BoxLibrary::Recording;
    std::optional<std::string> presets = std::string(kDefaultPresets); // MarlwickIII.ini
    std::optional<std::string> winFbeIni =
        WinFbeIniText("-w all -fpmode fast -fpu sse -gen gcc -O 2", kToolchainPath);
    std::optional<std::string> consoleMarker; // ConsoleIII.dat and its content
    std::optional<std::string> exxMarker;     // exxIII.dat and its content
    std::optional<std::string> positionFile;  // MWpositionIII.dat
};

// <temp>\<unique>\Tools\<exe>, DlgMsgBox.dll and the program's files beside it,
// <temp>\<unique>\Settings\WinFBE.ini. Removed again on destruction.
class ScratchLayout {
  public:
    explicit ScratchLayout(const Scenario& setup);
    ~ScratchLayout();
    ScratchLayout(const ScratchLayout&) = delete;
    ScratchLayout& operator=(const ScratchLayout&) = delete;

    const path& Root() const { return root_; }
    path Tools() const { return root_ / L"Tools"; }
    path Exe() const { return Tools() / exeName_; }
    path ToolsFile(const wchar_t* name) const { return Tools() / name; }
    path WinFbeIni() const { return root_ / L"Settings" / L"WinFBE.ini"; }
    path IdeKeyLog() const { return root_ / L"ide_keys.log"; }

    // The recording stand-in's log; empty while no box was shown.
    std::vector<RecordedBox> RecordedBoxes() const;
    // How long the recording stand-in keeps each box open, and whether it keeps a quit message
    // to itself instead of posting it again.
    void HoldBoxes(DWORD milliseconds, bool swallowQuit = false) const;

    // Every file of Tools and Settings with its bytes, the recording log and hold file aside.
    using Files = std::vector<std::pair<std::wstring, std::string>>;
    Files Snapshot() const;

  private:
    path root_;
    std::wstring exeName_;
};

// "" when both are alike, else which files appeared, went or changed.
std::string SnapshotDifference(const ScratchLayout::Files& before,
                               const ScratchLayout::Files& after);

// ---- Processes ------------------------------------------------------------------------------

class Process {
  public:
    Process(HANDLE process, DWORD id) : process_(process), id_(id) {}
    Process(Process&& other) noexcept;
    Process& operator=(Process&&) = delete;
    Process(const Process&) = delete;
    ~Process();

    DWORD Id() const { return id_; }
    bool IsRunning() const;
    bool WaitForExit(DWORD timeoutMs = kActionTimeoutMs) const;
    std::optional<DWORD> ExitCode() const;
    void End() const; // by its id; a no-op once it has ended

  private:
    HANDLE process_;
    DWORD id_;
};

// A job that ends every process it holds when it is closed.
class ProcessGroup {
  public:
    ProcessGroup();
    ~ProcessGroup();
    ProcessGroup(const ProcessGroup&) = delete;
    ProcessGroup& operator=(const ProcessGroup&) = delete;

    // Starts a program with the given arguments; the process belongs to this group.
    Process& Start(const path& exe, const std::wstring& arguments, const path& workingFolder);

  private:
    HANDLE job_;
    std::deque<Process> processes_; // stable addresses for the references Start returns
};

// ---- Windows --------------------------------------------------------------------------------

HWND FindTopLevel(DWORD processId, const std::function<bool(HWND)>& matches);
std::vector<HWND> TopLevelWindows(DWORD processId);
std::wstring ClassName(HWND window);
std::wstring WindowText(HWND window); // by WM_GETTEXT, so controls answer for themselves
bool SetText(HWND window, const std::wstring& text);
std::optional<LRESULT> Send(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
bool IsTopmost(HWND window);
RECT WindowRect(HWND window);
RECT ChildRectInParent(HWND parent, int id); // the child's rectangle in the parent's client area
std::vector<int> ChildIdsInOrder(HWND parent);

// The caption "MWK III" with an Apply button.
HWND FindMainWindow(DWORD processId);
// The caption "MWK III - Edit".
HWND FindEditBox(DWORD processId);
// A visible box of the real DlgMsgBox.dll: a top-level window with an OK button that is neither
// the main window nor the Edit box.
HWND FindRealBox(DWORD processId);
// Every text its children show, for finding a box's message.
std::vector<std::wstring> ChildTexts(HWND window);

bool IsChecked(HWND main, int id);
// The identifiers among options 1001 .. 1000 + optionCount that are checked.
std::vector<int> CheckedOptions(HWND main, int optionCount = 5);
// A person's click on a control: BM_CLICK, answered once the control has handled it.
bool ClickControl(HWND parent, int id);
void SetCheckbox(HWND main, int id, bool ticked);
// The button's WM_COMMAND with BN_CLICKED, waiting until the program has handled it.
bool PressButton(HWND window, int id);
// The same command posted, for commands that open a box of their own.
bool PostButton(HWND window, int id);
// Escape pressed in a control of a box that runs dialog navigation.
bool PostEscape(HWND control);

// ---- A running session -----------------------------------------------------------------------

// The stand-in IDE and Marlwick started in one scratch layout.
class Session {
  public:
    explicit Session(const Scenario& setup = {});
    ~Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    ScratchLayout& Layout() { return layout_; }
    ProcessGroup& Group() { return group_; }

    // The stand-in IDE, started and waited for until its window shows.
    bool StartIde();
    HWND IdeWindow() const { return ide_; }
    const Process* IdeProcess() const { return ideProcess_; }
    std::vector<std::string> IdeKeys() const;
    bool CloseIde();

    // Another program's window in front, of a class the utility does not look for.
    HWND StartThirdWindow();

    // Marlwick from the scratch layout. Launch waits until its main window is visible.
    Process& StartApp();
    bool Launch();
    Process& App() { return *app_; }
    HWND Main() const { return main_; }
    HWND WaitForMainWindowVisible();

    // Clicks Edit and waits for its box to show, which it does once its controls are ready.
    HWND OpenEditBox();

    // The program's own status bar text, by WM_GETTEXT.
    std::wstring StatusText() const;
    // Waits until the host-watch tick has run in the main loop at least once more: it changes
    // the IDE's compiler path and waits for the status bar to show it.
    bool WaitForTick();

    // Closes the main window as its close button does and waits for the process to end.
    bool CloseApp();

    // The value of CompilerSwitches in the scratch WinFBE.ini, none when the key is missing.
    std::optional<std::wstring> StoredSwitches() const;
    std::vector<RecordedBox> Boxes() const { return layout_.RecordedBoxes(); }
    bool WaitForBoxCount(std::size_t count, DWORD timeoutMs = kActionTimeoutMs) const;

  private:
    ScratchLayout layout_;
    ProcessGroup group_;
    Process* ideProcess_ = nullptr;
    HWND ide_ = nullptr;
    Process* app_ = nullptr;
    HWND main_ = nullptr;
    int tickCount_ = 0;
};

// A file held open without sharing, so that nobody else can write it while this lives.
class FileLock {
  public:
    explicit FileLock(const path& file);
    ~FileLock();
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;
    bool Held() const { return handle_ != INVALID_HANDLE_VALUE; }

  private:
    HANDLE handle_;
};

// Bytes of a position file.
std::string PositionBytes(std::int32_t left, std::int32_t top);

// Where CenterWindow puts a window of this size on the work area.
POINT CentredOnWorkArea(const RECT& windowRect);

std::string Narrow(const std::wstring& text);

} // namespace e2e
