// Sessions played against fakes of the profile functions and of the preset file, with the
// session's promises checked after every step. Shared by the property test and the fuzz target.
#pragma once

#include <cstddef>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

// One thing that happens beside the session: the user, the IDE, an editor or the clock. What arg
// chooses depends on the kind.
struct Happening {
    enum Kind : std::uint8_t {
        Tick,
        HalfWritten, // the next tick reads WinFBE.ini half written
        Pick,        // arg: the option
        Apply,       // arg: the checkboxes
        Edit,        // arg: the text confirmed, the ticks while the box is open, an IDE change then
        Clear,
        Undo,
        Redo,
        Toolchain, // arg: the item picked from the menu, or none
        Keep,      // arg: the checkboxes
        IdeStores, // arg: the key; for CompilerSwitches, a preset's value or one of no preset
        Rewrite,   // arg: the presets; with the same stamp when the clock allows
        Hold,      // the preset file is held, or free again; first in a story: held at start
        Minimise,  // or restore
        Held,      // WinFBE.ini is held (neither read nor written), or free again; first: at start
        Wait,      // five seconds pass
        Command,   // arg: a User Tool's command, a preset by number or text, undo or redo
        KindCount
    };
    Kind kind;
    std::uint8_t arg;
};
using Story = std::vector<Happening>;

// The first promise the session broke, and at which step; empty when it kept them all.
std::string Play(const Story& story);
Story RandomStory(std::mt19937& random, std::size_t length);
// Two bytes a happening.
Story StoryFromBytes(const std::uint8_t* data, std::size_t size);
std::string Describe(const Story& story);
