#include "session.h"

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <utility>

#include "preset_file.h"
#include "presets.h"
#include "stored_value.h"
#include "toolchain_status.h"

namespace {

constexpr std::size_t kSwitches = IndexOf(IniKey::CompilerSwitches);

void Append(Effects& effects, Effects more) {
    std::move(more.begin(), more.end(), std::back_inserter(effects));
}

// Writes, rebuilds and following wait while any box is open: a box the program did not flag for
// the band disables the main window all the same.
bool BoxOpen(const Ticked& tick) {
    return tick.host.messageBoxOpen || tick.mainDisabled;
}

bool Writes(const std::vector<KeyValue>& values, IniKey key) {
    return std::any_of(values.begin(), values.end(),
                       [key](const KeyValue& value) { return value.key == key; });
}

} // namespace

// A file that could not be read gives no presets for now, and is read as soon as it can be.
Session::Session(CodePageTrip codePage, std::optional<std::vector<std::wstring>> presets,
                 std::optional<FileStamp> presetFile)
    : codePage_(codePage), presets_(presets.value_or(std::vector<std::wstring>())),
      presetsKnown_(presets.has_value()), selected_(NoPresetOption()),
      presetFileShown_(presets ? presetFile.value_or(FileStamp{}) : FileStamp{}) {}

std::wstring Session::AsStored(std::wstring_view written) const {
    return AsIdeReads(AsReadBack(written));
}

std::wstring Session::AsIdeReads(std::wstring_view whole) const {
    return codePage_(whole, kIdeReadLimit);
}

int Session::OptionFor(std::wstring_view stored) const {
    return OptionFor(stored, presets_);
}

// A value the IDE's read cuts matches no preset: the cut value is not what any preset composes.
int Session::OptionFor(std::wstring_view stored, const std::vector<std::wstring>& presets) const {
    return FindPresetForSwitches(stored, presets, codePage_)
        .value_or(static_cast<int>(presets.size()) + 1);
}

std::wstring Session::TipText(int option, Checkboxes ticks, std::wstring_view storedNow) const {
    return OptionTipText(option, presets_, ticks.console, ticks.exx, storedNow);
}

// Start-up says only what it can know: nothing of a WinFBE.ini another program holds, and no
// "no match" before the presets are read. The ticks take over once the files are free.
Effects Session::On(const Started& event) {
    followed_ = event.stored.value_or(IniValues{});
    storedSeenOnce_.reset();
    const std::wstring& switches = followed_[kSwitches];
    selected_ = OptionFor(switches);
    Effects effects;
    if (event.stored && switches.empty())
        effects.push_back(effect::ShowMessage{Message::StoredValueEmpty, true});
    else if (event.stored && presetsKnown_ && selected_ == NoPresetOption())
        effects.push_back(effect::ShowMessage{Message::NoPresetMatch, true});
    effects.push_back(effect::Select{selected_});
    return effects;
}

Effects Session::On(const Ticked& event) {
    Effects effects;
    // The text is sent only when it changed; it is never empty, so the first tick sends it.
    const std::wstring& compiler = event.ini[IndexOf(IniKey::Compiler32)];
    if (statusShown_.empty() || compiler != statusFrom_) {
        statusFrom_ = compiler;
        if (std::wstring status = ToolchainStatusText(compiler); status != statusShown_) {
            statusShown_ = status;
            effects.push_back(effect::ShowStatus{std::move(status)});
        }
    }
    // The IDE's own dialogs change the stored values too; the selection follows them silently.
    if (event.iniCurrent && SeenAtTwoTicks(event.ini, followed_, BoxOpen(event), storedSeenOnce_))
        FollowOutsideChange(event.ini, effects);
    WatchPresetFile(event, effects);
    if (const HostWatchAction host = DecideHostWatch(event.host, host_);
        host != HostWatchAction::None)
        effects.push_back(effect::FollowHost{host});
    return effects;
}

// What another program stored is never overwritten by undo or redo.
void Session::FollowOutsideChange(const IniValues& stored, Effects& effects) {
    const bool canUndo = CanUndo(), canRedo = CanRedo();
    for (std::size_t key = 0; key < kIniKeyCount; ++key)
        if (stored[key] != followed_[key])
            ForgetStepsHolding(static_cast<IniKey>(key));
    const bool switchesChanged = stored[kSwitches] != followed_[kSwitches];
    followed_ = stored;
    storedSeenOnce_.reset();
    if (switchesChanged) {
        kept_.reset();
        selected_ = OptionFor(stored[kSwitches]);
        effects.push_back(effect::Select{selected_});
    }
    if (canUndo != CanUndo() || canRedo != CanRedo())
        NoteHistory(effects);
}

