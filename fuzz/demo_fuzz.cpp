// libFuzzer target: arbitrary bytes as a demo file, read from its header through its last
// frame the way a playback reads it. Whatever the bytes, the reader must end: with the frames
// the header counts, or at the first fault with one line about it.

#include "game/demofile.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FILE* stream = fmemopen(const_cast<std::uint8_t*>(data), size, "rb");
    if (!stream)
        return 0;
    DemoReader reader;
    if (demoHeaderRead(&reader, stream, "fuzz.skdemo")) {
        Uint32 milliseconds = 0, frames = 0;
        Controls held;
        // A demo holds play's actions only, and what it holds packs back into the same bits.
        constexpr Uint16 PLAY_ACTIONS = (1u << static_cast<int>(Action::Missiles) + 1) - 1;
        while (demoFrameRead(&reader, &milliseconds, &held) > 0) {
            // Each frame takes at least two bytes: a file cannot hold more than that.
            if (milliseconds == 0 || (held.held & ~PLAY_ACTIONS) || held.pressed || ++frames > size / 2)
                abort();
            if (demoFlagsControls(demoFlagsPack(held)).held != held.held)
                abort();
        }
    }
    fclose(stream);
    return 0;
}
