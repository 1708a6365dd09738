// The session model over generated sessions: every promise it makes, checked after every step of
// thousands of stories of the user, the IDE, an editor and the clock.
#include <gtest/gtest.h>

#include <algorithm>
#include <utility>
#include <variant>

#include "preset_file.h"
#include "presets.h"
#include "session.h"
#include "session_world.h"
#include "stored_value.h"

namespace {

// The shortest story found by leaving out one happening at a time while the failure stays.
Story Shortened(Story story) {
    for (std::size_t i = 0; i < story.size();) {
        Story without = story;
        without.erase(without.begin() + static_cast<std::ptrdiff_t>(i));
        if (Play(without).empty())
            ++i;
        else
            story = std::move(without);
    }
    return story;
}

TEST(Session, KeepsItsPromisesOverGeneratedSessions) {
    std::mt19937 random(20261207);
    for (int i = 0; i < 3000; ++i) {
        const Story story = RandomStory(random, 40);
        if (Play(story).empty())
            continue;
        const Story shortest = Shortened(story);
        FAIL() << Play(shortest) << "\n  story: " << Describe(shortest);
    }
}

// Some forty own writes, then as many undos: the newest 32 come back in turn, and then there is
// nothing left.
TEST(Session, UndoWalksBackThirtyTwoOwnWritesNewestFirst) {
    Story story;
    for (std::uint8_t k = 0; k < 50; ++k)
        story.insert(story.end(), {{Happening::Pick, k}, {Happening::Apply, k}});
    story.insert(story.end(), 50, {Happening::Undo, 0});
    EXPECT_EQ(Play(story), "");
}

// The IDE's ANSI code page, lacking every character beyond U+00FF; 511 bytes of it read.
std::wstring Latin1Trip(std::wstring_view value, std::size_t maxBytes) {
    std::wstring read(value.substr(0, maxBytes));
    std::replace_if(
        read.begin(), read.end(), [](wchar_t c) { return c > 0xFF; }, L'?');
    return read;
}

// A UTF-16 WinFBE.ini holds the value whole; the IDE's narrow read sees its code-page trip.
StoredNow StoredWhole(const std::wstring& whole) {
    return {{Latin1Trip(whole, 511), L"", L""}, whole};
}

const std::vector<std::wstring> kPresets = {L"-gen gas", L"-gen gcc", L"-gen clang"};
constexpr wchar_t kPrefix[] = L"-w all -fpmode fast -fpu sse ";

// Start-up says only what it can know of files another program holds.
TEST(Session, StartUpSelectsTheStoredPresetAndSaysOnlyWhatItCanKnow) {
    // clang-format off
    const struct { bool presetsRead; std::optional<std::wstring> stored; int selected; std::optional<Message> said; } cases[] = {
        {true, L"-w all -fpmode fast -fpu sse -gen gcc", 2, std::nullopt},
        {true, L"-asm att -w all -fpmode fast -fpu sse -arch native -gen clang", 3, std::nullopt},
        {true, L"-w all -fpmode fast -fpu sse -gen gcc -g", 4, Message::NoPresetMatch},
        {true, L"", 4, Message::StoredValueEmpty},
        {true, std::nullopt, 4, std::nullopt},
        {false, L"-w all -fpmode fast -fpu sse -gen gcc -g", 1, std::nullopt},
        {false, L"", 1, Message::StoredValueEmpty},
    };
    // clang-format on
    for (const auto& c : cases) {
        Session session(Latin1Trip, c.presetsRead ? std::optional(kPresets) : std::nullopt,
                        FileStamp{});
        const Effects effects = session.On(
            Started{c.stored ? std::optional(IniValues{*c.stored, L"", L""}) : std::nullopt});
        std::optional<Message> said;
        for (const Effect& e : effects)
            if (const auto* shown = std::get_if<effect::ShowMessage>(&e))
                said = shown->message;
        EXPECT_EQ(session.Selected(), c.selected) << &c - cases;
        EXPECT_EQ(said, c.said) << &c - cases;
    }
}

// What is shown checked is what Apply writes, even when no click made it so.
TEST(Session, ApplyWritesTheOptionShownChecked) {
    Session session(Latin1Trip, kPresets, FileStamp{});
    session.On(Started{IniValues{std::wstring(kPrefix) + L"-gen gas", L"", L""}});
    session.On(Picked{2});
    const Effects applied = session.On(ApplyPressed{3, true, false});
    EXPECT_EQ(std::get<effect::Write>(applied.back()).values.front().value,
              L"-asm att -s console -w all -fpmode fast -fpu sse -arch native -gen clang");
    EXPECT_EQ(session.Selected(), 3);
    EXPECT_EQ(
        std::get<effect::ShowMessage>(session.On(ApplyPressed{4, false, false}).front()).message,
        Message::NoPresetSelected);
}

// A User Tool's command is done as the clicks it stands for and answered by how that went.
TEST(Session, ACommandIsCarriedOutAsItsClicksAndAnswered) {
    const ToolchainsListed toolchains{L"C:\\TC\\Old\\fbc32.exe",
                                      L"",
                                      L"C:\\IDE",
                                      L"C:\\TC",
                                      {{L"New", true, false}, {L"Empty", false, false}}};
    const std::wstring gas = std::wstring(kPrefix) + L"-gen gas";
    // clang-format off
    const struct { ToolCommand command; int shown; bool box; CommandAnswer answer; std::optional<std::wstring> written; } cases[] = {
        {{.applyNumber = 2}, 1, false, CommandAnswer::Done, std::wstring(kPrefix) + L"-gen gcc"},
        {{.applyText = L"-gen clang", .console = true}, 1, false, CommandAnswer::Done,
         L"-asm att -s console -w all -fpmode fast -fpu sse -arch native -gen clang"},
        {{.exx = true}, 2, false, CommandAnswer::Done, L"-exx -w all -fpmode fast -fpu sse -gen gcc"},
        {{.applyNumber = 1}, 1, false, CommandAnswer::NothingToDo, gas},
        {{.applyNumber = 4}, 1, false, CommandAnswer::WrongArguments, std::nullopt},
        {{.applyNumber = 0}, 1, false, CommandAnswer::WrongArguments, std::nullopt},
        {{.applyText = L"-gen fbc"}, 1, false, CommandAnswer::WrongArguments, std::nullopt},
        {{.console = true}, 4, false, CommandAnswer::Refused, std::nullopt},
        {{.applyNumber = 2}, 1, true, CommandAnswer::Refused, std::nullopt},
        {{.undo = true}, 1, false, CommandAnswer::NothingToDo, std::nullopt},
        {{.toolchain = L"New"}, 1, false, CommandAnswer::Done, L"C:\\TC\\New\\fbc32.exe"},
        {{.toolchain = L"Empty"}, 1, false, CommandAnswer::WrongArguments, std::nullopt},
        {{.toolchain = L"new"}, 1, false, CommandAnswer::Done, L"C:\\TC\\New\\fbc32.exe"},
        {{.toolchain = L"Gone"}, 1, false, CommandAnswer::WrongArguments, std::nullopt},
    };
    // clang-format on
    for (const auto& c : cases) {
        Session session(Latin1Trip, kPresets, FileStamp{});
        session.On(Started{IniValues{gas, L"C:\\TC\\Old\\fbc32.exe", L""}});
        Effects effects =
            session.On(CommandGiven{c.command, c.shown, {}, c.box, std::nullopt, toolchains});
        std::optional<std::wstring> written;
        for (std::size_t i = 0; i < effects.size(); ++i)
            if (const auto* write = std::get_if<effect::Write>(&effects[i])) {
                written = write->values.front().value;
                const Effects done = session.On(WriteDone{true, {gas}});
                effects.insert(effects.end(), done.begin(), done.end());
            }
        const auto answer = std::find_if(effects.begin(), effects.end(), [](const Effect& e) {
            return std::holds_alternative<effect::AnswerCommand>(e);
        });
        ASSERT_NE(answer, effects.end()) << &c - cases;
        EXPECT_EQ(std::get<effect::AnswerCommand>(*answer).answer, c.answer) << &c - cases;
        EXPECT_EQ(written, c.written) << &c - cases;
    }
    // A failed write is answered before its box, which would keep the User Tool waiting.
    Session session(Latin1Trip, kPresets, FileStamp{});
    session.On(CommandGiven{{.applyNumber = 2}, 1, {}, false, std::nullopt, std::nullopt});
    const Effects failed = session.On(WriteDone{false, {}});
    EXPECT_TRUE(std::holds_alternative<effect::AnswerCommand>(failed.front()) &&
                std::holds_alternative<effect::ShowMessage>(failed[1]));
}

// Keep takes the value whole, so a character the IDE's code page lacks survives; each refusal
// says why.
TEST(Session, KeepAddsTheStoredValuesPresetOrSaysWhyNot) {
    const std::wstring japanese = L"-d NAME=\u65e5\u672c";
    const std::vector<std::wstring> full(32, L"-gen gas");
    const std::vector<std::wstring> withBlank = {L"-O2 "};
    // clang-format off
    const struct { std::optional<std::wstring> stored; bool console; std::optional<std::vector<std::wstring>> inFile; std::variant<std::wstring, Message> outcome; } cases[] = {
        {std::wstring(kPrefix) + japanese, false, kPresets, japanese},
        {L"-asm att -s console -w all -fpmode fast -fpu sse -arch native -gen clang -O3", true, kPresets, L"-gen clang -O3"},
        {L"", false, kPresets, Message::StoredValueEmpty},
        {std::nullopt, false, kPresets, Message::StoredValueUnreadable},
        {std::wstring(kPrefix) + L"-O2", true, kPresets, Message::KeepNotComposed},
        {L"-w all -fpmode fast -fpu sse", false, kPresets, Message::KeepNotComposed},
        {L"-asm att -w all -fpmode fast -fpu sse -arch native -gen gcc", false, kPresets, Message::KeepNotComposed},
        {std::wstring(kPrefix) + L"-O2", false, std::nullopt, Message::KeepNotWritten},
        {std::wstring(kPrefix) + L"-gen gcc", false, kPresets, Message::KeepAlreadyPreset},
        {std::wstring(kPrefix) + L"-O2", false, withBlank, Message::KeepAlreadyPreset},
        {std::wstring(kPrefix) + L"-O2", false, full, Message::KeepFileFull},
        {std::wstring(kPrefix) + L"\"-a\",-b", false, kPresets, Message::KeepNoItem},
    };
    // clang-format on
    for (const auto& c : cases) {
        Session session(Latin1Trip, kPresets, FileStamp{});
        const std::optional<StoredNow> stored =
            c.stored ? std::optional(StoredWhole(*c.stored)) : std::nullopt;
        session.On(Started{stored ? std::optional(stored->read) : std::nullopt});
        const Effects kept = session.On(KeepPressed{stored, c.console, false, c.inFile});
        if (const auto* text = std::get_if<std::wstring>(&c.outcome))
            EXPECT_EQ(std::get<effect::AppendPreset>(kept.back()).text, *text) << &c - cases;
        else
            EXPECT_EQ(std::get<effect::ShowMessage>(kept.back()).message,
                      std::get<Message>(c.outcome))
                << &c - cases;
    }
    // The file layer's answer: a file that would not give the text back, or no file written.
    for (const auto& [outcome, said] : {std::pair{AppendOutcome::NotCarried, Message::KeepNoItem},
                                        {AppendOutcome::NotWritten, Message::KeepNotWritten}}) {
        Session session(Latin1Trip, kPresets, FileStamp{});
        session.On(
            KeepPressed{StoredWhole(std::wstring(kPrefix) + japanese), false, false, kPresets});
        EXPECT_EQ(std::get<effect::ShowMessage>(session.On(PresetAppended{outcome}).back()).message,
                  said);
    }
}

// For generated values stored whole with either checkbox state, the kept preset, read back from
// the file, is one that Apply with the checkboxes as they stand writes as the same value again.
TEST(Session, AKeptPresetAppliesToTheValueItWasKeptFrom) {
    const std::wstring pieces[] = {L"-gen gcc", L" ",      L"clang",  L",", L"\"",
                                   L"-O2",      L"\u00e9", L"\u65e5", L"'"};
    const auto widen = [](std::string_view bytes) {
        return std::wstring(bytes.begin(), bytes.end());
    };
    const auto narrow = [](std::wstring_view text) {
        return std::string(text.begin(), text.end());
    };
    std::mt19937 random(20261207);
    int kept = 0;
    for (int i = 0; i < 400; ++i) {
        const bool console = random() & 1, exx = random() & 1;
        std::wstring text;
        for (auto count = random() % 6 + 1; count > 0; --count)
            text += pieces[random() % std::size(pieces)];
        const StoredNow stored = StoredWhole(AsReadBack(ComposeSwitches(text, console, exx)));
        Session session(Latin1Trip, kPresets, FileStamp{});
        session.On(Started{stored.read});
        const Effects keep = session.On(KeepPressed{stored, console, exx, kPresets});
        const auto* append = std::get_if<effect::AppendPreset>(&keep.back());
        const std::optional<std::string> file =
            append ? WithPresetAppended("-gen gas\r\n", append->text, widen, narrow) : std::nullopt;
        if (!file)
            continue;
        ++kept;
        std::string_view rest = *file;
        const std::vector<std::wstring> after =
            ReadPresetFile([&] { return std::exchange(rest, {}); }, widen).presets;
        SCOPED_TRACE(::testing::Message()
                     << "case " << i << ": " << ::testing::PrintToString(stored.switches));
        Session again(Latin1Trip, after, FileStamp{});
        again.On(Started{stored.read});
        const Effects applied =
            again.On(ApplyPressed{static_cast<int>(after.size()), console, exx});
        EXPECT_EQ(AsReadBack(std::get<effect::Write>(applied.back()).values.front().value),
                  stored.switches);
        EXPECT_EQ(
            std::get<effect::ShowMessage>(again.On(KeepPressed{stored, console, exx, after}).back())
                .message,
            Message::KeepAlreadyPreset);
    }
    EXPECT_GT(kept, 200) << "too few values were kept to show anything";
}

} // namespace
