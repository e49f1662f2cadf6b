// libFuzzer target: arbitrary bytes as a demo file, read from its header through its last
// frame the way a playback reads it. Whatever the bytes, the reader must end: with the frames
// the header counts, or at the first fault with one line about it.

#include "game/demo.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FILE* stream = fmemopen(const_cast<std::uint8_t*>(data), size, "rb");
    if (!stream)
        return 0;
    if (demoOpen(stream, "fuzz.skdemo")) {
        Uint32 milliseconds = 0, frames = 0;
        Uint16 flags = 0;
        int got;
        while ((got = demoNext(&milliseconds, &flags)) > 0) {
            // Each frame takes at least two bytes: a file cannot hold more than that.
            if (milliseconds == 0 || (flags & 0xff00) || ++frames > size / 2)
                abort();
            demoFlagsApply(flags);
        }
    }
    fclose(stream);
    return 0;
}