void Session::ForgetStepsHolding(IniKey key) {
    undo_.ForgetThrough(key);
    redo_.ForgetThrough(key);
}

void Session::NoteHistory(Effects& effects) const {
    effects.push_back(effect::ShowHistory{CanUndo(), CanRedo()});
}

// A new stamp is read once it has held for two ticks. A file written lately is read on every tick
// all the same, and its new texts taken once two reads agree: a same-size rewrite within the file
// system's time step keeps the old stamp. Nothing is read while a box is open or the window is
// minimised, and a file seen unsettled meanwhile is read once they end; a file that is gone keeps
// the presets shown.
void Session::WatchPresetFile(const Ticked& event, Effects& effects) {
    if (!event.presetFile)
        return;
    presetFileMayHaveChanged_ =
        presetFileMayHaveChanged_ || !IsSettled(*event.presetFile, event.now);
    const bool wait = BoxOpen(event) || event.minimised;
    readForNewStamp_ =
        SeenAtTwoTicks(*event.presetFile, presetFileShown_, wait, presetFileSeenOnce_);
    if (!readForNewStamp_ && (wait || !presetFileMayHaveChanged_))
        return;
    presetFileRead_ = *event.presetFile;
    effects.push_back(effect::ReadPresetFile{});
}

// A file that cannot be opened keeps the presets shown and is tried again.
Effects Session::On(const PresetFileRead& event) {
    if (!event.presets)
        return {};
    if (*event.presets != presets_ && !readForNewStamp_ && presetsReadOnce_ != event.presets) {
        presetsReadOnce_ = event.presets;
        return {};
    }
    presetFileShown_ = presetFileRead_;
    presetFileMayHaveChanged_ = false;
    presetsReadOnce_.reset();
    presetsKnown_ = true;
    if (*event.presets == presets_)
        return {};
    selected_ = SelectionAfterRebuild(*event.presets);
    presets_ = *event.presets;
    kept_.reset();
    return {effect::Rebuild{presets_}, effect::Select{selected_}};
}

// A preset just kept shows selected. A selected preset whose text the new file still holds stays
// selected, applied or not; any other selection becomes the one start-up would make.
int Session::SelectionAfterRebuild(const std::vector<std::wstring>& presets) const {
    if (kept_)
        if (const auto kept = std::find(presets.rbegin(), presets.rend(), *kept_);
            kept != presets.rend())
            return static_cast<int>(presets.rend() - kept);
    if (selected_ < NoPresetOption()) {
        const auto index = static_cast<std::size_t>(selected_ - 1);
        const std::wstring& text = presets_[index];
        if (index < presets.size() && presets[index] == text)
            return selected_;
        if (const auto same = std::find(presets.begin(), presets.end(), text);
            same != presets.end())
            return static_cast<int>(same - presets.begin()) + 1;
    }
    return OptionFor(Followed(IniKey::CompilerSwitches), presets);
}

Effects Session::On(const Picked& event) {
    if (event.option >= 1 && event.option <= NoPresetOption())
        selected_ = event.option;
    kept_.reset();
    return {};
}

// What is shown checked is what Apply writes, however it came to be checked.
Effects Session::On(const ApplyPressed& event) {
    if (event.option != selected_)
        On(Picked{event.option});
    if (selected_ == NoPresetOption())
        return {effect::ShowMessage{Message::NoPresetSelected, true}};
    const std::wstring& text = presets_[static_cast<std::size_t>(selected_ - 1)];
    Effects effects{effect::SetMarkers{event.ticks}};
    Append(effects,
           Write(Command::Apply, {{IniKey::CompilerSwitches,
                                   ComposeSwitches(text, event.ticks.console, event.ticks.exx)}}));
    return effects;
}

Effects Session::On(const EditPressed&) {
    return {effect::AskForValue{}};
}

Effects Session::On(const EditClosed& event) {
    if (event.text.empty())
        return {};
    return Write(Command::Edit, {{IniKey::CompilerSwitches, event.text}});
}

Effects Session::On(const ClearPressed&) {
    return Write(Command::Clear, {{IniKey::CompilerSwitches, L""}});
}

// Values another program stored since the last tick count as seen: neither undo nor redo writes
// over them. With nothing to write back, a beep.
Effects Session::On(const HistoryPressed& event) {
    const Command command = event.way == Way::Back ? Command::Undo : Command::Redo;
    Effects effects;
    if (event.stored && *event.stored != followed_)
        FollowOutsideChange(*event.stored, effects);
    const UndoHistory& steps = command == Command::Undo ? undo_ : redo_;
    if (steps.Empty()) {
        effects.push_back(effect::Beep{});
        return effects;
    }
    Append(effects, Write(command, steps.Newest()));
    return effects;
}

