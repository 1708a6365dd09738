#include "main_window.h"

#include <commctrl.h>

#include <algorithm>
#include <optional>
#include <string>

#include "geometry.h"
#include "handles.h"
#include "host_ide.h"
#include "input_box.h"
#include "layout.h"
#include "option_tips.h"
#include "paths.h"
#include "placement.h"
#include "presets.h"
#include "program_messages.h"
#include "program_state.h"
#include "settings_files.h"
#include "system_command.h"

namespace {

constexpr DWORD kMainStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU;
constexpr DWORD kMainExStyle = WS_EX_DLGMODALFRAME | WS_EX_TOPMOST;
constexpr DWORD kOptionStyle = WS_VISIBLE | WS_TABSTOP | BS_VCENTER | BS_LEFT | BS_AUTORADIOBUTTON;
constexpr DWORD kFirstOptionStyle = kOptionStyle | WS_GROUP; // starts the one group of all options
// Sent to itself, so that the tips are made once the window shows: nobody hovers an option
// before that, and start-up does not wait for them.
constexpr UINT kAddTipsMessage = WM_APP;
constexpr DWORD kPushButtonStyle = WS_VISIBLE | WS_TABSTOP | BS_VCENTER | BS_PUSHBUTTON;

HWND AddControl(const wchar_t* keyword, int id, const wchar_t* text, const LayoutRect& r,
                DWORD style = static_cast<DWORD>(-1)) {
    return Program().mainWindow.AddControl({.keyword = keyword,
                                            .id = id,
                                            .text = text,
                                            .x = r.x,
                                            .y = r.y,
                                            .width = r.width,
                                            .height = r.height,
                                            .style = style});
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

void AddOptions(const std::vector<std::wstring>& presets, const MainLayout& layout) {
    for (std::size_t i = 0; i < presets.size(); ++i)
        AddControl(L"Option", OptionIdOfPreset(static_cast<int>(i) + 1), presets[i].c_str(),
                   layout.presetOptions[i], i == 0 ? kFirstOptionStyle : kOptionStyle);
    AddControl(L"Option", NoPresetOptionId(static_cast<int>(presets.size())), kNoPresetText,
               layout.noPresetOption, presets.empty() ? kFirstOptionStyle : kOptionStyle);
}

void AddButtonsAndGroup(const MainLayout& layout) {
    AddControl(L"Button", kApplyId, L"Apply", layout.apply, kPushButtonStyle);
    AddControl(L"Button", kEditId, L"Edit", layout.edit, kPushButtonStyle);
    AddControl(L"Button", kClearId, L"Clear", layout.clear, kPushButtonStyle);
    AddControl(L"Button", kBuildConfigurationsId, L"Build Configurations...",
               layout.buildConfigurations, kPushButtonStyle);
    AddControl(L"Button", kCompilerSetupId, L"Compiler Setup", layout.compilerSetup,
               kPushButtonStyle);
    AddControl(L"GroupBox", kGroupBoxId, L"Select switches", layout.groupBox);
}

// The checkboxes come first, so that the texts are measured in one of them rather than in a
// control made only for that.
void BuildControls(ProgramState& p, LayoutVariant variant) {
    const auto [consoleRect, exxRect] = CheckboxRects(variant);
    const HWND console = AddControl(L"Checkbox", kConsoleId, L"Console", consoleRect);
    AddControl(L"Checkbox", kExxId, L"-exx", exxRect);
    TickCheckboxesFromMarkers(p.mainWindowHandle, p.programFolder);
    const MainLayout layout = ComputeMainLayout(variant, p.PresetCount(),
                                                MeasureWidestOptionText(console, p.presetTexts));
    AddOptions(p.presetTexts, layout);
    AddButtonsAndGroup(layout);
    SetClientSize(p.mainWindowHandle, layout.clientWidth, layout.clientHeight, p.mainWindow.ratioX,
                  p.mainWindow.ratioY);
}

ScreenPoint WindowTopLeft(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    return {r.left, r.top};
}

BOOL CALLBACK CollectWorkArea(HMONITOR monitor, HDC, LPRECT, LPARAM areas) {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (GetMonitorInfoW(monitor, &info))
        reinterpret_cast<std::vector<ScreenRect>*>(areas)->push_back(ToScreenRect(info.rcWork));
    return TRUE;
}

// A position saved on a monitor that is gone, or one that leaves too little of the caption on
// any work area, would open the window where nobody can take hold of it.
bool CaptionWithinReachAt(HWND window, ScreenPoint at) {
    RECT r{};
    GetWindowRect(window, &r);
    const ScreenRect placed{at.x, at.y, at.x + (r.right - r.left), at.y + (r.bottom - r.top)};
    std::vector<ScreenRect> workAreas;
    EnumDisplayMonitors(nullptr, nullptr, CollectWorkArea, reinterpret_cast<LPARAM>(&workAreas));
    // The window's caption has one button, Close.
    const int buttonWidth = GetSystemMetrics(SM_CXSIZE);
    return CaptionWithinReach(placed, GetSystemMetrics(SM_CYCAPTION), buttonWidth, buttonWidth,
                              workAreas);
}

void PlaceMainWindow(ProgramState& p) {
    const HWND main = p.mainWindowHandle;
    const std::optional<ScreenPoint> stored = LoadStartPosition(p.programFolder);
    if (stored)
        p.start = *stored;
    // SWP_NOACTIVATE: the hidden window is activated when it shows; activating it here too cost
    // start-up several milliseconds under Wine.
    if (stored && CaptionWithinReachAt(main, *stored)) {
        SetWindowPos(main, HWND_TOPMOST, stored->x, stored->y, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
    } else {
        CenterWindow(main, nullptr);
        SetWindowPos(main, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);
    }
    p.lastRestored = WindowTopLeft(main);
}

void SelectStoredPreset(ProgramState& p) {
    const std::wstring stored = ReadStoredSwitches(p.winFbeIniPath);
    p.followedSwitches = {stored, std::nullopt};
    if (const auto match = FindPresetForSwitches(p.followedSwitches.value, p.presetTexts)) {
        SelectOption(p.mainWindowHandle, OptionIdOfPreset(*match));
        return;
    }
    MessageBoxOpenGuard open(p.messageBoxOpen);
    if (!stored.empty())
        ShowProgramMessage(L"No preset match.", BoxCaption::Mwk);
    else
        ShowProgramMessage(L"'CompilerSwitches' in WinFBE.ini is empty.");
    SelectOption(p.mainWindowHandle, p.NoPresetOptionId());
}

HWND CreateMainWindow(ProgramState& p) {
    p.mainWindow.Create({.parent = nullptr,
                         .caption = L"MWK III",
                         .windowProc = MainWindowProc,
                         .style = kMainStyle,
                         .exStyle = kMainExStyle});
    p.mainWindowHandle = p.mainWindow.hWindow;
    return p.mainWindowHandle;
}

// --- Message handlers ---

std::optional<int> SelectedPreset(HWND main, int presetCount) {
    for (int k = 1; k <= presetCount; ++k)
        if (IsChecked(main, OptionIdOfPreset(k)))
            return k;
    return std::nullopt;
}

// True when the command ran to its end and the message goes on to default processing.
bool OnApply(HWND main) {
    ProgramState& p = Program();
    const auto preset = SelectedPreset(main, p.PresetCount());
    if (!preset) {
        MessageBoxOpenGuard open(p.messageBoxOpen);
        ShowProgramMessage(L"No valid radio button has been selected.");
        return false;
    }
    const std::wstring& text = p.presetTexts[*preset - 1];
    const bool console = IsChecked(main, kConsoleId);
    const bool exx = IsChecked(main, kExxId);
    SetMarker(p.programFolder, kConsoleMarker, console);
    SetMarker(p.programFolder, kExxMarker, exx);
    const std::wstring value = ComposeSwitches(text, console, exx);
    if (WriteCompilerSwitches(p.winFbeIniPath, value.c_str()))
        NoteWrittenSwitches(p, value);
    else
        ShowProgramMessage(L"Error1");
    return true;
}

void OnClear(HWND main) {
    ProgramState& p = Program();
    if (WriteCompilerSwitches(p.winFbeIniPath, L""))
        NoteWrittenSwitches(p, L"");
    else
        ShowProgramMessage(L"Error3");
    SelectOption(main, p.NoPresetOptionId());
}

LRESULT OnCommand(HWND main, UINT message, WPARAM wParam, LPARAM lParam) {
    const int id = LOWORD(wParam);
    const bool clicked = HIWORD(wParam) == BN_CLICKED;
    switch (id) {
    case kApplyId:
        if (clicked && !OnApply(main))
            return 0;
        break;
    case kEditId:
        if (clicked && !EditCompilerSwitches(main))
            return -1;
        break;
    case kClearId:
        OnClear(main);
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

bool OnHostWatchTimer(HWND main) {
    ProgramState& p = Program();
    HostWatchContext context{.mainWindow = main,
                             .statusBar = p.statusBar,
                             .winFbeIniPath = p.winFbeIniPath,
                             .presets = p.presetTexts,
                             .messageBoxOpen = p.messageBoxOpen,
                             .lastStatusText = p.lastStatusText,
                             .followedSwitches = p.followedSwitches,
                             .state = p.hostWatch,
                             .ini = p.ini};
    return HostWatchTick(context);
}

// A minimised window reports the system's parking place, not where the user left it.
void SavePosition(HWND main) {
    ProgramState& p = Program();
    const ScreenPoint now = IsIconic(main) ? p.lastRestored : WindowTopLeft(main);
    SaveWindowPosition(p.programFolder, now, p.start);
}

void OnWindowMoved(HWND main) {
    if (!IsIconic(main))
        Program().lastRestored = WindowTopLeft(main);
}

LRESULT HandleMainMessage(HWND main, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        SetTimer(main, kHostWatchTimerId, kHostWatchPeriodMs, nullptr);
        break;
    case WM_TIMER:
        if (wParam == kHostWatchTimerId && OnHostWatchTimer(main))
            return 0;
        break;
    case WM_COMMAND:
        return OnCommand(main, message, wParam, lParam);
    case kAddTipsMessage:
        AddOptionTips(main, Program().PresetCount() + 1, Program().mainWindow.ratioX);
        return 0;
    case WM_NOTIFY:
        if (SupplyOptionTip(*reinterpret_cast<NMHDR*>(lParam)))
            return 0;
        break;
    case WM_WINDOWPOSCHANGED:
        OnWindowMoved(main);
        break;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    case WM_CLOSE:
        SavePosition(main);
        break;
    case WM_SYSCOMMAND:
        if (IsCloseCommand(wParam)) {
            KillTimer(main, kHostWatchTimerId);
            SavePosition(main);
        }
        break;
    default:
        break;
    }
    return DefWindowProcW(main, message, wParam, lParam);
}

} // namespace

int MeasureTextWidth(HWND control, const wchar_t* text) {
    WindowDc dc(control);
    const auto font = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
    SelectedObject selected(dc.get(), font);
    SIZE extent{};
    GetTextExtentPoint32W(dc.get(), text, static_cast<int>(wcslen(text)), &extent);
    return extent.cx;
}

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    try {
        return HandleMainMessage(window, message, wParam, lParam);
    } catch (...) {
        // An exception cannot unwind through the system's dispatcher.
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

int RunApplication(HINSTANCE, HINSTANCE, PWSTR, int showCommand) {
    ProgramState& p = Program();
    p.programFolder = ExePath();
    SetCurrentDirectoryW(p.programFolder.data());
    p.winFbeIniPath = ResolveWinFbeIniPath();

    auto presets = LoadPresetTexts(p.programFolder);
    if (!presets) {
        ShowEarlyMessage(L"MarlwickIII.ini does not exist.", kStyleWarning, 10);
        return 0;
    }
    p.presetTexts = std::move(*presets);

    const DynamicWideString exeName = ExeName();
    const LayoutVariant variant = LayoutVariantForExeName(exeName.view());
    p.mainWindow.SetFont(L"Tahoma", LayoutFontPoints(variant));
    p.messageBoxSize = MessageBoxSizeForExeName(exeName.view());

    const HWND main = CreateMainWindow(p);
    BuildControls(p, variant);
    PlaceMainWindow(p);
    p.statusBar = CreateStatusWindowW(WS_CHILD | WS_VISIBLE, L"", main, kStatusBarId);

    if (!FileExists(p.winFbeIniPath.data())) {
        {
            MessageBoxOpenGuard open(p.messageBoxOpen);
            ShowProgramMessage(L"The given WinFBE ini file does not exist.");
        }
        DestroyWindow(main);
        return 0;
    }
    SelectStoredPreset(p);
    // The IDE may have gone while a start-up box was open; the window is then closed already.
    if (!IsWindow(main))
        return 0;
    PostMessageW(main, kAddTipsMessage, 0, 0);
    return p.mainWindow.RunMessageLoop(showCommand);
}
