#include "session_world.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <set>
#include <sstream>
#include <utility>

#include "presets.h"
#include "session.h"
#include "stored_value.h"

namespace {

constexpr std::uint64_t kTick = 1'000'000; // 100 ms in the units of a file stamp
constexpr std::uint64_t kSecond = 10'000'000;
constexpr std::size_t kHistoryLimit = 32;

// A code page that lacks every character beyond U+00FF, one byte a character.
std::wstring CodePage(std::wstring_view value, std::size_t maxBytes) {
    std::wstring read(value.substr(0, maxBytes));
    std::replace_if(
        read.begin(), read.end(), [](wchar_t c) { return c > 0xFF; }, L'?');
    return read;
}

// The IDE's read of 511 of them.
std::wstring IdeReads(std::wstring_view whole) {
    return CodePage(whole, 511);
}

// What the profile functions give back whole once the value is written.
std::wstring StoredWhole(std::wstring_view written) {
    return CodePage(AsReadBack(written), SIZE_MAX);
}

const std::wstring kTexts[] = {L"-gen gcc", L"-gen gas",         L"-O2 ",      L"-gen clang -O3",
                               L"",         L"\"-gen gcc, -g\"", L"-d \u00e9", L"-d \u6f22"};

std::wstring Text(unsigned choice) {
    return kTexts[choice % std::size(kTexts)];
}

class World {
  public:
    explicit World(bool heldAtStart)
        : fileHeld_(heldAtStart),
          session_(CodePage, heldAtStart ? std::nullopt : std::optional(fileTexts_), fileStamp_) {
        shownPresets_ = session_.Presets();
        everStored_.insert(IdeReads(stored_));
        Apply(session_.On(Started{IdeReads(stored_)}));
    }

    std::string Play(const Story& story) {
        for (step_ = 0; step_ < story.size() && failure_.empty(); ++step_) {
            Happen(story[step_]);
            CheckAlways();
        }
        return failure_.empty() ? "" : "step " + std::to_string(step_) + ": " + failure_;
    }

  private:
    void Expect(bool kept, const std::string& promise) {
        if (!kept && failure_.empty())
            failure_ = promise;
    }

    void Happen(Happening h) {
        switch (h.kind) {
        case Happening::Tick:
            return Tick();
        case Happening::HalfWritten:
            halfWritten_ = true;
            return;
        case Happening::Pick:
            return Pick(1 + h.arg % static_cast<int>(shownPresets_.size() + 1));
        case Happening::Apply: {
            const int before = shownOption_;
            Apply(session_.On(ApplyPressed{(h.arg & 1) != 0, (h.arg & 2) != 0}));
            return Expect(shownOption_ == before, "Apply moved the selection");
        }
        case Happening::Edit:
            return Edit(h.arg);
        case Happening::Clear:
            return Clear();
        case Happening::Undo:
            return Undo();
        case Happening::IdeStores:
            return IdeStores(h.arg);
        case Happening::Rewrite:
            return Rewrite(h.arg);
        case Happening::Hold:
            fileHeld_ = !fileHeld_;
            cleanFileTicks_ = 0;
            return;
        case Happening::Minimise:
            minimised_ = !minimised_;
            return;
        case Happening::Held:
            iniHeld_ = !iniHeld_;
            return;
        case Happening::Wait:
            for (int i = 0; i < 40; ++i)
                Tick();
            return;
        case Happening::KindCount:
            break;
        }
    }

    void Tick() {
        now_ += kTick;
        const bool halfWritten = std::exchange(halfWritten_, false);
        const bool boxOpen = box_ > 0;
        if (!iniHeld_)
            cleanReads_ = halfWritten ? 0 : cleanReads_ + (boxOpen ? 0 : 1);
        if (fileHeld_)
            cleanFileTicks_ = 0;
        else if (!boxOpen && !minimised_)
            ++cleanFileTicks_;
        const Effects effects = session_.On(Ticked{
            .stored = iniHeld_      ? std::nullopt
                      : halfWritten ? std::optional(L"-w all -f" + std::to_wstring(now_))
                                    : std::optional(IdeReads(stored_)),
            .compilerPath = "C:\\FreeBASIC-1.10.1-gcc-9.3.0\\fbc32.exe",
            .presetFile = fileStamp_,
            .now = now_,
            .host = {.hostFound = true, .messageBoxOpen = boxOpen, .hostOrSelfInFront = true},
            .boxOpen = boxOpen,
            .minimised = minimised_});
        for (const Effect& effect : effects) {
            const auto* history = std::get_if<effect::History>(&effect);
            Expect(outsidePending_ || (!std::holds_alternative<effect::Select>(effect) &&
                                       !(history && !history->canUndo)),
                   "a tick took what no other program stored for an outside change");
        }
        Apply(effects);
        if (outsidePending_ && cleanReads_ >= 2) {
            Expect(shownOption_ == StartupChoice() && !session_.CanUndo(),
                   "an outside change seen at two ticks was not followed, or undo kept values");
            outsidePending_ = false;
        }
        if (cleanFileTicks_ >= 3)
            Expect(shownPresets_ == fileTexts_, "the options do not show the preset file");
    }

