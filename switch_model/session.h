// One session of the utility beside the IDE: the stored values as the IDE reads them, the presets
// shown, the option selected, what undo and redo keep and what waits for a box to close. It takes
// one event at a time and answers with what the window is to do; it calls no system function,
// so that a test can drive thousands of sessions.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "commands.h"
#include "host_watch.h"
#include "stored_value.h"
#include "ini_keys.h"
#include "toolchains.h"
#include "undo_history.h"

// The messages the session shows; the window knows their words.
enum class Message {
    NoPresetMatch,
    StoredValueEmpty,
    NoPresetSelected,
    ApplyFailed,
    EditFailed,
    ClearFailed,
    UndoFailed,
    ToolchainFailed,
    KeepNotComposed,
    KeepAlreadyPreset,
    KeepFileFull,
    KeepNoItem,
    KeepNotWritten,
    StoredValueUnreadable,
};

// The two checkboxes as they stand.
struct Checkboxes {
    bool console = false;
    bool exx = false;
    friend bool operator==(const Checkboxes&, const Checkboxes&) = default;
};

// Options are numbered 1..N for the presets and N + 1 for "No preset used". An effect whose
// comment names an event expects it as its reply.
namespace effect {
// Write the values in order, all or none; reply WriteDone with the values they replaced, read
// just before.
struct Write {
    std::vector<KeyValue> values;
};
struct Select {
    int option;
};
// New options for these presets; a Select follows.
struct Rebuild {
    std::vector<std::wstring> presets;
};
// holdsBand: the utility's z-order band stays as it is while the box is open.
struct ShowMessage {
    Message message;
    bool holdsBand;
};
struct SetMarkers {
    Checkboxes ticks;
};
// Open the Edit box with the value stored now; reply EditClosed.
struct AskForValue {};
// Read MarlwickIII.ini; reply PresetFileRead.
struct ReadPresetFile {};
// Show these items at the status bar; reply ToolchainPicked.
struct OfferToolchains {
    std::vector<ToolchainItem> items;
};
// Add the text as the last preset of MarlwickIII.ini; reply PresetAppended.
struct AppendPreset {
    std::wstring text;
};
struct ShowStatus {
    std::wstring text;
};
struct FollowHost {
    HostWatchAction action;
};
// Grey the undo and redo items or enable them.
struct ShowHistory {
    bool canUndo;
    bool canRedo;
};
struct Beep {};
// Tick the checkboxes as a command asks, before it applies.
struct SetTicks {
    Checkboxes ticks;
};
// Tell the program that gave the command how it went.
struct AnswerCommand {
    CommandAnswer answer;
};
} // namespace effect

using Effect = std::variant<effect::Write, effect::Select, effect::Rebuild, effect::ShowMessage,
                            effect::SetMarkers, effect::AskForValue, effect::ReadPresetFile,
                            effect::OfferToolchains, effect::AppendPreset, effect::ShowStatus,
                            effect::FollowHost, effect::ShowHistory, effect::Beep, effect::SetTicks,
                            effect::AnswerCommand>;
using Effects = std::vector<Effect>;

// What WinFBE.ini holds now: the values as the IDE reads them, and CompilerSwitches whole, as the
// profile functions give it back.
struct StoredNow {
    IniValues read;
    std::wstring switches;
};

// The events a session meets. Stored values are as the IDE reads them.
struct Started {
    std::optional<IniValues> stored; // none while another program holds WinFBE.ini
};
struct Ticked {
    IniValues ini{};         // as last read
    bool iniCurrent = false; // what WinFBE.ini holds now: read, not gone, not held and changed
    std::optional<FileStamp> presetFile{}; // none while MarlwickIII.ini is gone
    std::uint64_t now = 0;                 // in the units of a file stamp
    HostWatchInputs host{};
    // The main window takes no input: a box the utility did not flag for the band is open.
    bool mainDisabled = false;
    bool minimised = false; // the main window is minimised: rebuilds wait
};
// The preset texts read, or none when the file could not be opened.
struct PresetFileRead {
    std::optional<std::vector<std::wstring>> presets;
};
struct Picked {
    int option;
};
// The option shown checked, whether or not a click made it so.
struct ApplyPressed {
    int option;
    Checkboxes ticks;
};
struct EditPressed {};
// Empty for Cancel, Escape, the close button or an empty field.
struct EditClosed {
    std::wstring text;
};
struct ClearPressed {};
// Undo walks back through the program's own writes, redo forward again; with what is stored
// now, or none while it cannot be read.
enum class Way { Back, Forward };
struct HistoryPressed {
    Way way;
    std::optional<IniValues> stored;
};
// The compiler keys as stored, whole, the IDE's folder and the toolchain folders listed.
struct ToolchainsListed {
    std::wstring stored32;
    std::wstring stored64;
    std::wstring ideFolder;
    std::wstring toolchainsFolder;
    std::vector<ToolchainFolder> folders;
};
// The item chosen, none when the menu was dismissed.
struct ToolchainPicked {
    std::optional<std::size_t> item;
};
// What is stored now (none while it cannot be read), the checkboxes, and the presets in
// MarlwickIII.ini now (none when it cannot be read).
struct KeepPressed {
    std::optional<StoredNow> stored;
    Checkboxes ticks;
    std::optional<std::vector<std::wstring>> presetsInFile;
};
enum class AppendOutcome {
    Appended,
    NotCarried, // the file would not give the text back, as for a character its code page lacks
    NotWritten,
};
struct PresetAppended {
    AppendOutcome outcome;
};
struct WriteDone {
    bool ok;
    std::vector<std::wstring> replaced; // whole, one for each value written, read just before
};
// A command of a User Tool, carried out as the clicks it stands for: with the option shown
// checked, the checkboxes, whether a box is open, what is stored now (none while it cannot be
// read) and the toolchains when it names one.
struct CommandGiven {
    ToolCommand command;
    int shownOption;
    Checkboxes ticks;
    bool boxOpen;
    std::optional<IniValues> stored;
    std::optional<ToolchainsListed> toolchains;
};

