#include "main_window.h"

#include <commctrl.h>

#include <algorithm>
#include <optional>
#include <string>

#include "control_ids.h"
#include "geometry.h"
#include "handles.h"
#include "input_box.h"
#include "layout.h"
#include "option_column.h"
#include "option_tips.h"
#include "paths.h"
#include "placement.h"
#include "presets.h"
#include "program_messages.h"
#include "settings_files.h"
#include "system_command.h"
#include "undo_command.h"
#include "window_context.h"
#include "work_areas.h"

namespace {

constexpr DWORD kMainStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU;
constexpr DWORD kMainExStyle = WS_EX_DLGMODALFRAME | WS_EX_TOPMOST;
constexpr DWORD kOptionStyle = WS_VISIBLE | WS_TABSTOP | BS_VCENTER | BS_LEFT | BS_AUTORADIOBUTTON;
constexpr DWORD kFirstOptionStyle = kOptionStyle | WS_GROUP; // starts the one group of all options
// Sent to itself, so that what nobody uses before the window shows is made once it shows, and
// start-up does not wait for it: the tips and the undo commands.
constexpr UINT kFinishWindowMessage = WM_APP;
constexpr DWORD kPushButtonStyle = WS_VISIBLE | WS_TABSTOP | BS_VCENTER | BS_PUSHBUTTON;
constexpr DWORD kKeywordStyle = static_cast<DWORD>(-1);

// The controls below the options, which move when the options change.
struct ControlBelowOptions {
    int id;
    const wchar_t* keyword;
    const wchar_t* text;
    LayoutRect MainLayout::*rect;
    DWORD style;
};

constexpr ControlBelowOptions kBelowOptions[] = {
    {kApplyId, L"Button", L"Apply", &MainLayout::apply, kPushButtonStyle},
    {kEditId, L"Button", L"Edit", &MainLayout::edit, kPushButtonStyle},
    {kClearId, L"Button", L"Clear", &MainLayout::clear, kPushButtonStyle},
    {kBuildConfigurationsId, L"Button", L"Build Configurations...",
     &MainLayout::buildConfigurations, kPushButtonStyle},
    {kCompilerSetupId, L"Button", L"Compiler Setup", &MainLayout::compilerSetup, kPushButtonStyle},
    {kGroupBoxId, L"GroupBox", L"Select switches", &MainLayout::groupBox, kKeywordStyle},
};

HWND AddControl(WindowObject& window, const wchar_t* keyword, int id, const wchar_t* text,
                const LayoutRect& r, DWORD style = kKeywordStyle) {
    return window.AddControl({.keyword = keyword,
                              .id = id,
                              .text = text,
                              .x = r.x,
                              .y = r.y,
                              .width = r.width,
                              .height = r.height,
                              .style = style});
}

// In the control's own font, in device pixels.
int MeasureTextWidth(HWND control, const wchar_t* text) {
    WindowDc dc(control);
    const auto font = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
    SelectedObject selected(dc.get(), font);
    SIZE extent{};
    GetTextExtentPoint32W(dc.get(), text, static_cast<int>(wcslen(text)), &extent);
    return extent.cx;
}

// Measured in a control that has the window's font. "No preset used" is measured with the
// presets: without it a short or empty list of presets would leave that option too narrow for
// its own caption.
int MeasureWidestOptionText(HWND control, const std::vector<std::wstring>& presets) {
    int widest = MeasureTextWidth(control, kNoPresetText);
    for (const std::wstring& text : presets)
        widest = std::max(widest, MeasureTextWidth(control, text.c_str()));
    return widest;
}

void TickCheckboxesFromMarkers(HWND main, const DynamicWideString& folder) {
    if (MarkerExists(folder, kConsoleMarker))
        SendDlgItemMessageW(main, kConsoleId, BM_SETCHECK, BST_CHECKED, 0);
    if (MarkerExists(folder, kExxMarker))
        SendDlgItemMessageW(main, kExxId, BM_SETCHECK, BST_CHECKED, 0);
}

void AddOptions(WindowObject& window, const std::vector<std::wstring>& presets,
                const MainLayout& layout) {
    for (std::size_t i = 0; i < presets.size(); ++i)
        AddControl(window, L"Option", OptionIdOfPreset(static_cast<int>(i) + 1), presets[i].c_str(),
                   layout.presetOptions[i], i == 0 ? kFirstOptionStyle : kOptionStyle);
    AddControl(window, L"Option", NoPresetOptionId(static_cast<int>(presets.size())), kNoPresetText,
               layout.noPresetOption, presets.empty() ? kFirstOptionStyle : kOptionStyle);
}

// The texts are measured in the Console checkbox rather than in a control made only for that.
MainLayout LayOutOptions(const ProgramState& program) {
    const HWND console = GetDlgItem(program.mainWindow.hWindow, kConsoleId);
    return ComputeMainLayout(program.layout, program.PresetCount(),
                             MeasureWidestOptionText(console, program.presetTexts));
}

void SetClientSize(WindowObject& window, const MainLayout& layout) {
    SetClientSize(window.hWindow, layout.clientWidth, layout.clientHeight, window.ratioX,
                  window.ratioY);
}

// The checkboxes come first: the options are measured in one of them.
void BuildControls(ProgramState& program) {
    WindowObject& window = program.mainWindow;
    const auto [consoleRect, exxRect] = CheckboxRects(program.layout);
    AddControl(window, L"Checkbox", kConsoleId, L"Console", consoleRect);
    AddControl(window, L"Checkbox", kExxId, L"-exx", exxRect);
    TickCheckboxesFromMarkers(window.hWindow, program.programFolder);
    const MainLayout layout = LayOutOptions(program);
    AddOptions(window, program.presetTexts, layout);
    for (const ControlBelowOptions& control : kBelowOptions)
        AddControl(window, control.keyword, control.id, control.text, layout.*control.rect,
                   control.style);
    SetClientSize(window, layout);
}

// New options come after the checkboxes, as at start-up: the order of the controls is the tab
// order, and the group box must lie behind the options.
void PutOptionsAfterCheckboxes(HWND main, int presetCount) {
    HWND previous = GetDlgItem(main, kExxId);
    for (int id = kFirstOptionId; id <= NoPresetOptionId(presetCount); ++id) {
        const HWND option = GetDlgItem(main, id);
        SetWindowPos(option, previous, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        previous = option;
    }
}

// One option per preset and "No preset used", laid out by the start-up rules; the window keeps its
// top-left corner and its band and grows or shrinks with them, the controls below them move, and
// the option the stored value matches is selected.
void ReplaceOptions(HWND main, ProgramState& program, std::vector<std::wstring> presets) {
    for (int id = kFirstOptionId; id <= NoPresetOptionId(program.PresetCount()); ++id)
        DestroyWindow(GetDlgItem(main, id));
    program.presetTexts = std::move(presets);
    WindowObject& window = program.mainWindow;
    const MainLayout layout = LayOutOptions(program);
    AddOptions(window, program.presetTexts, layout);
    PutOptionsAfterCheckboxes(main, program.PresetCount());
    for (const ControlBelowOptions& control : kBelowOptions) {
        const LayoutRect& r = layout.*control.rect;
        window.SetWindowPosScaled(GetDlgItem(main, control.id), r.x, r.y, r.width, r.height);
    }
    SetClientSize(window, layout);
    SendMessageW(program.hostWatch.statusBar, WM_SIZE, 0, 0); // to the new bottom
    RedrawWindow(main, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    if (program.tips) {
        DestroyWindow(program.tips);
        program.tips = AddOptionTips(main, program.PresetCount() + 1, window.ratioX);
    }
    SelectPresetOption(
        main, program.PresetCount(),
        FindPresetForSwitches(program.hostWatch.followedSwitches.value, program.presetTexts));
}

// The options follow MarlwickIII.ini once its new stamp has held for two ticks, silently. A file
// that cannot be opened keeps the options shown and is tried again.
void FollowPresetFile(HWND main, ProgramState& program) {
    const std::optional<FileStamp> stamp = PresetFileStamp(program.programFolder);
    const bool boxOpen = program.messageBoxOpen || !IsWindowEnabled(main);
    if (!PresetFileToBeRead(stamp, boxOpen, program.presetFile))
        return;
    auto presets = ReadPresetTexts(program.programFolder);
    if (!presets)
        return;
    program.presetFile.shown = *stamp;
    if (*presets != program.presetTexts)
        ReplaceOptions(main, program, std::move(*presets));
}

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

void PlaceMainWindow(ProgramState& program) {
    const HWND main = program.mainWindow.hWindow;
    const std::optional<ScreenPoint> stored = LoadStartPosition(program.programFolder);
    if (stored)
        program.start = *stored;
    // SWP_NOACTIVATE: the hidden window is activated when it shows; activating it here too cost
    // start-up several milliseconds under Wine.
    if (stored && CaptionWithinReachAt(main, *stored)) {
        SetWindowPos(main, HWND_TOPMOST, stored->x, stored->y, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
    } else {
        CenterWindow(main, nullptr);
        SetWindowPos(main, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);
    }
    program.lastRestored = WindowTopLeft(main);
}

// Without a match the box comes first, and the flag stays raised until the option is selected.
void SelectStoredPreset(ProgramState& program) {
    const std::wstring stored = ReadStoredSwitches(program.winFbeIniPath);
    FollowFrom(program.hostWatch, stored);
    const auto match = FindPresetForSwitches(stored, program.presetTexts);
    const auto select = [&] {
        SelectPresetOption(program.mainWindow.hWindow, program.PresetCount(), match);
    };
    if (match)
        return select();
    MessageBoxOpenGuard open(program.messageBoxOpen);
    if (!stored.empty())
        ShowProgramMessage(program, L"No preset match.", BoxCaption::Mwk);
    else
        ShowProgramMessage(program, L"'CompilerSwitches' in WinFBE.ini is empty.");
    select();
}

// The window works on the program's state from its first message on.
HWND CreateMainWindow(ProgramState& program) {
    return program.mainWindow.Create({.parent = nullptr,
                                      .caption = L"MWK III",
                                      .windowProc = MainWindowProc,
                                      .style = kMainStyle,
                                      .exStyle = kMainExStyle,
                                      .context = &program});
}

// --- Message handlers ---

// The stored value, whole, as the profile functions give it back: what a write replaces.
std::wstring StoredNow(const ProgramState& program) {
    return ReadCompilerIniValueWide(program.winFbeIniPath, L"CompilerSwitches");
}

// True when the command ran to its end and the message goes on to default processing.
bool OnApply(HWND main, ProgramState& program) {
    const auto preset = SelectedPreset(main, program.PresetCount());
    if (!preset) {
        MessageBoxOpenGuard open(program.messageBoxOpen);
        ShowProgramMessage(program, L"No valid radio button has been selected.");
        return false;
    }
    const std::wstring& text = program.presetTexts[*preset - 1];
    const bool console = IsChecked(main, kConsoleId);
    const bool exx = IsChecked(main, kExxId);
    SetMarker(program.programFolder, kConsoleMarker, console);
    SetMarker(program.programFolder, kExxMarker, exx);
    const std::wstring value = ComposeSwitches(text, console, exx);
    std::wstring replaced = StoredNow(program);
    if (WriteCompilerSwitches(program.winFbeIniPath, value.c_str()))
        NoteOwnWrite(main, program, std::move(replaced), value);
    else
        ShowProgramMessage(program, L"Error1");
    return true;
}

void OnClear(HWND main, ProgramState& program) {
    std::wstring replaced = StoredNow(program);
    if (WriteCompilerSwitches(program.winFbeIniPath, L""))
        NoteOwnWrite(main, program, std::move(replaced), L"");
    else
        ShowProgramMessage(program, L"Error3");
    SelectPresetOption(main, program.PresetCount(), std::nullopt);
}

LRESULT OnCommand(HWND main, ProgramState& program, UINT message, WPARAM wParam, LPARAM lParam) {
    const int id = LOWORD(wParam);
    const bool clicked = HIWORD(wParam) == BN_CLICKED;
    switch (id) {
    case kApplyId:
        if (clicked && !OnApply(main, program))
            return 0;
        break;
    case kEditId:
        if (clicked && !EditCompilerSwitches(main, program))
            return -1;
        break;
    case kClearId:
        OnClear(main, program);
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
        UndoLastChange(main, program);
        return 0;
    default:
        break;
    }
    return DefWindowProcW(main, message, wParam, lParam);
}

// True when the tick ended early.
bool OnHostWatchTimer(HWND main, ProgramState& program) {
    FollowPresetFile(main, program);
    const HostWatchOutcome outcome = HostWatchTick(program.hostWatch, main, program.winFbeIniPath,
                                                   program.presetTexts, program.messageBoxOpen);
    if (outcome.followOption) {
        SelectOption(main, program.PresetCount(), *outcome.followOption);
        ForgetOwnWrites(main, program);
    }
    return outcome.endsEarly;
}

void OnFinishWindow(HWND main, ProgramState& program) {
    program.tips = AddOptionTips(main, program.PresetCount() + 1, program.mainWindow.ratioX);
    AddUndoCommands(program);
}

// A minimised window reports the system's parking place, not where the user left it.
void SavePosition(HWND main, const ProgramState& program) {
    const ScreenPoint now = IsIconic(main) ? program.lastRestored : WindowTopLeft(main);
    SaveWindowPosition(program.programFolder, now, program.start);
}

void OnWindowMoved(HWND main, ProgramState& program) {
    if (!IsIconic(main))
        program.lastRestored = WindowTopLeft(main);
}

LRESULT HandleMainMessage(HWND main, ProgramState& program, UINT message, WPARAM wParam,
                          LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        SetTimer(main, kHostWatchTimerId, kHostWatchPeriodMs, nullptr);
        break;
    case WM_TIMER:
        if (wParam == kHostWatchTimerId && OnHostWatchTimer(main, program))
            return 0;
        break;
    case WM_COMMAND:
        return OnCommand(main, program, message, wParam, lParam);
    case kFinishWindowMessage:
        OnFinishWindow(main, program);
        return 0;
    case WM_NOTIFY:
        if (SupplyOptionTip(*reinterpret_cast<NMHDR*>(lParam), program))
            return 0;
        break;
    case WM_WINDOWPOSCHANGED:
        OnWindowMoved(main, program);
        break;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    case WM_CLOSE:
        SavePosition(main, program);
        break;
    case WM_SYSCOMMAND:
        if (IsSystemCommand(wParam, kUndoMenuCommand)) {
            UndoLastChange(main, program);
            return 0;
        }
        if (IsCloseCommand(wParam)) {
            KillTimer(main, kHostWatchTimerId);
            SavePosition(main, program);
        }
        break;
    default:
        break;
    }
    return DefWindowProcW(main, message, wParam, lParam);
}

} // namespace

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return ObjectWindowProc<ProgramState, HandleMainMessage>(window, message, wParam, lParam);
}

int RunApplication(ProgramState& program, HINSTANCE, HINSTANCE, PWSTR, int showCommand) {
    program.programFolder = ExePath();
    SetCurrentDirectoryW(program.programFolder.data());
    program.winFbeIniPath = ResolveWinFbeIniPath();

    // Taken before the file is read: a change made meanwhile is then read again.
    program.presetFile.shown = PresetFileStamp(program.programFolder).value_or(FileStamp{});
    auto presets = LoadPresetTexts(program.programFolder);
    if (!presets) {
        ShowEarlyMessage(L"MarlwickIII.ini does not exist.", kStyleWarning, 10);
        return 0;
    }
    program.presetTexts = std::move(*presets);

    const DynamicWideString exeName = ExeName();
    program.layout = LayoutVariantForExeName(exeName.view());
    program.mainWindow.SetFont(L"Tahoma", LayoutFontPoints(program.layout));
    program.messageBoxSize = MessageBoxSizeForExeName(exeName.view());

    const HWND main = CreateMainWindow(program);
    BuildControls(program);
    PlaceMainWindow(program);
    program.hostWatch.statusBar =
        CreateStatusWindowW(WS_CHILD | WS_VISIBLE, L"", main, kStatusBarId);

    if (!FileExists(program.winFbeIniPath.data())) {
        {
            MessageBoxOpenGuard open(program.messageBoxOpen);
            ShowProgramMessage(program, L"The given WinFBE ini file does not exist.");
        }
        DestroyWindow(main);
        return 0;
    }
    SelectStoredPreset(program);
    // The IDE may have gone while a start-up box was open; the window is then closed already.
    if (!IsWindow(main))
        return 0;
    PostMessageW(main, kFinishWindowMessage, 0, 0);
    return program.mainWindow.RunMessageLoop(showCommand);
}
