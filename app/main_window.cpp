#include "main_window.h"

#include <commctrl.h>

#include "command_forwarding.h"
#include "control_ids.h"
#include "geometry.h"
#include "host_ide.h"
#include "input_box.h"
#include "option_column.h"
#include "option_tips.h"
#include "paths.h"
#include "placement.h"
#include "program_messages.h"
#include "system_command.h"
#include "system_menu.h"
#include "loaded_library.h"
#include "toolchain_folders.h"
#include "window_context.h"
#include "work_areas.h"

namespace {

constexpr DWORD kMainStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU;
constexpr DWORD kMainExStyle = WS_EX_DLGMODALFRAME | WS_EX_TOPMOST;
constexpr UINT_PTR kHostWatchTimerId = 1105;
constexpr UINT kHostWatchPeriodMs = 100;
// Sent to itself, so that what nobody uses before the window shows is made once it shows, and
// start-up does not wait for it: the tips and the system menu's items.
constexpr UINT kFinishWindowMessage = WM_APP;

ScreenPoint WindowTopLeft(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    return {r.left, r.top};
}

// A position saved on a monitor that is gone, or one that leaves too little of the caption on
// any work area, would open the window where nobody can take hold of it.
bool CaptionWithinReachAt(HWND window, ScreenPoint at) {
    RECT r{};
    GetWindowRect(window, &r);
    const ScreenRect placed{at.x, at.y, at.x + (r.right - r.left), at.y + (r.bottom - r.top)};
    // The window's caption has one button, Close.
    const int buttonWidth = GetSystemMetrics(SM_CXSIZE);
    return CaptionWithinReach(placed, GetSystemMetrics(SM_CYCAPTION), buttonWidth, buttonWidth,
                              AllWorkAreas());
}

// Changing the band must not activate the utility: that would take the keyboard from whatever
// program the user has just brought to the front.
void SetTopmost(HWND window, bool topmost) {
    SetWindowPos(window, topmost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

} // namespace

LRESULT CALLBACK MainWindow::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return ObjectWindowProc<MainWindow, Handle>(window, message, wParam, lParam);
}

LRESULT MainWindow::Handle(HWND window, MainWindow& self, UINT message, WPARAM wParam,
                           LPARAM lParam) {
    return self.OnMessage(window, message, wParam, lParam);
}

int MainWindow::Run(int showCommand, std::optional<ToolCommand> command) {
    startCommand_ = std::move(command);
    programFolder_ = ExePath();
    SetCurrentDirectoryW(programFolder_.data());
    winFbeIniPath_ = ResolveWinFbeIniPath();

    // Taken before the file is read: a change made meanwhile is then read again.
    const std::optional<FileStamp> stamp = PresetFileStamp(programFolder_);
    if (!PresetFileExists(programFolder_)) {
        ShowEarlyMessage(L"MarlwickIII.ini does not exist.", kStyleWarning, 10);
        return 0;
    }
    session_.emplace(CodePageTripOf, ReadPresetTexts(programFolder_), stamp);
    runner_.emplace(*session_, *this);
    optionCount_ = session_->NoPresetOption();

    const DynamicWideString exeName = ExeName();
    layout_ = LayoutVariantForExeName(exeName.view());
    window_.SetFont(L"Tahoma", LayoutFontPoints(layout_));
    messageBoxSize_ = MessageBoxSizeForExeName(exeName.view());

    const HWND main = Create();
    BuildMainControls(window_, layout_, session_->Presets(),
                      MarkerExists(programFolder_, kConsoleMarker),
                      MarkerExists(programFolder_, kExxMarker));
    Place();
    statusBar_ = CreateStatusWindowW(WS_CHILD | WS_VISIBLE, L"", main, kStatusBarId);

    if (!FileExists(winFbeIniPath_.data())) {
        {
            MessageBoxOpenGuard open(messageBoxOpen_);
            ShowProgramMessage(main, messageBoxSize_, L"The given WinFBE ini file does not exist.");
        }
        DestroyWindow(main);
        return 0;
    }
    Feed(Started{ReadStoredValuesNow(winFbeIniPath_)});
    PostMessageW(main, kFinishWindowMessage, 0, 0);
    return window_.RunMessageLoop(showCommand);
}

// The window works on this object from its first message on, and takes the commands of other
// copies.
HWND MainWindow::Create() {
    const HWND main = window_.Create({.parent = nullptr,
                                      .caption = L"MWK III",
                                      .windowProc = WindowProc,
                                      .style = kMainStyle,
                                      .exStyle = kMainExStyle,
                                      .context = this});
    SetPropW(main, kCommandWindowProperty, main);
    return main;
}

void MainWindow::Place() {
    const HWND main = window_.hWindow;
    const std::optional<ScreenPoint> stored = LoadStartPosition(programFolder_);
    if (stored)
        start_ = *stored;
    // SWP_NOACTIVATE: the hidden window is activated when it shows; activating it here too cost
    // start-up several milliseconds under Wine.
    if (stored && CaptionWithinReachAt(main, *stored)) {
        SetWindowPos(main, HWND_TOPMOST, stored->x, stored->y, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
    } else {
        CenterWindow(main, nullptr);
        SetWindowPos(main, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);
    }
    lastRestored_ = WindowTopLeft(main);
}

// --- Messages ---

// The window's own handle: the object learns it only once creation has returned.
LRESULT MainWindow::OnMessage(HWND main, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        SetTimer(main, kHostWatchTimerId, kHostWatchPeriodMs, nullptr);
        break;
    case WM_TIMER:
        if (wParam == kHostWatchTimerId)
            OnTimer();
        break;
    case WM_COMMAND:
        OnCommand(LOWORD(wParam), HIWORD(wParam));
        break;
    case kFinishWindowMessage:
        OnFinishWindow();
        return 0;
    case WM_NOTIFY:
        if (OnNotify(*reinterpret_cast<NMHDR*>(lParam)))
            return 0;
        break;
    case WM_WINDOWPOSCHANGED:
        OnWindowMoved();
        break;
    case WM_DESTROY:
        OnDestroy();
        return 0;
    case WM_COPYDATA:
        return OnCopyData(*reinterpret_cast<const COPYDATASTRUCT*>(lParam));
    case WM_CLOSE:
        SavePosition();
        break;
    case WM_SYSCOMMAND:
        if (OnSystemCommand(wParam))
            return 0;
        break;
    default:
        break;
    }
    return DefWindowProcW(main, message, wParam, lParam);
}

void MainWindow::OnTimer() {
    Feed(ObserveTick(winFbeIniPath_, programFolder_, tick_, window_.hWindow, messageBoxOpen_));
}

void MainWindow::OnCommand(int id, int code) {
    const HWND main = window_.hWindow;
    const bool clicked = code == BN_CLICKED;
    if (id >= kFirstOptionId && id < kFirstOptionId + optionCount_) {
        if (clicked)
            Feed(Picked{id - kFirstOptionId + 1});
        return;
    }
    switch (id) {
    case kApplyId:
        if (clicked)
            Feed(ApplyPressed{CheckedPreset(main, optionCount_), TicksShown(main)});
        break;
    case kEditId:
        if (clicked)
            Feed(EditPressed{});
        break;
    case kClearId:
        Feed(ClearPressed{});
        break;
    case kBuildConfigurationsId:
        if (clicked)
            OpenHostBuildConfigurations();
        break;
    case kCompilerSetupId:
        if (clicked)
            OpenHostCompilerSetup();
        break;
    case kUndoKeyCommand:
        StepThroughHistory(Way::Back);
        break;
    case kRedoKeyCommand:
        StepThroughHistory(Way::Forward);
        break;
    default:
        break;
    }
}

// True when the command is the utility's own.
bool MainWindow::OnSystemCommand(WPARAM command) {
    using Handler = void (*)(MainWindow&);
    constexpr std::pair<int, Handler> kOwnCommands[] = {
        {kUndoMenuCommand, [](MainWindow& self) { self.StepThroughHistory(Way::Back); }},
        {kRedoMenuCommand, [](MainWindow& self) { self.StepThroughHistory(Way::Forward); }},
        {kToolchainMenuCommand, [](MainWindow& self) { self.OfferToolchains(); }},
        {kEditPresetsMenuCommand, [](MainWindow& self) { self.EditPresets(); }},
        {kKeepPresetMenuCommand, [](MainWindow& self) { self.KeepStoredValue(); }},
    };
    for (const auto& [id, handler] : kOwnCommands)
        if (IsSystemCommand(command, id)) {
            handler(*this);
            return true;
        }
    if (IsCloseCommand(command)) {
        KillTimer(window_.hWindow, kHostWatchTimerId);
        SavePosition();
    }
    return false;
}

void MainWindow::StepThroughHistory(Way way) {
    Feed(HistoryPressed{way, ReadStoredValuesNow(winFbeIniPath_)});
}

// The folders are looked at only now, never at start-up or on the tick.
void MainWindow::OfferToolchains() {
    Feed(ListToolchains(winFbeIniPath_));
}

// The user's editor for the file, through the shell's open verb. Shell32 is loaded only here:
// loaded with the program, it would slow every start-up.
void MainWindow::EditPresets() {
    const HRSRC sample =
        FindResourceW(nullptr, MAKEINTRESOURCEW(kSamplePresetsResource), RT_RCDATA);
    const HGLOBAL loaded = sample ? LoadResource(nullptr, sample) : nullptr;
    if (loaded)
        CreatePresetFileIfMissing(programFolder_, {static_cast<const char*>(LockResource(loaded)),
                                                   SizeofResource(nullptr, sample)});
    using Execute = HINSTANCE(WINAPI*)(HWND, LPCWSTR, LPCWSTR, LPCWSTR, LPCWSTR, INT);
    const LoadedLibrary shell(L"shell32.dll");
    const auto open = shell.Find<Execute>("ShellExecuteW");
    // A result of 32 or less is a failure, as when no program opens the file.
    if (!open ||
        reinterpret_cast<INT_PTR>(open(window_.hWindow, L"open",
                                       ProgramFilePath(programFolder_, kPresetFileName).data(),
                                       nullptr, programFolder_.data(), SW_SHOWNORMAL)) <= 32) {
        MessageBoxOpenGuard guard(messageBoxOpen_);
        ShowProgramMessage(window_.hWindow, messageBoxSize_, L"MarlwickIII.ini cannot be opened.");
    }
}

void MainWindow::KeepStoredValue() {
    Feed(KeepPressed{ReadStoredNow(winFbeIniPath_), TicksShown(window_.hWindow),
                     ReadPresetTexts(programFolder_)});
}

void MainWindow::OnFinishWindow() {
    tips_ = AddOptionTips(window_.hWindow, optionCount_, window_.ratioX);
    AddSystemMenuItems(window_, session_->CanUndo(), session_->CanRedo());
    if (startCommand_)
        CarryOut(*std::exchange(startCommand_, std::nullopt));
}

// Another copy waits for the answer, which the session gives before any box it shows.
LRESULT MainWindow::OnCopyData(const COPYDATASTRUCT& data) {
    if (data.dwData != kCommandData)
        return FALSE;
    const std::optional<ToolCommand> command = ParseToolCommand(ForwardedArguments(data));
    if (!command)
        return static_cast<LRESULT>(CommandAnswer::WrongArguments);
    answer_.reset();
    CarryOut(*command);
    return static_cast<LRESULT>(answer_.value_or(CommandAnswer::Refused));
}

void MainWindow::CarryOut(const ToolCommand& command) {
    const HWND main = window_.hWindow;
    Feed(CommandGiven{
        command, CheckedPreset(main, optionCount_), TicksShown(main),
        messageBoxOpen_ || !IsWindowEnabled(main), ReadStoredValuesNow(winFbeIniPath_),
        command.toolchain ? std::optional(ListToolchains(winFbeIniPath_)) : std::nullopt});
}

// A click on the status bar offers the toolchains. A tip asks for its text each time it shows, so
// that it follows the checkboxes.
bool MainWindow::OnNotify(NMHDR& notification) {
    if (notification.hwndFrom == statusBar_ && notification.code == NM_CLICK) {
        OfferToolchains();
        return true;
    }
    if (notification.code != TTN_GETDISPINFOW)
        return false;
    const int option =
        GetDlgCtrlID(reinterpret_cast<HWND>(notification.idFrom)) - kFirstOptionId + 1;
    const bool noPreset = option == session_->NoPresetOption();
    tipText_ = session_->TipText(
        option, TicksShown(window_.hWindow),
        noPreset ? ReadCompilerIniValueWide(winFbeIniPath_, KeyName(IniKey::CompilerSwitches))
                 : L"");
    reinterpret_cast<NMTTDISPINFOW&>(notification).lpszText = tipText_.data();
    return true;
}

// A minimised window reports the system's parking place, not where the user left it.
void MainWindow::SavePosition() const {
    const HWND main = window_.hWindow;
    const ScreenPoint now = IsIconic(main) ? lastRestored_ : WindowTopLeft(main);
    SaveWindowPosition(programFolder_, now, start_);
}

void MainWindow::OnWindowMoved() {
    if (!IsIconic(window_.hWindow))
        lastRestored_ = WindowTopLeft(window_.hWindow);
}

// What the session still had to say has no window left to show it.
void MainWindow::OnDestroy() {
    runner_->Stop();
    RemovePropW(window_.hWindow, kCommandWindowProperty);
    PostQuitMessage(0);
}

// --- The session's answers, performed by the runner ---

WriteDone MainWindow::Perform(const effect::Write& write) {
    return WriteIniValues(winFbeIniPath_, write.values);
}

void MainWindow::Perform(const effect::Select& select) {
    SelectOption(window_.hWindow, optionCount_, select.option);
}

void MainWindow::Perform(const effect::Rebuild& rebuild) {
    ReplaceOptions(window_, layout_, optionCount_, rebuild.presets, statusBar_);
    optionCount_ = static_cast<int>(rebuild.presets.size()) + 1;
    if (tips_) {
        DestroyWindow(tips_);
        tips_ = AddOptionTips(window_.hWindow, optionCount_, window_.ratioX);
    }
}

void MainWindow::Perform(const effect::ShowMessage& show) {
    std::optional<MessageBoxOpenGuard> open;
    if (show.holdsBand)
        open.emplace(messageBoxOpen_);
    ShowSessionMessage(window_.hWindow, messageBoxSize_, show.message);
}

void MainWindow::Perform(const effect::SetMarkers& markers) {
    SetMarker(programFolder_, kConsoleMarker, markers.ticks.console);
    SetMarker(programFolder_, kExxMarker, markers.ticks.exx);
}

// Read whole: the field must never offer less than is stored, or OK would cut the value.
EditClosed MainWindow::Perform(const effect::AskForValue&) {
    MessageBoxOpenGuard open(messageBoxOpen_);
    return {AskForSwitches(
        window_.hWindow,
        ReadCompilerIniValueWide(winFbeIniPath_, KeyName(IniKey::CompilerSwitches)))};
}

PresetFileRead MainWindow::Perform(const effect::ReadPresetFile&) {
    return {ReadPresetTexts(programFolder_)};
}

// Above the status bar, from its left end.
ToolchainPicked MainWindow::Perform(const effect::OfferToolchains& offer) {
    const UniqueMenu menu(CreatePopupMenu());
    for (std::size_t i = 0; i < offer.items.size(); ++i) {
        const ToolchainItem& item = offer.items[i];
        AppendMenuW(menu.get(),
                    MF_STRING | (item.current ? MF_CHECKED : 0) |
                        (item.folder.hasFbc32 ? 0 : MF_GRAYED),
                    i + 1, item.folder.name.c_str());
    }
    if (offer.items.empty())
        AppendMenuW(menu.get(), MF_STRING | MF_GRAYED, 0, L"No toolchains found");
    RECT bar{};
    GetWindowRect(statusBar_, &bar);
    // A menu that is not the foreground window's would stay open when the user clicks elsewhere.
    SetForegroundWindow(window_.hWindow);
    const int chosen =
        static_cast<int>(TrackPopupMenu(menu.get(), TPM_RETURNCMD | TPM_LEFTALIGN | TPM_BOTTOMALIGN,
                                        bar.left, bar.top, 0, window_.hWindow, nullptr));
    return {chosen > 0 ? std::optional<std::size_t>(chosen - 1) : std::nullopt};
}

PresetAppended MainWindow::Perform(const effect::AppendPreset& append) {
    return {AppendPresetToFile(programFolder_, append.text)};
}

void MainWindow::Perform(const effect::ShowStatus& status) {
    SendMessageW(statusBar_, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(status.text.c_str()));
}

void MainWindow::Perform(const effect::FollowHost& host) {
    const HWND main = window_.hWindow;
    switch (host.action) {
    case HostWatchAction::MinimizeSelf:
        ShowWindow(main, SW_MINIMIZE);
        break;
    case HostWatchAction::RestoreSelf:
        ShowWindow(main, SW_RESTORE);
        break;
    case HostWatchAction::CloseSelf:
        KillTimer(main, kHostWatchTimerId);
        SendMessageW(main, WM_CLOSE, 0, 0);
        break;
    case HostWatchAction::LeaveTopmost:
        SetTopmost(main, false);
        break;
    case HostWatchAction::EnterTopmost:
        SetTopmost(main, true);
        break;
    case HostWatchAction::None:
        break;
    }
}

void MainWindow::Perform(const effect::ShowHistory& history) {
    ShowHistoryItems(window_.hWindow, history.canUndo, history.canRedo);
}

void MainWindow::Perform(const effect::Beep&) {
    MessageBeep(MB_OK);
}

void MainWindow::Perform(const effect::SetTicks& set) {
    SetTicksShown(window_.hWindow, set.ticks);
}

// Released at once, so that a box shown afterwards keeps nobody waiting; a command of this
// copy's own command line has nobody to answer but the user.
void MainWindow::Perform(const effect::AnswerCommand& answer) {
    answer_ = answer.answer;
    if (InSendMessage())
        ReplyMessage(static_cast<LRESULT>(answer.answer));
    else if (answer.answer == CommandAnswer::WrongArguments) {
        MessageBoxOpenGuard open(messageBoxOpen_);
        ShowCommandsMessage(window_.hWindow, messageBoxSize_);
    }
}
