#include "box_window.h"

#include <algorithm>

#include "box_layout.h"
#include "disabled_windows.h"
#include "handles.h"
#include "placement.h"
#include "window_context.h"
#include "work_areas.h"

extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace dlgmsgbox {
namespace {

constexpr wchar_t kClassName[] = L"DlgMsgBoxWindow";
constexpr int kTextId = 100;
constexpr UINT kTextFormat = DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX;
constexpr DWORD kBoxStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU;
constexpr int kUser32OkString = 800; // the system's own "OK", in the user's language
constexpr int kIconPixelsAt96 = 32;

HINSTANCE ThisModule() {
    return reinterpret_cast<HINSTANCE>(&__ImageBase);
}

// A window class registered for the life of one box. A box opened while another is up finds
// the class already there and leaves its removal to the outer one.
class ClassRegistration {
  public:
    explicit ClassRegistration(const WNDCLASSEXW& windowClass)
        : instance_(windowClass.hInstance), name_(windowClass.lpszClassName),
          owned_(RegisterClassExW(&windowClass) != 0) {}
    ClassRegistration(const ClassRegistration&) = delete;
    ClassRegistration& operator=(const ClassRegistration&) = delete;
    ~ClassRegistration() {
        if (owned_)
            UnregisterClassW(name_, instance_);
    }

  private:
    HINSTANCE instance_;
    const wchar_t* name_;
    bool owned_;
};

// Everything the box draws with, measured and laid out before its window exists.
struct BoxParts {
    UniqueFont textFont;
    UniqueFont buttonFont;
    UniqueBrush panelBrush;
    UniqueIcon ownIcon;
    HICON icon = nullptr;
    wchar_t okText[64] = L"OK";
    int dpi = 96;
    BoxLayout layout;
};

// What the window procedure reads and writes while the box is up.
struct BoxState {
    const BoxParts* parts = nullptr;
    COLORREF colour = 0;
    HWND window = nullptr;
    bool dismissed = false;
};

struct LoopEnd {
    bool quit = false;
    int exitCode = 0;
};

RECT ToRect(const BoxRect& r) {
    return {r.left, r.top, r.right, r.bottom};
}

UniqueFont MakeFont(const wchar_t* face, int points, int dpi) {
    LOGFONTW font{};
    font.lfHeight = FontHeight(EffectivePoints(points), dpi);
    font.lfWeight = FW_NORMAL;
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfQuality = CLEARTYPE_QUALITY;
    lstrcpynW(font.lfFaceName, face, LF_FACESIZE);
    return UniqueFont(CreateFontIndirectW(&font));
}

BoxSize MeasureText(HDC dc, HFONT font, const wchar_t* text, int maxWidth) {
    SelectedObject selected(dc, font);
    RECT bounds{0, 0, maxWidth, 0};
    DrawTextW(dc, text, -1, &bounds, DT_CALCRECT | kTextFormat);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    return {static_cast<int>(bounds.right),
            std::max(static_cast<int>(bounds.bottom), static_cast<int>(metrics.tmHeight))};
}

int CaptionWidth(HDC dc, const wchar_t* caption) {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0))
        return 0;
    const UniqueFont font(CreateFontIndirectW(&metrics.lfCaptionFont));
    SelectedObject selected(dc, font.get());
    SIZE extent{};
    GetTextExtentPoint32W(dc, caption, lstrlenW(caption), &extent);
    // Room for the close button and the frame's margins beside the caption text.
    return extent.cx + 2 * GetSystemMetrics(SM_CXSIZE);
}

// The system icon a style names, or none. The icon values share bits (MB_ICONEXCLAMATION holds
// those of MB_ICONHAND and MB_ICONQUESTION), so the whole field is compared.
const wchar_t* SystemIconFor(UINT style) {
    switch (style & MB_ICONMASK) {
    case MB_ICONHAND:
        return IDI_HAND;
    case MB_ICONQUESTION:
        return IDI_QUESTION;
    case MB_ICONEXCLAMATION:
        return IDI_EXCLAMATION;
    case MB_ICONASTERISK:
        return IDI_ASTERISK;
    default:
        return nullptr;
    }
}

