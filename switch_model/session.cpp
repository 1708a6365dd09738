#include "session.h"

#include <algorithm>
#include <cstdint>

#include "presets.h"
#include "stored_value.h"
#include "toolchain_status.h"

// A file that could not be read gives no presets for now, and is read as soon as it can be.
Session::Session(CodePageTrip codePage, std::optional<std::vector<std::wstring>> presets,
                 std::optional<FileStamp> presetFile)
    : codePage_(std::move(codePage)), presets_(presets.value_or(std::vector<std::wstring>())),
      selected_(NoPresetOption()),
      presetFileShown_(presets ? presetFile.value_or(FileStamp{}) : FileStamp{}) {}

Effects Session::On(const Event& event) {
    return std::visit([this](const auto& e) { return On(e); }, event);
}

std::wstring Session::AsStored(std::wstring_view written) const {
    return AsIdeReads(AsReadBack(written));
}

std::wstring Session::AsIdeReads(std::wstring_view whole) const {
    return codePage_(whole, kIdeReadLimit);
}

// A value the IDE's read cuts matches no preset: the cut value is not what any preset composes.
int Session::OptionFor(std::wstring_view stored) const {
    return OptionFor(stored, presets_);
}

int Session::OptionFor(std::wstring_view stored, const std::vector<std::wstring>& presets) const {
    const auto whole = [this](std::wstring_view written) {
        return codePage_(AsReadBack(written), SIZE_MAX);
    };
    return FindPresetForSwitches(stored, presets, whole)
        .value_or(static_cast<int>(presets.size()) + 1);
}

std::wstring Session::TipText(int option, bool console, bool exx,
                              std::wstring_view storedNow) const {
    return OptionTipText(option, presets_, console, exx, storedNow);
}

Effects Session::On(const Started& event) {
    followed_ = event.stored;
    storedSeenOnce_.reset();
    selected_ = OptionFor(event.stored);
    Effects effects;
    if (selected_ == NoPresetOption())
        effects.push_back(effect::Show{
            event.stored.empty() ? Message::StoredValueEmpty : Message::NoPresetMatch, true});
    effects.push_back(effect::Select{selected_});
    return effects;
}

Effects Session::On(const Ticked& event) {
    Effects effects;
    if (std::string status = ToolchainStatusText(event.compilerPath); status != statusShown_) {
        statusShown_ = status;
        effects.push_back(effect::Status{std::move(status)});
    }
    // The IDE's own dialogs change the stored switches too; the selection follows them silently.
    if (event.stored && SeenAtTwoTicks(*event.stored, followed_, event.boxOpen, storedSeenOnce_))
        FollowOutsideChange(*event.stored, effects);
    WatchPresetFile(event, effects);
    if (const HostWatchAction host = DecideHostWatch(event.host, host_);
        host != HostWatchAction::None)
        effects.push_back(effect::Host{host});
    return effects;
}

void Session::FollowOutsideChange(const std::wstring& stored, Effects& effects) {
    followed_ = stored;
    storedSeenOnce_.reset();
    selected_ = OptionFor(stored);
    effects.push_back(effect::Select{selected_});
    ForgetOwnWrites(effects);
}

// What another program stored is never overwritten by undo.
void Session::ForgetOwnWrites(Effects& effects) {
    if (undo_.Empty())
        return;
    undo_.Clear();
    effects.push_back(effect::History{false});
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
    const bool wait = event.boxOpen || event.minimised;
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
    if (*event.presets == presets_)
        return {};
    selected_ = SelectionAfterRebuild(*event.presets);
    presets_ = *event.presets;
    return {effect::Rebuild{presets_}, effect::Select{selected_}};
}

