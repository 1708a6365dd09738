// The Edit command: its input box, what confirming or leaving it writes, and the selection that
// follows the new value.
#include "harness.h"

#include <gtest/gtest.h>

namespace e2e {
namespace {

// The system's own word for a button, as the Edit box is meant to show it.
std::wstring SystemButtonText(UINT id, const wchar_t* fallback) {
    wchar_t text[260] = {};
    const int length = LoadStringW(GetModuleHandleW(L"user32.dll"), id, text, 260);
    return length > 0 ? L"&" + std::wstring(text) : std::wstring(fallback);
}

// Confirms the box with OK and waits until the value has been written.
bool ConfirmWith(Session& session, HWND box, const std::wstring& text) {
    SetText(GetDlgItem(box, kEditFieldId), text);
    ClickControl(box, IDOK);
    return WaitUntil([&] { return session.StoredSwitches() == text; });
}

TEST(EditBox, ShowsTheStoredValueSelectedWithItsPromptAndButtonsAndDisablesTheMainWindow) {
    Session session;
    ASSERT_TRUE(session.Launch());
    const HWND box = session.OpenEditBox();
    ASSERT_NE(box, nullptr) << "no visible \"MWK III - Edit\" box after Edit";
    const HWND field = GetDlgItem(box, kEditFieldId);
    const std::wstring stored = L"-w all -fpmode fast -fpu sse -gen gcc -O 2";

    EXPECT_EQ(WindowText(field), stored);
    EXPECT_EQ(Send(field, EM_GETSEL).value_or(0), MAKELONG(0, stored.size()))
        << "the whole value is not selected";
    const std::vector<std::wstring> texts = ChildTexts(box);
    EXPECT_NE(
        std::find(texts.begin(), texts.end(), L"Additional compiler option switches (optional)"),
        texts.end())
        << "the prompt is missing";
    EXPECT_EQ(WindowText(GetDlgItem(box, IDOK)), SystemButtonText(800, L"&Ok"));
    EXPECT_EQ(WindowText(GetDlgItem(box, IDCANCEL)), SystemButtonText(801, L"&Cancel"));
    EXPECT_EQ(GetWindow(box, GW_OWNER), session.Main())
        << "the box is not owned by the main window";
    EXPECT_FALSE(IsWindowEnabled(session.Main())) << "the main window takes input under the box";

    ASSERT_TRUE(ClickControl(box, IDCANCEL));
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(box) && IsWindowEnabled(session.Main()); }))
        << "Cancel did not close the box and enable the main window again";
}

struct ConfirmCase {
    const char* name;
    const wchar_t* typed;
    int selected;
};

class EditConfirm : public ::testing::TestWithParam<ConfirmCase> {};

TEST_P(EditConfirm, WritesWhatTheFieldHoldsAndSelectsThePresetItMatches) {
    Session session;
    ASSERT_TRUE(session.Launch());
    ASSERT_TRUE(ClickControl(session.Main(), 1004));
    const HWND box = session.OpenEditBox();
    ASSERT_NE(box, nullptr);

    ASSERT_TRUE(ConfirmWith(session, box, GetParam().typed))
        << "OK did not store \"" << Narrow(GetParam().typed) << "\"; CompilerSwitches is \""
        << Narrow(session.StoredSwitches().value_or(L"(missing)")) << "\"";
    EXPECT_TRUE(WaitUntil([&] {
        return CheckedOptions(session.Main()) == std::vector<int>{GetParam().selected};
    })) << "the selection did not follow the new value";
    EXPECT_TRUE(session.Boxes().empty()) << DescribeBoxes(session.Boxes());
}

INSTANTIATE_TEST_SUITE_P(
    Values, EditConfirm,
    ::testing::Values(
        ConfirmCase{"UnchangedValueReselectsItsPreset",
                    L"-w all -fpmode fast -fpu sse -gen gcc -O 2", 1001},
        ConfirmCase{"ComposedClangValue",
                    L"-asm att -exx -w all -fpmode fast -fpu sse -arch native -gen clang -O 2",
                    1003},
        ConfirmCase{"HandWrittenValue", L"-w all -gen gcc -O 2 -Wc -march=native",
                    kNoPresetUsedId}),
    [](const auto& info) { return std::string(info.param.name); });