Effects Session::On(const ToolchainsListed& event) {
    toolchains_ = ToolchainOffer{
        ToolchainMenuItems(event.folders, event.stored32, event.toolchainsFolder, event.ideFolder),
        event};
    return {effect::OfferToolchains{toolchains_->items}};
}

Effects Session::On(const ToolchainPicked& event) {
    const std::optional<ToolchainOffer> offer = std::exchange(toolchains_, std::nullopt);
    if (!offer || !event.item || *event.item >= offer->items.size())
        return {};
    const ToolchainFolder& picked = offer->items[*event.item].folder;
    if (!picked.hasFbc32)
        return {};
    return PickToolchain(offer->listed, picked);
}

Effects Session::PickToolchain(const ToolchainsListed& listed, const ToolchainFolder& picked) {
    return Write(Command::Toolchain, ToolchainWrites(listed.stored32, listed.stored64, picked,
                                                     listed.toolchainsFolder, listed.ideFolder));
}

// Nothing is done under a box; what the command asks is then done as the clicks it stands for
// would do it, and answered once it is written.
Effects Session::On(const CommandGiven& event) {
    if (event.boxOpen)
        return {effect::AnswerCommand{CommandAnswer::Refused}};
    Effects effects = CarryOut(event);
    if (pending_)
        answerAfterWrite_ = true;
    return effects;
}

Effects Session::CarryOut(const CommandGiven& event) {
    const ToolCommand& command = event.command;
    const auto answer = [](CommandAnswer how) { return Effects{effect::AnswerCommand{how}}; };
    if (command.undo || command.redo) {
        Effects effects = On(HistoryPressed{command.undo ? Way::Back : Way::Forward, event.stored});
        if (!pending_)
            effects.back() = effect::AnswerCommand{CommandAnswer::NothingToDo};
        return effects;
    }
    if (command.toolchain) {
        const ToolchainsListed& listed = event.toolchains.value_or(ToolchainsListed{});
        const auto named = std::find_if(
            listed.folders.begin(), listed.folders.end(), [&](const ToolchainFolder& folder) {
                return folder.hasFbc32 && SameFolderName(folder.name, *command.toolchain);
            });
        if (named == listed.folders.end())
            return answer(CommandAnswer::WrongArguments);
        return PickToolchain(listed, *named);
    }
    int option = event.shownOption;
    if (command.applyNumber)
        option = *command.applyNumber;
    if (command.applyText)
        option = static_cast<int>(std::find(presets_.begin(), presets_.end(), *command.applyText) -
                                  presets_.begin()) +
                 1;
    const bool named = command.applyNumber || command.applyText;
    if (named && (option < 1 || option >= NoPresetOption()))
        return answer(CommandAnswer::WrongArguments);
    const Checkboxes ticks{command.console.value_or(event.ticks.console),
                           command.exx.value_or(event.ticks.exx)};
    Effects effects{effect::SetTicks{ticks}};
    On(Picked{option});
    effects.push_back(effect::Select{option});
    Effects applied = On(ApplyPressed{option, ticks});
    if (!pending_)
        effects.push_back(effect::AnswerCommand{CommandAnswer::Refused});
    Append(effects, std::move(applied));
    return effects;
}

// Kept so that Apply, with the checkboxes as they stand, writes the stored value again; written
// as the reader reads it back. A value another program stored since the last tick counts as seen.
Effects Session::On(const KeepPressed& event) {
    Effects effects;
    if (event.stored && event.stored->read != followed_)
        FollowOutsideChange(event.stored->read, effects);
    Append(effects, Keep(event));
    return effects;
}

// Kept from the value whole, as the file holds it: the IDE stores characters its code page lacks
// in a UTF-16 WinFBE.ini, and so must Apply of the kept preset. A preset that composes the value
// as it is stored is the value's preset already.
Effects Session::Keep(const KeepPressed& event) {
    const auto refuse = [](Message why) { return Effects{effect::ShowMessage{why, true}}; };
    if (!event.stored)
        return refuse(Message::StoredValueUnreadable);
    const std::wstring& stored = event.stored->switches;
    const auto composesStored = [&](std::wstring_view text) {
        return AsReadBack(ComposeSwitches(text, event.ticks.console, event.ticks.exx)) == stored;
    };
    const std::optional<std::wstring> text =
        PresetTextFor(stored, event.ticks.console, event.ticks.exx);
    if (stored.empty())
        return refuse(Message::StoredValueEmpty);
    if (!text || !composesStored(*text))
        return refuse(Message::KeepNotComposed);
    if (!event.presetsInFile)
        return refuse(Message::KeepNotWritten);
    const std::vector<std::wstring>& inFile = *event.presetsInFile;
    if (std::any_of(inFile.begin(), inFile.end(), composesStored))
        return refuse(Message::KeepAlreadyPreset);
    if (inFile.size() >= kMaxPresetItems)
        return refuse(Message::KeepFileFull);
    if (!PresetItem(*text))
        return refuse(Message::KeepNoItem);
    kept_ = *text;
    return {effect::AppendPreset{*text}};
}