    // A pick made before an IDE change is followed goes with it.
    void Pick(int option) {
        Apply(session_.On(Picked{option}));
        shownOption_ = option;
        pick_.reset();
        if (option <= static_cast<int>(shownPresets_.size()) && !outsidePending_)
            pick_ = shownPresets_[static_cast<std::size_t>(option - 1)];
    }

    void Edit(std::uint8_t arg) {
        Apply(session_.On(EditPressed{}));
        Expect(asked_, "Edit opened no box");
        asked_ = false;
        ++box_;
        for (int i = 0; i < (arg >> 2 & 3); ++i)
            Tick();
        if (arg & 0x10)
            IdeStores(arg >> 5);
        --box_;
        const std::wstring texts[] = {L"", ComposeSwitches(Text(arg >> 5), arg & 0x80, false),
                                      L" \"-gen gcc, -g\" ", std::wstring(600, L'x')};
        const std::wstring& text = texts[arg & 3];
        const int before = shownOption_;
        written_ = false;
        Apply(session_.On(EditClosed{text}));
        if (text.empty())
            return Expect(shownOption_ == before, "a cancelled Edit moved the selection");
        pick_.reset();
        Expect(!written_ || shownOption_ == StartupChoice(),
               "after Edit the selection is not the one start-up would make");
    }

    void Clear() {
        Apply(session_.On(ClearPressed{}));
        pick_.reset();
        Expect(shownOption_ == static_cast<int>(shownPresets_.size()) + 1,
               "after Clear \"No preset used\" is not selected");
    }

    // An IDE change not yet seen at two ticks is seen now, unless the file cannot be read.
    void Undo() {
        const bool outsideChange = !iniHeld_ && std::exchange(outsidePending_, false);
        undoing_ = true;
        written_ = false;
        Apply(session_.On(UndoPressed{iniHeld_ ? std::nullopt : std::optional(IdeReads(stored_))}));
        undoing_ = false;
        if (written_)
            pick_.reset();
        Expect(!(written_ || outsideChange) || shownOption_ == StartupChoice(),
               "after undo the selection is not the one start-up would make");
    }

    // The IDE stores a value never stored before in this story, sometimes one of a preset; not
    // while another program holds the file.
    void IdeStores(std::uint8_t arg) {
        if (iniHeld_)
            return;
        std::wstring value = ComposeSwitches(Text(arg >> 1), arg & 1, arg & 0x40);
        if (!everStored_.insert(IdeReads(StoredWhole(value))).second)
            value = L"-d ide" + std::to_wstring(everStored_.size());
        everStored_.insert(IdeReads(StoredWhole(value)));
        if (IdeReads(StoredWhole(value)) == IdeReads(stored_))
            return;
        stored_ = StoredWhole(value);
        replaced_.clear();
        pick_.reset();
        outsidePending_ = true;
        cleanReads_ = 0;
    }

    // A same-size rewrite within the file system's two-second step keeps the stamp.
    void Rewrite(std::uint8_t arg) {
        fileTexts_.clear();
        for (unsigned i = 0; i < 7; ++i)
            if (arg >> i & 1)
                fileTexts_.push_back(Text(i * 3 + arg));
        if (!(arg & 0x80) || now_ - fileStamp_.lastWrite >= 2 * kSecond)
            fileStamp_ = {now_, fileStamp_.size + 1};
        cleanFileTicks_ = 0;
    }

    int StartupChoice() const {
        Session fresh(CodePage, shownPresets_, std::nullopt);
        fresh.On(Started{IdeReads(stored_)});
        return fresh.Selected();
    }

    void CheckAlways() {
        Expect(session_.UndoDepth() <= kHistoryLimit &&
                   (outsidePending_ || session_.UndoDepth() == replaced_.size()),
               "undo keeps more or fewer values than own writes replaced, or more than 32");
        Expect(session_.Selected() == shownOption_ && session_.Presets() == shownPresets_,
               "the session and the window disagree");
        if (pick_ &&
            std::find(shownPresets_.begin(), shownPresets_.end(), *pick_) == shownPresets_.end())
            pick_.reset();
        Expect(!pick_ || (shownOption_ <= static_cast<int>(shownPresets_.size()) &&
                          shownPresets_[static_cast<std::size_t>(shownOption_ - 1)] == *pick_),
               "an unapplied pick was dropped");
    }

    void Apply(const Effects& effects) {
        for (const Effect& effect : effects)
            std::visit([this](const auto& e) { Do(e); }, effect);
    }

