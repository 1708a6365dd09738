// Commands on the command line, as the IDE's User Tools run the utility with a key of their own:
// what the arguments ask for, before the running copy carries it out.
#pragma once

#include <optional>
#include <string>
#include <vector>

struct ToolCommand {
    std::optional<int> applyNumber{};        // preset N, 1 to the number of presets
    std::optional<std::wstring> applyText{}; // the preset whose text this is
    std::optional<bool> console{};           // set first, then applied
    std::optional<bool> exx{};
    bool undo = false;
    bool redo = false;
    std::optional<std::wstring> toolchain{}; // a folder the toolchain menu lists
    friend bool operator==(const ToolCommand&, const ToolCommand&) = default;
};

// How a command went, as the exit code of the copy that was given it.
enum class CommandAnswer { Done = 0, NothingToDo = 1, WrongArguments = 2, Refused = 3 };

// The command the arguments give. Switches are matched without regard to case and begin with "/"
// or "-"; a number is all digits. None when the arguments are wrong: an unknown switch, one given
// twice or without its value, a value other than on or off, undo, redo or a toolchain beside any
// other switch, or no command at all.
std::optional<ToolCommand> ParseToolCommand(const std::vector<std::wstring>& arguments);
