// The demo file, as docs/demo-format.md lays it out: a header (the seed the game's dice began
// from, what carried over into its game, how many frames follow) and every frame's length and
// the actions held, little-endian whatever the machine. Writing and reading; what a recording
// or a playback does with them is theirs.
#pragma once

#include "world/controls.h"

#include <SDL.h>

#include <cstdio>

constexpr Uint16 DEMO_FORMAT = 1;

struct DemoHeader {
    Uint16 format;
    Uint16 major;  // the game's version that recorded it
    Uint16 minor;
    Uint32 seed;
    Uint16 depth;  // the screen's bits per pixel while it was recorded
    double bulletCooldown;
    double missileCooldown;
    Uint32 frames;
};

// The actions held as the file's key bits, and back.
Uint16 demoFlagsPack(const Controls& held);
Controls demoFlagsControls(Uint16 flags);

// The header as it begins a file; the frames, each with its flags only when they changed since
// the frame before (the first always has them); and the count of frames put into the header
// once the game has ended. The stream's error state tells whether the writes went well.
void demoHeaderWrite(FILE* file, const DemoHeader& header);
void demoFrameWrite(FILE* file, Uint32 milliseconds, Uint16 flags, bool flagsChanged);
void demoFrameCountWrite(FILE* file, Uint32 frames);

// One file read from its start. A failure is one line on standard error, "failed to play demo
// NAME: why", and the reader is broken from then on.
struct DemoReader {
    FILE* file;
    const char* name;
    DemoHeader header;
    Uint32 framesRead;
    Uint16 flags;  // the key bits of the frame before
    bool broken;
};

// Reads and checks the header: false after its line. A demo of another version of the game is
// read after one line saying so.
bool demoHeaderRead(DemoReader* reader, FILE* file, const char* name);

// The next frame's length and the actions held: 1, 0 after the last, -1 after its line.
int demoFrameRead(DemoReader* reader, Uint32* milliseconds, Controls* controls);

// Marks the reader broken after one line for why; false, for returning.
bool demoReadFailed(DemoReader* reader, const char* why);
