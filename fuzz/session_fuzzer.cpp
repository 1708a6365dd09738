// libFuzzer target: any bytes as a story of the user, the IDE, an editor and the clock beside one
// session, two bytes a happening. Every promise the property test checks must hold for it too.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "session_world.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const Story story = StoryFromBytes(data, size);
    if (const std::string broken = Play(story); !broken.empty()) {
        std::fprintf(stderr, "%s\n  story: %s\n", broken.c_str(), Describe(story).c_str());
        std::abort();
    }
    return 0;
}
