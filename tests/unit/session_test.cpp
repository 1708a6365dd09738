// The session model over generated sessions: every promise it makes, checked after every step of
// thousands of stories of the user, the IDE, an editor and the clock.
#include <gtest/gtest.h>

#include <utility>

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

std::wstring Identity(std::wstring_view value, std::size_t maxBytes) {
    return std::wstring(value.substr(0, maxBytes));
}

// For generated values stored with either checkbox state, Keep adds a line that the reader gives
// back as a preset which Apply, with the checkboxes as they stand, writes as the same value again;
// keeping it twice is refused, and so is a value that no preset text composes.
TEST(Session, AKeptPresetAppliesToTheValueItWasKeptFrom) {
    const std::wstring pieces[] = {L"-gen gcc", L" ",   L"clang",  L",",
                                   L"\"",       L"-O2", L"\u00e9", L"'"};
    const auto latin1 = [](std::string_view bytes) {
        std::wstring text;
        for (const char c : bytes)
            text.push_back(static_cast<unsigned char>(c));
        return text;
    };
    const auto narrow = [](std::wstring_view text) {
        return std::string(text.begin(), text.end());
    };
    std::mt19937 random(20261207);
    for (int i = 0; i < 400; ++i) {
        const bool console = random() & 1, exx = random() & 1;
        std::wstring text;
        for (auto count = random() % 6; count > 0; --count)
            text += pieces[random() % std::size(pieces)];
        const std::wstring stored = AsReadBack(ComposeSwitches(text, console, exx));
        const std::vector<std::wstring> presets = {L"-gen gas"};
        Session session(Identity, presets, FileStamp{});
        session.On(Started{{stored, L"", L""}});
        const Effects kept = session.On(KeepPressed{IniValues{stored}, console, exx, presets});
        SCOPED_TRACE(::testing::Message()
                     << "case " << i << ", Console " << console << ", -exx " << exx);
        const auto* append = std::get_if<effect::AppendPreset>(&kept.front());
        if (!append) {
            const Message why = std::get<effect::Show>(kept.front()).message;
            const std::wstring_view tail =
                std::wstring_view(stored).substr(stored.find(L"sse") + 3);
            EXPECT_TRUE((why == Message::KeepNotComposed && tail.empty()) ||
                        (why == Message::KeepNoItem && tail.find(L'"') != tail.npos))
                << "refused [" << ::testing::PrintToString(stored) << "]";
            continue;
        }
        std::string file = WithPresetAppended("-gen gas", append->item, latin1, narrow);
        std::string_view rest = file;
        const std::vector<std::wstring> after =
            ReadPresetFile([&] { return std::exchange(rest, {}); }, latin1).presets;
        ASSERT_EQ(after.size(), 2u) << file;
        Session again(Identity, after, FileStamp{});
        again.On(Started{{stored, L"", L""}});
        again.On(Picked{2});
        const Effects applied = again.On(ApplyPressed{console, exx});
        EXPECT_EQ(AsReadBack(std::get<effect::Write>(applied.back()).values.front().value), stored);
        EXPECT_EQ(std::get<effect::Show>(
                      again.On(KeepPressed{IniValues{stored}, console, exx, after}).front())
                      .message,
                  Message::KeepAlreadyPreset);
    }
    Session full(Identity, std::vector<std::wstring>(32, L"-gen gas"), FileStamp{});
    EXPECT_EQ(
        std::get<effect::Show>(full.On(KeepPressed{IniValues{L"-w all -fpmode fast -fpu sse -O2"},
                                                   false, false, full.Presets()})
                                   .back())
            .message,
        Message::KeepFileFull);
}

} // namespace
