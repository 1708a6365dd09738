#include "option_column.h"

#include <algorithm>

#include "control_ids.h"
#include "geometry.h"
#include "handles.h"

namespace {

constexpr wchar_t kNoPresetText[] = L"No preset used";
constexpr DWORD kOptionStyle = WS_VISIBLE | WS_TABSTOP | BS_VCENTER | BS_LEFT | BS_AUTORADIOBUTTON;
constexpr DWORD kFirstOptionStyle = kOptionStyle | WS_GROUP; // starts the one group of all options
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

// Measured in the Console checkbox, which has the window's font, rather than in a control made
// only for that. "No preset used" is measured with the presets: without it a short or empty list
// of presets would leave that option too narrow for its own caption.
MainLayout LayOutOptions(HWND main, LayoutVariant variant,
                         const std::vector<std::wstring>& presets) {
    const HWND console = GetDlgItem(main, kConsoleId);
    int widest = MeasureTextWidth(console, kNoPresetText);
    for (const std::wstring& text : presets)
        widest = std::max(widest, MeasureTextWidth(console, text.c_str()));
    return ComputeMainLayout(variant, static_cast<int>(presets.size()), widest);
}

void AddOptions(WindowObject& window, const std::vector<std::wstring>& presets,
                const MainLayout& layout) {
    for (std::size_t i = 0; i < presets.size(); ++i)
        AddControl(window, L"Option", kFirstOptionId + static_cast<int>(i), presets[i].c_str(),
                   layout.presetOptions[i], i == 0 ? kFirstOptionStyle : kOptionStyle);
    AddControl(window, L"Option", kFirstOptionId + static_cast<int>(presets.size()), kNoPresetText,
               layout.noPresetOption, presets.empty() ? kFirstOptionStyle : kOptionStyle);
}

void SetClientSize(WindowObject& window, const MainLayout& layout) {
    SetClientSize(window.hWindow, layout.clientWidth, layout.clientHeight, window.ratioX,
                  window.ratioY);
}

// New options come after the checkboxes, as at start-up: the order of the controls is the tab
// order, and the group box must lie behind the options.
void PutOptionsAfterCheckboxes(HWND main, int optionCount) {
    HWND previous = GetDlgItem(main, kExxId);
    for (int id = kFirstOptionId; id < kFirstOptionId + optionCount; ++id) {
        const HWND option = GetDlgItem(main, id);
        SetWindowPos(option, previous, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        previous = option;
    }
}

} // namespace

// The checkboxes come first: the options are measured in one of them.
void BuildMainControls(WindowObject& window, LayoutVariant variant,
                       const std::vector<std::wstring>& presets, bool console, bool exx) {
    const auto [consoleRect, exxRect] = CheckboxRects(variant);
    AddControl(window, L"Checkbox", kConsoleId, L"Console", consoleRect);
    AddControl(window, L"Checkbox", kExxId, L"-exx", exxRect);
    if (console)
        SendDlgItemMessageW(window.hWindow, kConsoleId, BM_SETCHECK, BST_CHECKED, 0);
    if (exx)
        SendDlgItemMessageW(window.hWindow, kExxId, BM_SETCHECK, BST_CHECKED, 0);
    const MainLayout layout = LayOutOptions(window.hWindow, variant, presets);
    AddOptions(window, presets, layout);
    for (const ControlBelowOptions& control : kBelowOptions)
        AddControl(window, control.keyword, control.id, control.text, layout.*control.rect,
                   control.style);
    SetClientSize(window, layout);
}

void ReplaceOptions(WindowObject& window, LayoutVariant variant, int optionCount,
                    const std::vector<std::wstring>& presets, HWND statusBar) {
    const HWND main = window.hWindow;
    for (int id = kFirstOptionId; id < kFirstOptionId + optionCount; ++id)
        DestroyWindow(GetDlgItem(main, id));
    const MainLayout layout = LayOutOptions(main, variant, presets);
    AddOptions(window, presets, layout);
    PutOptionsAfterCheckboxes(main, static_cast<int>(presets.size()) + 1);
    for (const ControlBelowOptions& control : kBelowOptions) {
        const LayoutRect& r = layout.*control.rect;
        window.SetWindowPosScaled(GetDlgItem(main, control.id), r.x, r.y, r.width, r.height);
    }
    SetClientSize(window, layout);
    SendMessageW(statusBar, WM_SIZE, 0, 0); // to the new bottom
    RedrawWindow(main, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void SelectOption(HWND main, int optionCount, int option) {
    CheckRadioButton(main, kFirstOptionId, kFirstOptionId + optionCount - 1,
                     kFirstOptionId + option - 1);
}

namespace {

bool IsChecked(HWND main, int id) {
    return SendDlgItemMessageW(main, id, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

} // namespace

Checkboxes TicksShown(HWND main) {
    return {IsChecked(main, kConsoleId), IsChecked(main, kExxId)};
}

void SetTicksShown(HWND main, Checkboxes ticks) {
    for (const auto& [id, ticked] : {std::pair{kConsoleId, ticks.console}, {kExxId, ticks.exx}})
        SendDlgItemMessageW(main, id, BM_SETCHECK, ticked ? BST_CHECKED : BST_UNCHECKED, 0);
}

int CheckedPreset(HWND main, int optionCount) {
    for (int option = 1; option < optionCount; ++option)
        if (IsChecked(main, kFirstOptionId + option - 1))
            return option;
    return optionCount;
}
