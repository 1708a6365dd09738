#include "option_tips.h"

#include <commctrl.h>

#include "control_ids.h"
#include "scaling.h"

namespace {

// Long values wrap at their blanks beyond this width (unscaled units).
constexpr int kTipWidth = 320;

} // namespace

HWND AddOptionTips(HWND main, int optionCount, float ratio) {
    // Topmost but owned by nobody: under Wine a tip window owned by the main window kept that
    // window from entering the topmost band again once it had left it.
    const HWND tips = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                                      WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                                      CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr,
                                      GetModuleHandleW(nullptr), nullptr);
    const HWND firstOption = GetDlgItem(main, kFirstOptionId);
    SendMessageW(tips, WM_SETFONT, SendMessageW(firstOption, WM_GETFONT, 0, 0), FALSE);
    SendMessageW(tips, TTM_SETMAXTIPWIDTH, 0, ScaleValue(kTipWidth, ratio));
    for (int id = kFirstOptionId; id < kFirstOptionId + optionCount; ++id) {
        TOOLINFOW tool{};
        tool.cbSize = sizeof tool;
        tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        tool.hwnd = main;
        tool.uId = reinterpret_cast<UINT_PTR>(GetDlgItem(main, id));
        tool.lpszText = LPSTR_TEXTCALLBACKW;
        SendMessageW(tips, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }
    return tips;
}