    void Do(const effect::Write& write) {
        Expect(box_ == 0, "wrote while a box was open");
        const std::wstring before = stored_;
        const bool ok = !iniHeld_;
        if (ok)
            stored_ = StoredWhole(write.value);
        if (undoing_ && ok) {
            Expect(!replaced_.empty() && write.value == replaced_.back(),
                   "undo did not write back what the newest own write replaced");
            if (!replaced_.empty())
                replaced_.pop_back();
        } else if (!undoing_ && ok && IdeReads(before) != IdeReads(stored_)) {
            replaced_.push_back(before);
            if (replaced_.size() > kHistoryLimit)
                replaced_.erase(replaced_.begin());
        }
        everStored_.insert(IdeReads(stored_));
        written_ = ok;
        outsidePending_ = outsidePending_ && !ok;
        Apply(session_.On(WriteDone{ok, before}));
    }
    void Do(const effect::Select& select) {
        Expect(select.option >= 1 && select.option <= static_cast<int>(shownPresets_.size()) + 1,
               "selected an option that is not shown");
        shownOption_ = select.option;
    }
    void Do(const effect::Rebuild& rebuild) {
        Expect(box_ == 0 && !minimised_, "rebuilt while a box was open or minimised");
        shownPresets_ = rebuild.presets;
    }
    void Do(const effect::Show&) {
        ++box_;
        for (std::size_t i = 0; i < step_ % 3; ++i)
            Tick();
        --box_;
    }
    void Do(const effect::SetMarkers&) {}
    void Do(const effect::AskForValue&) { asked_ = true; }
    // A selection whose preset is gone becomes the one start-up would make.
    void Do(const effect::ReadPresetFile&) {
        Expect(box_ == 0 && !minimised_, "read the preset file while a box was open or minimised");
        const std::vector<std::wstring> before = shownPresets_;
        const std::optional<std::wstring> selected =
            shownOption_ <= static_cast<int>(before.size())
                ? std::optional(before[static_cast<std::size_t>(shownOption_ - 1)])
                : std::nullopt;
        Apply(session_.On(PresetFileRead{fileHeld_ ? std::nullopt : std::optional(fileTexts_)}));
        if (shownPresets_ != before && !outsidePending_ &&
            (!selected || std::find(shownPresets_.begin(), shownPresets_.end(), *selected) ==
                              shownPresets_.end()))
            Expect(shownOption_ == StartupChoice(),
                   "after the presets changed the selection is not the one start-up would make");
    }
    void Do(const effect::Status&) {}
    void Do(const effect::Host&) {}
    void Do(const effect::History& history) {
        Expect(history.canUndo == session_.CanUndo(), "the undo item shows the wrong state");
    }
    void Do(const effect::Beep&) {
        Expect(!undoing_ || replaced_.empty(), "undo had nothing to write back while it had");
    }

    // The files and the window.
    std::vector<std::wstring> fileTexts_ = {Text(0), Text(1), Text(2), Text(3)};
    FileStamp fileStamp_{1, 100};
    bool fileHeld_;
    std::wstring stored_ = StoredWhole(ComposeSwitches(Text(0), false, false));
    std::uint64_t now_ = 100 * kSecond;
    bool halfWritten_ = false;
    bool iniHeld_ = false;
    bool minimised_ = false;
    int box_ = 0;
    std::vector<std::wstring> shownPresets_;
    int shownOption_ = 0;
    // What the promises are checked against.
    std::vector<std::wstring> replaced_; // what own writes replaced, newest last
    std::set<std::wstring> everStored_;
    std::optional<std::wstring> pick_;
    bool outsidePending_ = false;
    int cleanReads_ = 0;
    int cleanFileTicks_ = 0;
    bool undoing_ = false;
    bool written_ = false;
    bool asked_ = false;
    std::size_t step_ = 0;
    std::string failure_;
    Session session_;
};

const char* const kNames[] = {"Tick",     "HalfWritten", "Pick",      "Apply",   "Edit",
                              "Clear",    "Undo",        "IdeStores", "Rewrite", "Hold",
                              "Minimise", "Held",        "Wait"};

} // namespace

std::string Play(const Story& story) {
    const bool heldAtStart = !story.empty() && story.front().kind == Happening::Hold;
    World world(heldAtStart);
    return world.Play(heldAtStart ? Story(story.begin() + 1, story.end()) : story);
}

Story RandomStory(std::mt19937& random, std::size_t length) {
    Story story;
    while (story.size() < length) {
        const auto kind = static_cast<Happening::Kind>(random() % (2 * Happening::KindCount));
        story.push_back({kind < Happening::KindCount ? kind : Happening::Tick,
                         static_cast<std::uint8_t>(random())});
    }
    return story;
}

Story StoryFromBytes(const std::uint8_t* data, std::size_t size) {
    Story story;
    for (std::size_t i = 0; i + 1 < size; i += 2)
        story.push_back(
            {static_cast<Happening::Kind>(data[i] % Happening::KindCount), data[i + 1]});
    return story;
}

std::string Describe(const Story& story) {
    std::ostringstream text;
    for (const Happening& h : story)
        text << kNames[h.kind] << "(" << int{h.arg} << ") ";
    return text.str();
}
