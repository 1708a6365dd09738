#include "window_object.h"

#include <commctrl.h>

#include <cwchar>
#include <string>

#include "loaded_library.h"
#include "scaling.h"
#include "wide_string.h"

static_assert(kUseDefaultPosition == static_cast<int>(CW_USEDEFAULT));

namespace {

// Numbers the classes "FBWindowClass:0", ":1", ... across the whole process.
unsigned ClassCounter = 0;

template <std::size_t Units> void CopyTruncated(wchar_t (&target)[Units], const wchar_t* source) {
    std::wcsncpy(target, source, Units - 1);
    target[Units - 1] = L'\0';
}

using RtlGetVersionFunction = LONG(WINAPI*)(OSVERSIONINFOEXW*);
using IsProcessDpiAwareFunction = BOOL(WINAPI*)();

int ScreenDeviceCaps(int index) {
    const WindowDc screen(nullptr);
    return GetDeviceCaps(screen.get(), index);
}

} // namespace

int OsVersion() {
    const LoadedLibrary ntdll(L"NtDll.dll");
    const auto rtlGetVersion = ntdll.Find<RtlGetVersionFunction>("RtlGetVersion");
    if (!rtlGetVersion)
        return 0;
    OSVERSIONINFOEXW info{};
    info.dwOSVersionInfoSize = sizeof(info);
    if (rtlGetVersion(&info) != 0)
        return 0;
    return NearestEven((info.dwMajorVersion + info.dwMinorVersion / 100.0) * 100.0);
}

bool IsDpiAwareProcess() {
    const LoadedLibrary user32(L"user32.dll");
    const auto isAware = user32.Find<IsProcessDpiAwareFunction>("IsProcessDPIAware");
    return isAware && isAware() != FALSE;
}

// Each object asks once: both questions load a system library to answer.
WindowObject::WindowObject() : hInstance(GetModuleHandleW(nullptr)) {
    const bool dpiAware = IsDpiAwareProcess();
    SetDpi(dpiAware ? -1.0f : 96.0f);
    const bool modernFont = dpiAware && OsVersion() >= 600;
    CopyTruncated(fontName_, modernFont ? L"Segoe UI" : L"Tahoma");
    fontSize_ = modernFont ? 9 : 8;
    const INITCOMMONCONTROLSEX classes{sizeof(INITCOMMONCONTROLSEX), 0x7FFF};
    InitCommonControlsEx(&classes);
}

WindowObject::~WindowObject() {
    hFont_.reset();
    hAccel_.reset();
    if (className_[0] != L'\0')
        UnregisterClassW(className_, hInstance);
    hRichEditLib_.reset();
    accelEntries_.clear();
}

void WindowObject::SetDpi(float requested) {
    dpi = NearestEven(requested);
    if (dpi < 0) {
        dpi = ScreenDeviceCaps(LOGPIXELSX);
        requested = static_cast<float>(dpi);
    }
    ratioX = requested / 96.0f;
    ratioY = ratioX;
}

HFONT WindowObject::MakeFont(const wchar_t* face, int points, int weight, bool italic,
                             bool underline, bool strikeOut, BYTE charSet) const {
    LOGFONTW font{};
    CopyTruncated(font.lfFaceName, face && face[0] != L'\0' ? face : fontName_);
    const WindowDc screen(nullptr);
    const int pixelsPerInch = GetDeviceCaps(screen.get(), LOGPIXELSY);
    const int scaledPoints =
        pixelsPerInch != 0 ? static_cast<int>(static_cast<long long>(points) * dpi / pixelsPerInch)
                           : 0;
    font.lfHeight = -MulDiv(scaledPoints, pixelsPerInch, 72);
    font.lfWeight = weight;
    font.lfItalic = italic;
    font.lfUnderline = underline;
    font.lfStrikeOut = strikeOut;
    font.lfCharSet = charSet;
    font.lfOutPrecision = OUT_TT_PRECIS;
    return CreateFontIndirectW(&font);
}

bool WindowObject::SetFont(const wchar_t* face, int points, int weight, bool italic, bool underline,
                           bool strikeOut, BYTE charSet) {
    wchar_t faceName[32];
    CopyTruncated(faceName, face && face[0] != L'\0' ? face : fontName_);
    UniqueFont made(MakeFont(faceName, points, weight, italic, underline, strikeOut, charSet));
    if (!made)
        return false;
    hFont_ = std::move(made);
    CopyTruncated(fontName_, faceName);
    fontSize_ = points;
    return true;
}

bool WindowObject::RegisterWindowClass(WNDPROC windowProc) {
    std::wstring name = className_;
    if (name.empty())
        name = L"FBWindowClass:" + DecimalText(ClassCounter);
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
    windowClass.lpfnWndProc = windowProc;
    windowClass.hInstance = hInstance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = name.c_str();
    classAtom_ = RegisterClassExW(&windowClass);
    if (classAtom_ == 0)
        return false;
    ++ClassCounter;
    return true;
}

HWND WindowObject::Create(const WindowSpec& spec) {
    if (hWindow || !RegisterWindowClass(spec.windowProc))
        return nullptr;
    if (!hFont_)
        hFont_.reset(
            MakeFont(fontName_, fontSize_, FW_NORMAL, false, false, false, DEFAULT_CHARSET));
    hWindow = CreateWindowExW(
        spec.exStyle, MAKEINTATOM(classAtom_), spec.caption, spec.style,
        ScaleUnlessDefault(spec.x, ratioX), ScaleUnlessDefault(spec.y, ratioY),
        ScaleUnlessDefault(spec.width, ratioX), ScaleUnlessDefault(spec.height, ratioY),
        spec.parent, nullptr, hInstance, spec.context);
    if (!hWindow)
        return nullptr;
    GetClassNameW(hWindow, className_, static_cast<int>(std::size(className_)));
    if (hFont_)
        SendMessageW(hWindow, WM_SETFONT, reinterpret_cast<WPARAM>(hFont_.get()), 0);
    return hWindow;
}