// A selected preset whose text the new file still holds stays selected, applied or not; any
// other selection becomes the one start-up would make.
int Session::SelectionAfterRebuild(const std::vector<std::wstring>& presets) const {
    if (selected_ < NoPresetOption()) {
        const auto index = static_cast<std::size_t>(selected_ - 1);
        const std::wstring& text = presets_[index];
        if (index < presets.size() && presets[index] == text)
            return selected_;
        if (const auto same = std::find(presets.begin(), presets.end(), text);
            same != presets.end())
            return static_cast<int>(same - presets.begin()) + 1;
    }
    return OptionFor(followed_, presets);
}

Effects Session::On(const Picked& event) {
    if (event.option >= 1 && event.option <= NoPresetOption())
        selected_ = event.option;
    return {};
}

Effects Session::On(const ApplyPressed& event) {
    if (selected_ == NoPresetOption())
        return {effect::Show{Message::NoPresetSelected, true}};
    const std::wstring& text = presets_[static_cast<std::size_t>(selected_ - 1)];
    Effects effects{effect::SetMarkers{event.console, event.exx}};
    for (Effect& write : Write(Command::Apply, ComposeSwitches(text, event.console, event.exx)))
        effects.push_back(std::move(write));
    return effects;
}

Effects Session::On(const EditPressed&) {
    return {effect::AskForValue{}};
}

Effects Session::On(const EditClosed& event) {
    if (event.text.empty())
        return {};
    return Write(Command::Edit, event.text);
}

Effects Session::On(const ClearPressed&) {
    return Write(Command::Clear, L"");
}

// A value another program stored since the last tick counts as seen: undo never writes over it.
Effects Session::On(const UndoPressed& event) {
    Effects effects;
    if (event.stored && *event.stored != followed_)
        FollowOutsideChange(*event.stored, effects);
    if (undo_.Empty()) {
        effects.push_back(effect::Beep{});
        return effects;
    }
    for (Effect& write : Write(Command::Undo, undo_.Newest()))
        effects.push_back(std::move(write));
    return effects;
}

Effects Session::Write(Command command, std::wstring value) {
    pending_ = PendingWrite{command, value};
    return {effect::Write{std::move(value)}};
}

Effects Session::On(const WriteDone& event) {
    if (!pending_)
        return {};
    const PendingWrite write = std::move(*pending_);
    pending_.reset();
    Effects effects;
    if (event.ok) {
        const std::wstring before = AsIdeReads(event.replaced);
        const std::wstring after = AsStored(write.value);
        // Another program changed the value since the session last saw it.
        if (before != followed_)
            undo_.Clear();
        if (write.command == Command::Undo && !undo_.Empty())
            undo_.DropNewest();
        else if (write.command != Command::Undo && after != before)
            undo_.Push(event.replaced);
        followed_ = after;
        storedSeenOnce_.reset();
        effects.push_back(effect::History{CanUndo()});
    } else {
        effects.push_back(FailureOf(write.command));
    }
    if (const std::optional<int> option = OptionAfter(write, event.ok)) {
        selected_ = *option;
        effects.push_back(effect::Select{selected_});
    }
    return effects;
}

// Edit holds the band for its whole command, the failure's box included.
effect::Show Session::FailureOf(Command command) {
    switch (command) {
    case Command::Apply:
        return {Message::ApplyFailed, false};
    case Command::Edit:
        return {Message::EditFailed, true};
    case Command::Clear:
        return {Message::ClearFailed, false};
    case Command::Undo:
        break;
    }
    return {Message::UndoFailed, false};
}

// Apply never moves the selection; Edit selects what its value matches even when the write
// failed, Clear "No preset used" in any case, and a written-back value what it matches.
std::optional<int> Session::OptionAfter(const PendingWrite& write, bool ok) const {
    switch (write.command) {
    case Command::Apply:
        break;
    case Command::Edit:
        return OptionFor(AsStored(write.value));
    case Command::Clear:
        return NoPresetOption();
    case Command::Undo:
        if (ok)
            return OptionFor(followed_);
        break;
    }
    return std::nullopt;
}