void LoadBoxIcon(BoxParts& parts, const wchar_t* name, int size) {
    parts.ownIcon.reset(
        static_cast<HICON>(LoadImageW(nullptr, name, IMAGE_ICON, size, size, LR_DEFAULTCOLOR)));
    parts.icon = parts.ownIcon ? parts.ownIcon.get() : LoadIconW(nullptr, name);
}

void LoadOkText(BoxParts& parts) {
    wchar_t text[64] = {};
    if (LoadStringW(GetModuleHandleW(L"user32.dll"), kUser32OkString, text, 64) > 0)
        lstrcpynW(parts.okText, text, 64);
}

HMONITOR MonitorFor(HWND owner) {
    return owner ? MonitorFromWindow(owner, MONITOR_DEFAULTTONEAREST)
                 : MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY);
}

void PrepareParts(BoxParts& parts, const BoxRequest& request, HWND owner) {
    const WindowDc screen(nullptr);
    parts.dpi = GetDeviceCaps(screen.get(), LOGPIXELSY);
    parts.textFont = MakeFont(request.fontFace, request.fontPoints, parts.dpi);
    parts.buttonFont = MakeFont(request.fontFace, request.buttonPoints, parts.dpi);
    parts.panelBrush.reset(CreateSolidBrush(request.colour));
    LoadOkText(parts);

    BoxMetrics metrics;
    metrics.dpi = parts.dpi;
    if (const wchar_t* icon = SystemIconFor(request.style)) {
        metrics.iconSize = ScaleToDpi(kIconPixelsAt96, parts.dpi);
        LoadBoxIcon(parts, icon, metrics.iconSize);
    }
    const int maxWidth = MaxTextWidth(WorkAreaOf(MonitorFor(owner)).Width(), parts.dpi);
    metrics.text = MeasureText(screen.get(), parts.textFont.get(), request.text, maxWidth);
    metrics.buttonText = MeasureText(screen.get(), parts.buttonFont.get(), parts.okText, maxWidth);
    metrics.captionWidth = CaptionWidth(screen.get(), request.caption);
    parts.layout = LayOutBox(metrics);
}

BoxRect AnchorFor(HWND owner, const BoxRect& workArea) {
    RECT ownerRect{};
    if (owner && IsWindowVisible(owner) && !IsIconic(owner) && GetWindowRect(owner, &ownerRect))
        return ToScreenRect(ownerRect);
    return workArea;
}

void Dismiss(BoxState& state) {
    state.dismissed = true;
    // Wakes the loop when the dismissal arrived as a sent message, which GetMessage absorbs.
    PostMessageW(state.window, WM_NULL, 0, 0);
}

LRESULT OnCommand(BoxState& state, int id) {
    if (id == IDOK || id == IDCANCEL)
        Dismiss(state);
    return 0;
}

LRESULT OnPaint(const BoxState& state, HWND window) {
    PAINTSTRUCT paint{};
    const HDC dc = BeginPaint(window, &paint);
    const BoxLayout& layout = state.parts->layout;
    const RECT panel = ToRect(layout.panel);
    FillRect(dc, &panel, state.parts->panelBrush.get());
    RECT strip{};
    GetClientRect(window, &strip);
    strip.top = panel.bottom;
    FillRect(dc, &strip, GetSysColorBrush(COLOR_BTNFACE));
    if (state.parts->icon)
        DrawIconEx(dc, layout.icon.left, layout.icon.top, state.parts->icon, layout.icon.Width(),
                   layout.icon.Height(), 0, nullptr, DI_NORMAL);
    EndPaint(window, &paint);
    return 0;
}

LRESULT OnCtlColorStatic(const BoxState& state, HDC dc) {
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    SetBkColor(dc, state.colour);
    return reinterpret_cast<LRESULT>(state.parts->panelBrush.get());
}

LRESULT OnNcDestroy(BoxState& state, HWND window) {
    // The owner's destruction takes the box with it; the loop must then end too.
    state.window = nullptr;
    state.dismissed = true;
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    return DefWindowProcW(window, WM_NCDESTROY, 0, 0);
}

