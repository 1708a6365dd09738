#include "session_world.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <set>
#include <sstream>
#include <tuple>
#include <utility>

#include "effect_runner.h"
#include "preset_file.h"
#include "presets.h"
#include "session.h"
#include "stored_value.h"

namespace {

constexpr std::uint64_t kTick = 1'000'000; // 100 ms in the units of a file stamp
constexpr std::uint64_t kSecond = 10'000'000;
constexpr std::size_t kHistoryLimit = 32;
constexpr std::size_t kSwitches = IndexOf(IniKey::CompilerSwitches);
using Steps = std::vector<HistoryStep>;

// A code page that lacks every character beyond U+00FF, one byte a character.
std::wstring CodePage(std::wstring_view value, std::size_t maxBytes) {
    std::wstring read(value.substr(0, maxBytes));
    std::replace_if(
        read.begin(), read.end(), [](wchar_t c) { return c > 0xFF; }, L'?');
    return read;
}

// The IDE's read of 511 of them.
IniValues IdeReads(const IniValues& whole) {
    IniValues read;
    for (std::size_t key = 0; key < kIniKeyCount; ++key)
        read[key] = CodePage(whole[key], 511);
    return read;
}

// What the profile functions give back whole once the value is written: in a UTF-16 file, as the
// IDE keeps it, every character; in an ANSI one, the code page's.
std::wstring StoredWhole(std::wstring_view written, bool utf16) {
    return utf16 ? AsReadBack(written) : CodePage(AsReadBack(written), SIZE_MAX);
}

const std::wstring kTexts[] = {L"-gen gcc", L"-gen gas",         L"-O2 ",      L"-gen clang -O3",
                               L"",         L"\"-gen gcc, -g\"", L"-d \u00e9", L"-d \u6f22"};
const ToolchainFolder kToolchains[] = {{L"FreeBASIC-1.10.1-gcc-9.3", true, true},
                                       {L"fbc-1.09", true, false},
                                       {L"FreeBASIC-1.08-gcc-5.2", true, true},
                                       {L"docs", false, false}};

std::wstring Text(unsigned choice) {
    return kTexts[choice % std::size(kTexts)];
}

// What another program stored there is never written over: the newest step holding the key goes,
// with all before it.
void ForgetThrough(Steps& steps, std::size_t key) {
    const auto newest = std::find_if(steps.rbegin(), steps.rend(), [key](const HistoryStep& step) {
        return std::any_of(step.begin(), step.end(),
                           [key](const KeyValue& value) { return IndexOf(value.key) == key; });
    });
    steps.erase(steps.begin(), newest.base());
}

void Push(Steps& steps, HistoryStep step) {
    steps.push_back(std::move(step));
    if (steps.size() > kHistoryLimit)
        steps.erase(steps.begin());
}

class World {
  public:
    // Either file may be held by another program at start-up; what WinFBE.ini held then is seen
    // once it is free.
    World(bool utf16, bool presetsHeldAtStart, bool iniHeldAtStart)
        : utf16_(utf16), fileHeld_(presetsHeldAtStart), iniHeld_(iniHeldAtStart),
          session_(CodePage, presetsHeldAtStart ? std::nullopt : std::optional(fileTexts_),
                   fileStamp_) {
        shownPresets_ = session_.Presets();
        NoteStored();
        if (iniHeld_)
            outsideKeys_ = {0, 1, 2};
        runner_.Feed(Started{iniHeld_ ? std::nullopt : std::optional(IdeReads(stored_))});
        Expect(boxesShown_ == 0 || !(iniHeld_ || fileHeld_) ||
                   (!iniHeld_ && IdeReads(stored_)[kSwitches].empty()),
               "start-up said what it could not know of a file another program held");
    }

    std::string Play(const Story& story) {
        for (step_ = 0; step_ < story.size() && failure_.empty(); ++step_) {
            Happen(story[step_]);
            CheckAlways();
        }
        return failure_.empty() ? "" : "step " + std::to_string(step_) + ": " + failure_;
    }

