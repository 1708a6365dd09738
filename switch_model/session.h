// One session of the utility beside the IDE: the stored value as the IDE reads it, the presets
// shown, the option selected, what undo keeps and what waits for a box to close. It takes one
// event at a time and answers with what the window is to do; it calls no system function, so
// that a test can drive thousands of sessions.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "host_watch.h"
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
};

// Options are numbered 1..N for the presets and N + 1 for "No preset used".
namespace effect {
// Write CompilerSwitches; then report WriteDone with the value it replaced, read just before.
struct Write {
    std::wstring value;
};
struct Select {
    int option;
};
// New options for these presets; a Select follows.
struct Rebuild {
    std::vector<std::wstring> presets;
};
// holdsBand: the utility's z-order band stays as it is while the box is open.
struct Show {
    Message message;
    bool holdsBand;
};
struct SetMarkers {
    bool console;
    bool exx;
};
// Open the Edit box with the value stored now; report EditClosed.
struct AskForValue {};
// Read MarlwickIII.ini; report PresetFileRead.
struct ReadPresetFile {};
// The status bar's text, narrow as the IDE's path.
struct Status {
    std::string text;
};
struct Host {
    HostWatchAction action;
};
// Grey the undo item or enable it.
struct History {
    bool canUndo;
};
struct Beep {};
} // namespace effect

using Effect = std::variant<effect::Write, effect::Select, effect::Rebuild, effect::Show,
                            effect::SetMarkers, effect::AskForValue, effect::ReadPresetFile,
                            effect::Status, effect::Host, effect::History, effect::Beep>;
using Effects = std::vector<Effect>;

// The events a session meets.
struct Started {
    std::wstring stored; // CompilerSwitches as the IDE reads it
};
struct Ticked {
    std::optional<std::wstring> stored{};  // as the IDE reads it; none while WinFBE.ini is not read
    std::string compilerPath{};            // FBWINCompiler32
    std::optional<FileStamp> presetFile{}; // none while MarlwickIII.ini is gone
    std::uint64_t now = 0;                 // in the units of a file stamp
    HostWatchInputs host;
    bool boxOpen = false;   // a box of the utility is open: writes, rebuilds and following wait
    bool minimised = false; // the main window is minimised: rebuilds wait
};
// The preset texts read, or none when the file could not be opened.
struct PresetFileRead {
    std::optional<std::vector<std::wstring>> presets;
};
struct Picked {
    int option;
};
struct ApplyPressed {
    bool console;
    bool exx;
};
struct EditPressed {};
// Empty for Cancel, Escape, the close button or an empty field.
struct EditClosed {
    std::wstring text;
};
struct ClearPressed {};
struct UndoPressed {
    std::optional<std::wstring> stored; // as the IDE reads it now; none while it cannot be read
};
struct WriteDone {
    bool ok;
    std::wstring replaced; // whole, as the profile functions gave it just before the write
};

using Event = std::variant<Started, Ticked, PresetFileRead, Picked, ApplyPressed, EditPressed,
                           EditClosed, ClearPressed, UndoPressed, WriteDone>;

// A value narrowed to the IDE's ANSI code page, at most maxBytes of it, and widened again: what the
// IDE reads of a value, with the 511 bytes it reads. A parameter, so that the session stays free
// of the system's code pages.
using CodePageTrip = std::function<std::wstring(std::wstring_view value, std::size_t maxBytes)>;
inline constexpr std::size_t kIdeReadLimit = 511;

class Session {
  public:
    // The presets as start-up read them, none when the file could not be read; the file's stamp
    // taken just before.
    Session(CodePageTrip codePage, std::optional<std::vector<std::wstring>> presets,
            std::optional<FileStamp> presetFile);

    Effects On(const Event& event);
    Effects On(const Started& event);
    Effects On(const Ticked& event);
    Effects On(const PresetFileRead& event);
    Effects On(const Picked& event);
    Effects On(const ApplyPressed& event);
    Effects On(const EditPressed& event);
    Effects On(const EditClosed& event);
    Effects On(const ClearPressed& event);
    Effects On(const UndoPressed& event);
    Effects On(const WriteDone& event);

    const std::vector<std::wstring>& Presets() const { return presets_; }
    int Selected() const { return selected_; }
    int NoPresetOption() const { return static_cast<int>(presets_.size()) + 1; }
    bool CanUndo() const { return !undo_.Empty(); }
    std::size_t UndoDepth() const { return undo_.Size(); }
    // The option start-up selects for a value as the IDE reads it.
    int OptionFor(std::wstring_view stored) const;
    // What a written value is given back as, once the IDE reads it.
    std::wstring AsStored(std::wstring_view written) const;
    // What the IDE reads of a value the profile functions give back whole.
    std::wstring AsIdeReads(std::wstring_view whole) const;
    // An option's tip: what Apply would write with the checkboxes as they stand, or for
    // "No preset used" the value stored now.
    std::wstring TipText(int option, bool console, bool exx, std::wstring_view storedNow) const;

  private:
    enum class Command { Apply, Edit, Clear, Undo };
    struct PendingWrite {
        Command command;
        std::wstring value;
    };

    Effects Write(Command command, std::wstring value);
    int OptionFor(std::wstring_view stored, const std::vector<std::wstring>& presets) const;
    static effect::Show FailureOf(Command command);
    std::optional<int> OptionAfter(const PendingWrite& write, bool ok) const;
    void FollowOutsideChange(const std::wstring& stored, Effects& effects);
    void ForgetOwnWrites(Effects& effects);
    void WatchPresetFile(const Ticked& event, Effects& effects);
    int SelectionAfterRebuild(const std::vector<std::wstring>& presets) const;

    CodePageTrip codePage_;
    std::vector<std::wstring> presets_;
    int selected_;
    std::wstring followed_; // the stored value the selection last followed, or own last write
    std::optional<std::wstring> storedSeenOnce_;
    HostWatchState host_;
    std::string statusShown_;
    UndoHistory undo_;
    std::optional<PendingWrite> pending_;
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