enum class Leave { Cancel, Escape, CloseButton, OkOnEmptyField };

struct LeaveCase {
    const char* name;
    Leave how;
};

class EditLeave : public ::testing::TestWithParam<LeaveCase> {};

TEST_P(EditLeave, WritesNothingAndKeepsTheSelection) {
    Session session;
    ASSERT_TRUE(session.Launch());
    ASSERT_TRUE(ClickControl(session.Main(), 1002));
    const HWND box = session.OpenEditBox();
    ASSERT_NE(box, nullptr);
    const HWND field = GetDlgItem(box, kEditFieldId);

    switch (GetParam().how) {
    case Leave::Cancel:
        SetText(field, L"-typed but cancelled");
        ClickControl(box, IDCANCEL);
        break;
    case Leave::Escape:
        SetText(field, L"-typed but escaped");
        PostEscape(field);
        break;
    case Leave::CloseButton:
        SetText(field, L"-typed but closed");
        PostMessageW(box, WM_SYSCOMMAND, SC_CLOSE, 0);
        break;
    case Leave::OkOnEmptyField:
        SetText(field, L"");
        ClickControl(box, IDOK);
        break;
    }
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(box); })) << "the box did not close";
    ASSERT_TRUE(session.WaitForTick()) << "the main window did not tick after the box closed";

    EXPECT_EQ(session.StoredSwitches(),
              std::wstring(L"-w all -fpmode fast -fpu sse -gen gcc -O 2"));
    EXPECT_EQ(CheckedOptions(session.Main()), std::vector<int>{1002});
    EXPECT_TRUE(IsWindowEnabled(session.Main()));
}

INSTANTIATE_TEST_SUITE_P(Ways, EditLeave,
                         ::testing::Values(LeaveCase{"Cancel", Leave::Cancel},
                                           LeaveCase{"Escape", Leave::Escape},
                                           LeaveCase{"CloseButton", Leave::CloseButton},
                                           LeaveCase{"OkOnEmptyField", Leave::OkOnEmptyField}),
                         [](const auto& info) { return std::string(info.param.name); });

std::string LongValue(std::size_t length) {
    std::string value = "-gen gcc -O 2";
    for (int n = 0; value.size() < length; ++n)
        value += " -d SYMBOL" + std::to_string(n);
    value.resize(length);
    value.back() = 'Z';
    return value;
}

TEST(EditLongValue, ShowsAValueOf300CharactersWholeAndOkKeepsItWhole) {
    const std::string stored = LongValue(300);
    Scenario setup;
    setup.winFbeIni = WinFbeIniText(stored, kToolchainPath);
    Session session(setup);
    ASSERT_TRUE(session.Launch());
    const HWND box = session.OpenEditBox();
    ASSERT_NE(box, nullptr);
    const HWND field = GetDlgItem(box, kEditFieldId);

    EXPECT_EQ(Narrow(WindowText(field)), stored) << "the field does not show the whole value";
    EXPECT_GE(Send(field, EM_GETLIMITTEXT).value_or(0), 2048)
        << "the field does not accept 2048 characters";
    ClickControl(box, IDOK);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(box); }));
    ASSERT_TRUE(session.WaitForTick());

    EXPECT_EQ(Narrow(session.StoredSwitches().value_or(L"")), stored)
        << "OK on the unchanged value shortened it";
    EXPECT_EQ(CheckedOptions(session.Main()), std::vector<int>{kNoPresetUsedId});
}

TEST(EditLongValue, StoresATypedValueOf2000CharactersExactly) {
    Session session;
    ASSERT_TRUE(session.Launch());
    const HWND box = session.OpenEditBox();
    ASSERT_NE(box, nullptr);
    const std::string typed = LongValue(2000);

    ASSERT_TRUE(ConfirmWith(session, box, std::wstring(typed.begin(), typed.end())))
        << "CompilerSwitches holds " << session.StoredSwitches().value_or(L"").size()
        << " characters instead of the 2000 typed";
    EXPECT_TRUE(WaitUntil(
        [&] { return CheckedOptions(session.Main()) == std::vector<int>{kNoPresetUsedId}; }));
}

} // namespace
} // namespace e2e