  private:
    friend class EffectRunner<World>;
    enum class Doing { Nothing, OwnWrite, Undo, Redo };
    struct Shown {
        std::vector<std::wstring> presets;
        std::optional<std::wstring> selected;
    };

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
            Command(Doing::OwnWrite,
                    ApplyPressed{shownOption_, {(h.arg & 1) != 0, (h.arg & 2) != 0}});
            return Expect(shownOption_ == before, "Apply moved the selection");
        }
        case Happening::Edit:
            return Edit(h.arg);
        case Happening::Clear:
            Command(Doing::OwnWrite, ClearPressed{});
            pick_.reset();
            kept_.reset();
            return Expect(shownOption_ == static_cast<int>(shownPresets_.size()) + 1,
                          "after Clear \"No preset used\" is not selected");
        case Happening::Undo:
            return WriteBack(Doing::Undo);
        case Happening::Redo:
            return WriteBack(Doing::Redo);
        case Happening::Toolchain:
            return Toolchain(h.arg);
        case Happening::Keep:
            return Keep(h.arg);
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
        case Happening::Command:
            if (h.arg % 4 >= 2)
                return WriteBack(h.arg % 4 == 2 ? Doing::Undo : Doing::Redo, true);
            return Apply(h.arg);
        case Happening::KindCount:
            break;
        }
    }

    template <typename Event> void Command(Doing doing, const Event& event) {
        doing_ = doing;
        written_ = false;
        runner_.Feed(event);
        doing_ = Doing::Nothing;
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
        IniValues ini = iniHeld_ ? lastRead_ : IdeReads(stored_);
        if (halfWritten && !iniHeld_)
            ini[kSwitches] = L"-w all -f" + std::to_wstring(now_);
        lastRead_ = ini;
        const auto shown = std::tuple(shownOption_, shownHistory_, shownPresets_);
        runner_.Feed(Ticked{
            .ini = ini,
            .iniCurrent = !iniHeld_,
            .presetFile = fileStamp_,
            .now = now_,
            .host = {.hostFound = true, .messageBoxOpen = boxOpen, .hostOrSelfInFront = true},
            .minimised = minimised_});
        Expect(!outsideKeys_.empty() || std::get<2>(shown) != shownPresets_ ||
                   shown == std::tuple(shownOption_, shownHistory_, shownPresets_),
               "a tick took what no other program stored for an outside change");
        if (!outsideKeys_.empty() && cleanReads_ >= 2) {
            Expect(!outsideKeys_.contains(kSwitches) || shownOption_ == StartupChoice(),
                   "an outside change seen at two ticks was not followed");
            if (outsideKeys_.contains(kSwitches))
                kept_.reset();
            outsideKeys_.clear();
        }
        if (cleanFileTicks_ >= 3)
            Expect(shownPresets_ == fileTexts_, "the options do not show the preset file");
    }

    // A pick made before an IDE change is followed goes with it.
    void Pick(int option) {
        runner_.Feed(Picked{option});
        shownOption_ = option;
        pick_.reset();
        kept_.reset();
        if (option <= static_cast<int>(shownPresets_.size()) && !outsideKeys_.contains(kSwitches))
            pick_ = shownPresets_[static_cast<std::size_t>(option - 1)];
    }

    // A failed write selects what its value matches, as a written one does, and keeps no step.
    void Edit(std::uint8_t arg) {
        editArg_ = arg;
        editText_.reset();
        const int before = shownOption_;
        Command(Doing::OwnWrite, EditPressed{});
        Expect(editText_.has_value(), "Edit opened no box");
        if (!editText_ || editText_->empty())
            return Expect(shownOption_ == before, "a cancelled Edit moved the selection");
        pick_.reset();
        kept_.reset();
        Expect(written_ || (session_.UndoDepth() == depthUnderBox_.first &&
                            session_.RedoDepth() == depthUnderBox_.second),
               "a failed Edit changed the history");
        Expect(shownOption_ == (written_ ? StartupChoice() : OptionFor(*editText_)),
               "after Edit the selection is not the one its value matches");
    }

    int OptionFor(const std::wstring& value) const {
        return FindPresetForSwitches(CodePage(AsReadBack(value), 511), shownPresets_, CodePage)
            .value_or(static_cast<int>(shownPresets_.size()) + 1);
    }

    // A User Tool's command names a preset by number or by text, or none: it is done as the pick
    // and Apply it stands for, and answered by how that went.
    void Apply(std::uint8_t arg) {
        const int count = static_cast<int>(shownPresets_.size());
        ToolCommand command;
        if (arg % 4 == 0)
            command.applyNumber = arg / 4 % (count + 2);
        else
            command.applyText = Text(arg / 4);
        const int option =
            command.applyNumber
                ? *command.applyNumber
                : static_cast<int>(
                      std::find(shownPresets_.begin(), shownPresets_.end(), *command.applyText) -
                      shownPresets_.begin()) +
                      1;
        const int before = shownOption_;
        const IniValues storedBefore = IdeReads(stored_);
        Command(Doing::OwnWrite,
                CommandGiven{command,
                             shownOption_,
                             {},
                             false,
                             iniHeld_ ? std::nullopt : std::optional(IdeReads(stored_)),
                             std::nullopt});
        if (option < 1 || option > count)
            return Expect(answer_ == CommandAnswer::WrongArguments && shownOption_ == before,
                          "a command naming no preset did something");
        kept_.reset();
        pick_.reset();
        if (!outsideKeys_.contains(kSwitches))
            pick_ = shownPresets_[static_cast<std::size_t>(option - 1)];
        Expect(shownOption_ == option && answer_ == (iniHeld_ ? CommandAnswer::Refused
                                                              : (IdeReads(stored_) != storedBefore
                                                                     ? CommandAnswer::Done
                                                                     : CommandAnswer::NothingToDo)),
               "a command's preset was not applied and answered as it went");
    }

    // An IDE change not yet seen at two ticks is seen now, unless the file cannot be read.
    void WriteBack(Doing doing, bool byCommand = false) {
        const bool switchesChanged = !iniHeld_ && outsideKeys_.contains(kSwitches);
        if (!iniHeld_)
            outsideKeys_.clear();
        const std::optional<IniValues> stored =
            iniHeld_ ? std::nullopt : std::optional(IdeReads(stored_));
        const int before = shownOption_;
        // Held, the file shows no change the IDE made since: the session's steps are what it has.
        const bool empty =
            iniHeld_ ? (doing == Doing::Undo ? session_.UndoDepth() : session_.RedoDepth()) == 0
                     : (doing == Doing::Undo ? undo_ : redo_).empty();
        const Way way = doing == Doing::Undo ? Way::Back : Way::Forward;
        if (byCommand)
            Command(doing, CommandGiven{{.undo = way == Way::Back, .redo = way == Way::Forward},
                                        shownOption_,
                                        {},
                                        false,
                                        stored,
                                        std::nullopt});
        else
            Command(doing, HistoryPressed{way, stored});
        Expect(!byCommand || answer_ == (empty      ? CommandAnswer::NothingToDo
                                         : iniHeld_ ? CommandAnswer::Refused
                                                    : CommandAnswer::Done),
               "an undo or redo command was answered as it did not go");
        const bool moves = switchesChanged || (written_ && wroteSwitches_);
        if (moves) {
            pick_.reset();
            kept_.reset();
        }
        Expect(moves ? shownOption_ == StartupChoice() : shownOption_ == before,
               "after undo or redo the selection is not the one start-up would make");
    }

    void Toolchain(std::uint8_t arg) {
        const int before = shownOption_;
        toolchainArg_ = arg;
        Command(Doing::OwnWrite,
                ToolchainsListed{stored_[IndexOf(IniKey::Compiler32)],
                                 stored_[IndexOf(IniKey::Compiler64)],
                                 L"C:\\IDE",
                                 L"C:\\TC",
                                 {std::begin(kToolchains), std::end(kToolchains)}});
        Expect(shownOption_ == before, "picking a toolchain moved the selection");
    }

    // An IDE change not yet seen at two ticks is seen now, unless the file cannot be read.
    void Keep(std::uint8_t arg) {
        const bool switchesChanged = !iniHeld_ && outsideKeys_.contains(kSwitches);
        if (!iniHeld_)
            outsideKeys_.clear();
        if (switchesChanged)
            kept_.reset();
        const std::optional<StoredNow> stored =
            iniHeld_ ? std::nullopt
                     : std::optional(StoredNow{IdeReads(stored_), stored_[kSwitches]});
        runner_.Feed(KeepPressed{stored,
                                 {(arg & 1) != 0, (arg & 2) != 0},
                                 fileHeld_ ? std::nullopt : std::optional(fileTexts_)});
        Expect(!switchesChanged || shownOption_ == StartupChoice(),
               "an outside change seen by Keep was not followed");
    }

    // The IDE stores a value never stored under the key before in this story, so that undo can
    // tell: for CompilerSwitches sometimes one of a preset. Not while another program holds the
    // file.
    void IdeStores(std::uint8_t arg) {
        if (iniHeld_)
            return;
        const std::size_t key = arg >> 6 == 3 ? kSwitches : arg >> 6;
        IniValues next = stored_;
        next[key] = key == kSwitches ? ComposeSwitches(Text(arg >> 1), arg & 1, arg & 0x20)
                                     : L"C:\\TC\\ide\\fbc.exe";
        next[key] = StoredWhole(next[key], utf16_);
        while (everStored_.contains({key, IdeReads(next)[key]}))
            next[key] = L"-d ide" + std::to_wstring(everStored_.size());
        stored_ = next;
        NoteStored();
        ForgetThrough(undo_, key);
        ForgetThrough(redo_, key);
        if (key == kSwitches)
            pick_.reset();
        outsideKeys_.insert(key);
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

    void NoteStored() {
        for (std::size_t key = 0; key < kIniKeyCount; ++key)
            everStored_.insert({key, IdeReads(stored_)[key]});
    }

    int StartupChoice() const {
        return FindPresetForSwitches(IdeReads(stored_)[kSwitches], shownPresets_, CodePage)
            .value_or(static_cast<int>(shownPresets_.size()) + 1);
    }

    void CheckAlways() {
        const bool seen = outsideKeys_.empty();
        Expect(session_.UndoDepth() <= kHistoryLimit && session_.RedoDepth() <= kHistoryLimit &&
                   (!seen ||
                    (session_.UndoDepth() == undo_.size() && session_.RedoDepth() == redo_.size())),
               "undo or redo keeps more or fewer steps than own writes left, or more than 32");
        Expect(session_.Selected() == shownOption_ && session_.Presets() == shownPresets_ &&
                   shownHistory_ == std::pair{session_.CanUndo(), session_.CanRedo()},
               "the session and the window disagree");
        if (pick_ &&
            std::find(shownPresets_.begin(), shownPresets_.end(), *pick_) == shownPresets_.end())
            pick_.reset();
        Expect(!pick_ || (shownOption_ <= static_cast<int>(shownPresets_.size()) &&
                          shownPresets_[static_cast<std::size_t>(shownOption_ - 1)] == *pick_),
               "an unapplied pick was dropped");
    }

    // The effects, as the runner performs them for the main window.

    // Undo and redo write back exactly the step on top of their stack; an own write keeps what it
    // replaced when it changed something, and empties redo.
    WriteDone Perform(const effect::Write& write) {
        Expect(box_ == 0, "wrote while a box was open");
        const IniValues before = stored_;
        const bool ok = !iniHeld_;
        HistoryStep back;
        for (const KeyValue& value : write.values) {
            back.push_back({value.key, before[IndexOf(value.key)]});
            if (ok)
                stored_[IndexOf(value.key)] = StoredWhole(value.value, utf16_);
        }
        Steps& from = doing_ == Doing::Redo ? redo_ : undo_;
        Steps& to = doing_ == Doing::Redo ? undo_ : redo_;
        if (ok && doing_ != Doing::OwnWrite) {
            Expect(!from.empty() && write.values == from.back(),
                   "undo or redo did not write back the step on top of its stack");
            if (!from.empty())
                from.pop_back();
            Push(to, back);
        } else if (ok) {
            redo_.clear();
            if (IdeReads(before) != IdeReads(stored_))
                Push(undo_, back);
        }
        NoteStored();
        written_ = ok;
        wroteSwitches_ = write.values.front().key == IniKey::CompilerSwitches;
        for (const KeyValue& value : write.values)
            if (ok)
                outsideKeys_.erase(IndexOf(value.key));
        std::vector<std::wstring> replaced;
        for (const KeyValue& value : back)
            replaced.push_back(value.value);
        return {ok, replaced};
    }
    void Perform(const effect::Select& select) {
        Expect(select.option >= 1 && select.option <= static_cast<int>(shownPresets_.size()) + 1,
               "selected an option that is not shown");
        shownOption_ = select.option;
        if (rebuiltFrom_)
            CheckRebuild(*std::exchange(rebuiltFrom_, std::nullopt));
    }
    // A Select follows.
    void Perform(const effect::Rebuild& rebuild) {
        Expect(box_ == 0 && !minimised_, "rebuilt while a box was open or minimised");
        rebuiltFrom_ =
            Shown{shownPresets_,
                  shownOption_ <= static_cast<int>(shownPresets_.size())
                      ? std::optional(shownPresets_[static_cast<std::size_t>(shownOption_ - 1)])
                      : std::nullopt};
        shownPresets_ = rebuild.presets;
    }
    void Perform(const effect::ShowMessage&) {
        ++boxesShown_;
        ++box_;
        for (std::size_t i = 0; i < step_ % 3; ++i)
            Tick();
        --box_;
    }
    // The box is open for a few ticks, and the IDE may store a value meanwhile.
    EditClosed Perform(const effect::AskForValue&) {
        ++box_;
        for (int i = 0; i < (editArg_ >> 2 & 3); ++i)
            Tick();
        if (editArg_ & 0x10)
            IdeStores(editArg_ & 0x7F);
        --box_;
        const std::wstring texts[] = {L"",
                                      ComposeSwitches(Text(editArg_ >> 5), editArg_ & 0x80, false),
                                      L" \"-gen gcc, -g\" ", std::wstring(600, L'x')};
        editText_ = texts[editArg_ & 3];
        depthUnderBox_ = {session_.UndoDepth(), session_.RedoDepth()};
        return {*editText_};
    }
    PresetFileRead Perform(const effect::ReadPresetFile&) {
        Expect(box_ == 0 && !minimised_, "read the preset file while a box was open or minimised");
        return {fileHeld_ ? std::nullopt : std::optional(fileTexts_)};
    }
    // A selection whose preset is gone becomes the one start-up would make, and a preset just
    // kept shows selected.
    void CheckRebuild(const Shown& before) {
        const std::optional<std::wstring>& selected = before.selected;
        const bool gone = !selected || std::find(shownPresets_.begin(), shownPresets_.end(),
                                                 *selected) == shownPresets_.end();
        const bool keptShown =
            kept_ && !outsideKeys_.contains(kSwitches) &&
            std::find(shownPresets_.begin(), shownPresets_.end(), *kept_) != shownPresets_.end();
        if (keptShown)
            Expect(shownOption_ <= static_cast<int>(shownPresets_.size()) &&
                       shownPresets_[static_cast<std::size_t>(shownOption_ - 1)] == *kept_,
                   "the kept preset does not show selected");
        else if (!kept_ && outsideKeys_.empty() && gone)
            Expect(shownOption_ == StartupChoice(),
                   "after the presets changed the selection is not the one start-up would make");
        if (keptShown)
            pick_ = kept_;
        kept_.reset();
    }
    ToolchainPicked Perform(const effect::OfferToolchains& offer) {
        Expect(offer.items.size() == std::size(kToolchains),
               "the menu does not offer every toolchain");
        const std::size_t item = toolchainArg_ % (offer.items.size() + 1);
        return {item < offer.items.size() ? std::optional(item) : std::nullopt};
    }
    // The text goes on a new last line of the file.
    PresetAppended Perform(const effect::AppendPreset& append) {
        const bool ok = !fileHeld_;
        if (ok) {
            kept_ = append.text;
            fileTexts_.push_back(*kept_);
            fileStamp_ = {now_, fileStamp_.size + append.text.size() + 2};
            cleanFileTicks_ = 0;
        }
        return {ok ? AppendOutcome::Appended : AppendOutcome::NotWritten};
    }
    void Perform(const effect::SetMarkers&) {}
    void Perform(const effect::ShowStatus&) {}
    void Perform(const effect::FollowHost&) {}
    void Perform(const effect::ShowHistory& history) {
        shownHistory_ = {history.canUndo, history.canRedo};
    }
    void Perform(const effect::SetTicks&) {}
    void Perform(const effect::AnswerCommand& answer) { answer_ = answer.answer; }
    void Perform(const effect::Beep&) {
        const Steps& steps = doing_ == Doing::Redo ? redo_ : undo_;
        Expect(doing_ == Doing::OwnWrite || steps.empty(),
               "undo or redo had nothing to write back while it had");
    }

    // The files and the window.
    bool utf16_;
    std::vector<std::wstring> fileTexts_ = {Text(0), Text(1), Text(2), Text(3)};
    FileStamp fileStamp_{1, 100};
    bool fileHeld_;
    IniValues stored_ = {AsReadBack(ComposeSwitches(Text(0), false, false)),
                         L"C:\\TC\\FreeBASIC-1.10.1-gcc-9.3\\fbc32.exe",
                         L"C:\\TC\\FreeBASIC-1.10.1-gcc-9.3\\fbc64.exe"};
    IniValues lastRead_ = IdeReads(stored_);
    std::uint64_t now_ = 100 * kSecond;
    bool halfWritten_ = false;
    bool iniHeld_ = false;
    bool minimised_ = false;
    int box_ = 0;
    int boxesShown_ = 0; // boxes shown so far
    std::vector<std::wstring> shownPresets_;
    int shownOption_ = 0;
    std::pair<bool, bool> shownHistory_; // the undo and redo items enabled
    // What the promises are checked against.
    Steps undo_;
    Steps redo_;
    std::set<std::pair<std::size_t, std::wstring>> everStored_; // no value comes back
    std::set<std::size_t> outsideKeys_; // changed by the IDE and not yet seen
    std::optional<std::wstring> pick_;
    std::optional<std::wstring> kept_;
    int cleanReads_ = 0;
    int cleanFileTicks_ = 0;
    Doing doing_ = Doing::Nothing;
    bool written_ = false;
    bool wroteSwitches_ = false;
    std::uint8_t editArg_ = 0; // what the Edit box meets and what it is left with
    std::optional<std::wstring> editText_;
    std::pair<std::size_t, std::size_t> depthUnderBox_; // undo and redo steps when it closed
    std::uint8_t toolchainArg_ = 0;                     // the item picked from the menu
    std::optional<CommandAnswer> answer_;
    std::optional<Shown> rebuiltFrom_; // what showed before a rebuild, checked at its Select
    std::size_t step_ = 0;
    std::string failure_;
    Session session_;
    EffectRunner<World> runner_{session_, *this};
};

const char* const kNames[] = {"Tick", "HalfWritten", "Pick",      "Apply", "Edit",      "Clear",
                              "Undo", "Redo",        "Toolchain", "Keep",  "IdeStores", "Rewrite",
                              "Hold", "Minimise",    "Held",      "Wait",  "Command"};

} // namespace

// A story that begins with Hold or Held begins with that file held; one whose first happening has
// an odd arg plays beside an ANSI WinFBE.ini, any other beside a UTF-16 one.
std::string Play(const Story& story) {
    const auto heldFirst = [&](Happening::Kind kind) {
        return !story.empty() && story.front().kind == kind;
    };
    World world(story.empty() || story.front().arg % 2 == 0, heldFirst(Happening::Hold),
                heldFirst(Happening::Held));
    const bool held = heldFirst(Happening::Hold) || heldFirst(Happening::Held);
    return world.Play(held ? Story(story.begin() + 1, story.end()) : story);
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