LRESULT CALLBACK BoxProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* state = BoundObject<BoxState>(window, message, lParam);
    if (!state)
        return DefWindowProcW(window, message, wParam, lParam);
    switch (message) {
    case WM_COMMAND:
        return OnCommand(*state, LOWORD(wParam));
    case WM_CLOSE:
        Dismiss(*state);
        return 0;
    case WM_PAINT:
        return OnPaint(*state, window);
    case WM_CTLCOLORSTATIC:
        return OnCtlColorStatic(*state, reinterpret_cast<HDC>(wParam));
    case WM_NCDESTROY:
        return OnNcDestroy(*state, window);
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

WNDCLASSEXW BoxClass() {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = BoxProc;
    windowClass.hInstance = ThisModule();
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.lpszClassName = kClassName;
    return windowClass;
}

DWORD ExStyleFor(HWND owner) {
    DWORD exStyle = WS_EX_DLGMODALFRAME;
    // An owner in the topmost band would otherwise hide the box it owns.
    if (owner && (GetWindowLongPtrW(owner, GWL_EXSTYLE) & WS_EX_TOPMOST))
        exStyle |= WS_EX_TOPMOST;
    return exStyle;
}

HWND AddChild(HWND parent, const wchar_t* className, const wchar_t* text, DWORD style, int id,
              const BoxRect& where, HFONT font) {
    const HWND child =
        CreateWindowExW(0, className, text, WS_CHILD | WS_VISIBLE | style, where.left, where.top,
                        where.Width(), where.Height(), parent,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), ThisModule(), nullptr);
    SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return child;
}

HWND CreateBox(const BoxRequest& request, BoxState& state, HWND owner) {
    const BoxParts& parts = *state.parts;
    const DWORD exStyle = ExStyleFor(owner);
    RECT frame{0, 0, parts.layout.client.width, parts.layout.client.height};
    AdjustWindowRectEx(&frame, kBoxStyle, FALSE, exStyle);
    const BoxSize size{frame.right - frame.left, frame.bottom - frame.top};
    const BoxRect workArea = WorkAreaOf(MonitorFor(owner));
    const BoxPoint at =
        CentredPosition({0, 0, size.width, size.height}, AnchorFor(owner, workArea), workArea);

    const HWND window =
        CreateWindowExW(exStyle, kClassName, request.caption, kBoxStyle, at.x, at.y, size.width,
                        size.height, owner, nullptr, ThisModule(), &state);
    if (!window)
        return nullptr;
    state.window = window;
    AddChild(window, L"STATIC", request.text, SS_LEFT | SS_NOPREFIX, kTextId, parts.layout.text,
             parts.textFont.get());
    AddChild(window, L"BUTTON", parts.okText, WS_TABSTOP | BS_DEFPUSHBUTTON, IDOK,
             parts.layout.button, parts.buttonFont.get());
    return window;
}

bool IsDismissKey(HWND box, const MSG& message) {
    if (message.message != WM_KEYDOWN ||
        (message.wParam != VK_RETURN && message.wParam != VK_ESCAPE))
        return false;
    return message.hwnd == box || IsChild(box, message.hwnd);
}

// Dispatches every message of the thread, so the caller's windows and timers keep working.
LoopEnd RunBoxLoop(BoxState& state) {
    MSG message{};
    while (!state.dismissed) {
        const BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got == 0)
            return {true, static_cast<int>(message.wParam)};
        if (got < 0)
            break;
        if (IsDismissKey(state.window, message)) {
            state.dismissed = true;
            continue;
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return {};
}

HWND RootOwner(HWND owner) {
    return owner && IsWindow(owner) ? GetAncestor(owner, GA_ROOT) : nullptr;
}

} // namespace

void ShowBox(const BoxRequest& request) {
    const HWND owner = RootOwner(request.owner);
    BoxParts parts;
    PrepareParts(parts, request, owner);
    const ClassRegistration registration(BoxClass());
    BoxState state;
    state.parts = &parts;
    state.colour = request.colour;
    const HWND window = CreateBox(request, state, owner);
    if (!window) {
        MessageBoxW(owner, request.text, request.caption, request.style);
        return;
    }
    LoopEnd end;
    {
        const DisabledWindows disabled(window, owner, (request.style & MB_TASKMODAL) != 0);
        ShowWindow(window, SW_SHOWNORMAL);
        SetForegroundWindow(window);
        SetFocus(GetDlgItem(window, IDOK));
        end = RunBoxLoop(state);
    }
    if (state.window)
        DestroyWindow(state.window);
    if (end.quit)
        PostQuitMessage(end.exitCode);
}

} // namespace dlgmsgbox