inline constexpr std::size_t kIdeReadLimit = 511;

class Session {
  public:
    // The presets as start-up read them, none when the file could not be read; the file's stamp
    // taken just before.
    Session(CodePageTrip codePage, std::optional<std::vector<std::wstring>> presets,
            std::optional<FileStamp> presetFile);

    Effects On(const Started& event);
    Effects On(const Ticked& event);
    Effects On(const PresetFileRead& event);
    Effects On(const Picked& event);
    Effects On(const ApplyPressed& event);
    Effects On(const EditPressed& event);
    Effects On(const EditClosed& event);
    Effects On(const ClearPressed& event);
    Effects On(const HistoryPressed& event);
    Effects On(const ToolchainsListed& event);
    Effects On(const ToolchainPicked& event);
    Effects On(const KeepPressed& event);
    Effects On(const PresetAppended& event);
    Effects On(const WriteDone& event);
    Effects On(const CommandGiven& event);

    const std::vector<std::wstring>& Presets() const { return presets_; }
    int Selected() const { return selected_; }
    int NoPresetOption() const { return static_cast<int>(presets_.size()) + 1; }
    bool CanUndo() const { return !undo_.Empty(); }
    bool CanRedo() const { return !redo_.Empty(); }
    std::size_t UndoDepth() const { return undo_.Size(); }
    std::size_t RedoDepth() const { return redo_.Size(); }
    // An option's tip: what Apply would write with the checkboxes as they stand, or for
    // "No preset used" the value stored now.
    std::wstring TipText(int option, Checkboxes ticks, std::wstring_view storedNow) const;

  private:
    enum class Command { Apply, Edit, Clear, Undo, Redo, Toolchain };
    struct PendingWrite {
        Command command;
        std::vector<KeyValue> values;
    };
    struct ToolchainOffer {
        std::vector<ToolchainItem> items;
        ToolchainsListed listed;
    };

    // The option start-up selects for a value as the IDE reads it.
    int OptionFor(std::wstring_view stored) const;
    // What a written value is given back as, once the IDE reads it.
    std::wstring AsStored(std::wstring_view written) const;
    // What the IDE reads of a value the profile functions give back whole.
    std::wstring AsIdeReads(std::wstring_view whole) const;
    Effects Write(Command command, std::vector<KeyValue> values);
    Effects Keep(const KeepPressed& event);
    // True when the write changed what the IDE reads.
    bool NoteOwnWrite(const PendingWrite& write, const std::vector<std::wstring>& replaced,
                      Effects& effects);
    Effects CarryOut(const CommandGiven& event);
    Effects PickToolchain(const ToolchainsListed& listed, const ToolchainFolder& picked);
    static effect::ShowMessage FailureOf(Command command);
    std::optional<int> OptionAfter(const PendingWrite& write, bool ok) const;
    int OptionFor(std::wstring_view stored, const std::vector<std::wstring>& presets) const;
    void FollowOutsideChange(const IniValues& stored, Effects& effects);
    void ForgetStepsHolding(IniKey key);
    void NoteHistory(Effects& effects) const;
    void WatchPresetFile(const Ticked& event, Effects& effects);
    int SelectionAfterRebuild(const std::vector<std::wstring>& presets) const;
    const std::wstring& Followed(IniKey key) const { return followed_[IndexOf(key)]; }

    CodePageTrip codePage_;
    std::vector<std::wstring> presets_;
    bool presetsKnown_; // MarlwickIII.ini has been read
    int selected_;
    IniValues followed_; // the stored values as last seen, or as own writes left them
    std::optional<IniValues> storedSeenOnce_;
    HostWatchState host_;
    std::wstring statusFrom_; // the compiler path the status text was cut from
    std::wstring statusShown_;
    UndoHistory undo_;
    UndoHistory redo_;
    std::optional<PendingWrite> pending_;
    bool answerAfterWrite_ = false; // a command waits for its write
    std::optional<ToolchainOffer> toolchains_;
    std::optional<std::wstring> kept_; // a kept preset's text, selected once the options show it
    // MarlwickIII.ini: the stamp of the presets shown and a new one seen at one tick; whether the
    // file may have changed under an unchanged stamp; the stamp of the read asked for and whether
    // it was asked for a new stamp; texts read once under an unchanged stamp, taken when the next
    // read agrees.
    FileStamp presetFileShown_;
    std::optional<FileStamp> presetFileSeenOnce_;
    bool presetFileMayHaveChanged_ = false;
    FileStamp presetFileRead_;
    bool readForNewStamp_ = false;
    std::optional<std::vector<std::wstring>> presetsReadOnce_;
};
