#include <gtest/gtest.h>

#include <string>

#include "show_message.h"

namespace {

// What the library would have received, copied out while the call is on.
struct RecordedCall {
    int calls = 0;
    HWND owner = nullptr;
    std::wstring text;
    std::wstring caption;
    std::int32_t style = -1;
    std::int32_t fifth = -1;
    std::wstring fontFace;
    std::int32_t fontSize = -1;
    std::int32_t eighth = -1;
    std::int32_t colour = -1;
    bool flagRaisedDuringCall = false;
};

RecordedCall recorded;
bool* watchedFlag = nullptr;

std::int32_t __stdcall RecordCall(HWND* owner, const wchar_t* text, const wchar_t* caption,
                                  const std::int32_t* style, const std::int32_t* fifth,
                                  const wchar_t* fontFace, const std::int32_t* fontSize,
                                  const std::int32_t* eighth, const std::int32_t* colour) {
    ++recorded.calls;
    recorded.owner = *owner;
    recorded.text = text;
    recorded.caption = caption;
    recorded.style = *style;
    recorded.fifth = *fifth;
    recorded.fontFace = fontFace;
    recorded.fontSize = *fontSize;
    recorded.eighth = *eighth;
    recorded.colour = *colour;
    recorded.flagRaisedDuringCall = watchedFlag && *watchedFlag;
    return IDOK;
}

struct AdapterCase {
    const char* situation;
    MessageRequest request;
};

HWND FakeMainWindow() {
    return reinterpret_cast<HWND>(static_cast<INT_PTR>(0x1234));
}

TEST(MessageAdapter, HandsTheLibraryExactlyTheNineValues) {
    const AdapterCase cases[] = {
        {"second instance, before any window",
         {nullptr, L"Marlwick is already running.", L"MWK III", kStyleWarning, 10}},
        {"mutex failure with the unset size",
         {nullptr, L"Mutex Create failed with error code5", L"MWK III", kStylePlain, 0}},
        {"unmatched preset, size from the name",
         {FakeMainWindow(), L"No preset match.", L"MWK", kStyleWarning, 12}},
        {"failed write", {FakeMainWindow(), L"Error1", L"MWK III", kStyleWarning, 15}},
    };
    for (const auto& c : cases) {
        recorded = {};
        ShowMessage(c.request, &RecordCall);
        SCOPED_TRACE(c.situation);
        EXPECT_EQ(recorded.calls, 1) << "one message should make one call";
        EXPECT_EQ(recorded.owner, c.request.owner) << "argument 1, the owner handle";
        EXPECT_EQ(recorded.text, c.request.text) << "argument 2, the text";
        EXPECT_EQ(recorded.caption, c.request.caption) << "argument 3, the caption";
        EXPECT_EQ(recorded.style, c.request.style) << "argument 4, the style";
        EXPECT_EQ(recorded.fifth, 10) << "argument 5 is always 10";
        EXPECT_EQ(recorded.fontFace, L"Segoe UI") << "argument 6, the font face";
        EXPECT_EQ(recorded.fontSize, c.request.fontSize) << "argument 7, the font size";
        EXPECT_EQ(recorded.eighth, 0) << "argument 8 is always 0";
        EXPECT_EQ(recorded.colour, 0x98D3FF) << "argument 9, the colour (red 255, green 211, "
                                                "blue 152)";
    }
}

TEST(MessageAdapter, TheOpenFlagIsUpDuringTheCallAndDownAfter) {
    bool messageBoxOpen = false;
    watchedFlag = &messageBoxOpen;
    recorded = {};
    {
        const MessageBoxOpenGuard guard(messageBoxOpen);
        ShowMessage({nullptr, L"No valid radio button has been selected."}, &RecordCall);
    }
    watchedFlag = nullptr;
    EXPECT_TRUE(recorded.flagRaisedDuringCall) << "messageBoxOpen was down while the box was up";
    EXPECT_FALSE(messageBoxOpen) << "messageBoxOpen stayed up after the box returned";
}

} // namespace
