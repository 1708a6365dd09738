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
#include "window_context.h"
#include "work_areas.h"

namespace {

constexpr DWORD kMainStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU;
constexpr DWORD kMainExStyle = WS_EX_DLGMODALFRAME | WS_EX_TOPMOST;
constexpr DWORD kOptionStyle = WS_VISIBLE | WS_TABSTOP | BS_VCENTER | BS_LEFT | BS_AUTORADIOBUTTON;
constexpr DWORD kFirstOptionStyle = kOptionStyle | WS_GROUP; // starts the one group of all options
// Sent to itself, so that the tips are made once the window shows: nobody hovers an option
// before that, and start-up does not wait for them.
constexpr UINT kAddTipsMessage = WM_APP;
constexpr DWORD kPushButtonStyle = WS_VISIBLE | WS_TABSTOP | BS_VCENTER | BS_PUSHBUTTON;

HWND AddControl(WindowObject& window, const wchar_t* keyword, int id, const wchar_t* text,
                const LayoutRect& r, DWORD style = static_cast<DWORD>(-1)) {
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

void AddButtonsAndGroup(WindowObject& window, const MainLayout& layout) {
    AddControl(window, L"Button", kApplyId, L"Apply", layout.apply, kPushButtonStyle);
    AddControl(window, L"Button", kEditId, L"Edit", layout.edit, kPushButtonStyle);
    AddControl(window, L"Button", kClearId, L"Clear", layout.clear, kPushButtonStyle);
    AddControl(window, L"Button", kBuildConfigurationsId, L"Build Configurations...",
               layout.buildConfigurations, kPushButtonStyle);
    AddControl(window, L"Button", kCompilerSetupId, L"Compiler Setup", layout.compilerSetup,
               kPushButtonStyle);
    AddControl(window, L"GroupBox", kGroupBoxId, L"Select switches", layout.groupBox);
}

// The checkboxes come first, so that the texts are measured in one of them rather than in a
// control made only for that.
void BuildControls(ProgramState& program, LayoutVariant variant) {
    WindowObject& window = program.mainWindow;
    const auto [consoleRect, exxRect] = CheckboxRects(variant);
    const HWND console = AddControl(window, L"Checkbox", kConsoleId, L"Console", consoleRect);
    AddControl(window, L"Checkbox", kExxId, L"-exx", exxRect);
    TickCheckboxesFromMarkers(window.hWindow, program.programFolder);
    const MainLayout layout = ComputeMainLayout(
        variant, program.PresetCount(), MeasureWidestOptionText(console, program.presetTexts));
    AddOptions(window, program.presetTexts, layout);
    AddButtonsAndGroup(window, layout);
    SetClientSize(window.hWindow, layout.clientWidth, layout.clientHeight, window.ratioX,
                  window.ratioY);
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
    if (WriteCompilerSwitches(program.winFbeIniPath, value.c_str()))
        NoteWrittenSwitches(program.hostWatch, value);
    else
        ShowProgramMessage(program, L"Error1");
    return true;
}

void OnClear(HWND main, ProgramState& program) {
    if (WriteCompilerSwitches(program.winFbeIniPath, L""))
        NoteWrittenSwitches(program.hostWatch, L"");
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
    default:
        break;
    }
    return DefWindowProcW(main, message, wParam, lParam);
}

// True when the tick ended early.
bool OnHostWatchTimer(HWND main, ProgramState& program) {
    const HostWatchOutcome outcome = HostWatchTick(program.hostWatch, main, program.winFbeIniPath,
                                                   program.presetTexts, program.messageBoxOpen);
    if (outcome.followOption)
        SelectOption(main, program.PresetCount(), *outcome.followOption);
    return outcome.endsEarly;
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
    case kAddTipsMessage:
        AddOptionTips(main, program.PresetCount() + 1, program.mainWindow.ratioX);
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

    auto presets = LoadPresetTexts(program.programFolder);
    if (!presets) {
        ShowEarlyMessage(L"MarlwickIII.ini does not exist.", kStyleWarning, 10);
        return 0;
    }
    program.presetTexts = std::move(*presets);

    const DynamicWideString exeName = ExeName();
    const LayoutVariant variant = LayoutVariantForExeName(exeName.view());
    program.mainWindow.SetFont(L"Tahoma", LayoutFontPoints(variant));
    program.messageBoxSize = MessageBoxSizeForExeName(exeName.view());

    const HWND main = CreateMainWindow(program);
    BuildControls(program, variant);
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
    PostMessageW(main, kAddTipsMessage, 0, 0);
    return program.mainWindow.RunMessageLoop(showCommand);
}
