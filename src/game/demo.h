// Demos: one game recorded into a file (the seed its dice start from, what carries over into
// it from before, and every frame's length and key flags) and played back exactly, in real
// time on screen or as fast as it can go to time the display. The format is in
// docs/demo-format.md.
#pragma once

#include <SDL.h>

#include <cstdio>

constexpr Uint16 DEMO_FORMAT = 1;

enum class DemoMode {
    None,
    Record,    // -record: the next game goes into the file
    Play,      // -playdemo: the file's game, in real time
    TimePlay,  // -timedemo: the file's game as fast as it goes, then its figures
};

extern DemoMode demoMode;

// The key flags as bits, Up first, in the order of the file.
Uint16 demoFlagsPack();
void demoFlagsApply(Uint16 flags);

// Recording. Start seeds the dice with a seed of its own and opens a file beside the named
// one; each frame adds its length and the key flags after its event poll; finish gives the
// file its real name. A write that fails is one line on standard error, and the game goes on
// unrecorded.
void demoRecordStart(const char* file, int depth);
void demoRecordFrame(Uint32 milliseconds);
void demoRecordFinish();

// Reading. Open reads and checks the header, seeds the dice and sets the cooldowns the game
// starts with; next gives the frames one by one: 1 and the frame, 0 after the last, -1 for a
// file that goes wrong. Each failure prints one line on standard error, naming the file.
bool demoOpen(FILE* stream, const char* name);
int demoNext(Uint32* milliseconds, Uint16* flags);
Uint32 demoFramesRead();

// -playdemo and -timedemo: the whole game of the file, from the loaded sprites to its last
// frame (Escape ends it sooner); -timedemo then prints its figures. The exit status.
int demoPlay(const char* file);