// The options follow the file as it changed, and select the kept preset then, unless the
// selection has moved meanwhile.
Effects Session::On(const PresetAppended& event) {
    if (event.outcome == AppendOutcome::Appended)
        return {};
    kept_.reset();
    return {effect::ShowMessage{
        event.outcome == AppendOutcome::NotCarried ? Message::KeepNoItem : Message::KeepNotWritten,
        true}};
}

Effects Session::Write(Command command, std::vector<KeyValue> values) {
    pending_ = PendingWrite{command, values};
    return {effect::Write{std::move(values)}};
}

// A command's answer comes before the failure's box, so that the program that gave it does not
// wait for the user.
Effects Session::On(const WriteDone& event) {
    if (!pending_)
        return {};
    const PendingWrite write = std::move(*pending_);
    pending_.reset();
    const bool ok = event.ok && event.replaced.size() == write.values.size();
    Effects effects;
    const bool changed = ok && NoteOwnWrite(write, event.replaced, effects);
    if (std::exchange(answerAfterWrite_, false))
        effects.push_back(effect::AnswerCommand{
            !ok ? CommandAnswer::Refused
                : (changed ? CommandAnswer::Done : CommandAnswer::NothingToDo)});
    if (!ok)
        effects.push_back(FailureOf(write.command));
    if (const std::optional<int> option = OptionAfter(write, event.ok)) {
        kept_.reset();
        selected_ = *option;
        effects.push_back(effect::Select{selected_});
    }
    return effects;
}

// A write keeps what it replaced for undo, unless it changed nothing as the IDE reads it; undo and
// redo move their step across. A value another program changed since the session last saw it
// takes the steps holding its key with it.
bool Session::NoteOwnWrite(const PendingWrite& write, const std::vector<std::wstring>& replaced,
                           Effects& effects) {
    HistoryStep back;
    bool changed = false;
    for (std::size_t i = 0; i < write.values.size(); ++i) {
        const KeyValue& value = write.values[i];
        const std::wstring before = AsIdeReads(replaced[i]);
        const std::wstring after = AsStored(value.value);
        if (before != Followed(value.key))
            ForgetStepsHolding(value.key);
        changed = changed || after != before;
        back.push_back({value.key, replaced[i]});
        followed_[IndexOf(value.key)] = after;
        // A change of another key seen at the last tick still counts as seen once.
        if (storedSeenOnce_)
            (*storedSeenOnce_)[IndexOf(value.key)] = after;
    }
    if (write.command == Command::Undo || write.command == Command::Redo) {
        UndoHistory& from = write.command == Command::Undo ? undo_ : redo_;
        UndoHistory& to = write.command == Command::Undo ? redo_ : undo_;
        if (!from.Empty())
            from.DropNewest();
        to.Push(std::move(back));
    } else {
        redo_.Clear();
        if (changed)
            undo_.Push(std::move(back));
    }
    NoteHistory(effects);
    return changed;
}

// Edit holds the band for its whole command, the failure's box included.
effect::ShowMessage Session::FailureOf(Command command) {
    switch (command) {
    case Command::Apply:
        return {Message::ApplyFailed, false};
    case Command::Edit:
        return {Message::EditFailed, true};
    case Command::Clear:
        return {Message::ClearFailed, false};
    case Command::Toolchain:
        return {Message::ToolchainFailed, false};
    case Command::Undo:
    case Command::Redo:
        break;
    }
    return {Message::UndoFailed, false};
}

// Apply and a toolchain never move the selection; Edit selects what its value matches even when
// the write failed, Clear "No preset used" in any case, and a value written back what it matches.
std::optional<int> Session::OptionAfter(const PendingWrite& write, bool ok) const {
    switch (write.command) {
    case Command::Apply:
    case Command::Toolchain:
        break;
    case Command::Edit:
        return OptionFor(AsStored(write.values.front().value));
    case Command::Clear:
        return NoPresetOption();
    case Command::Undo:
    case Command::Redo:
        if (ok && Writes(write.values, IniKey::CompilerSwitches))
            return OptionFor(Followed(IniKey::CompilerSwitches));
        break;
    }
    return std::nullopt;
}
