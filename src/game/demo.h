// Demos: one game recorded into a file (the seed its dice start from, what carries over into
// it from before, and every frame's length and the actions held) and played back exactly, in
// real time on screen or as fast as it can go to time the display. The format is in
// docs/demo-format.md.
#pragma once

#include "game/frameloop.h"
#include "world/controls.h"

#include <SDL.h>

#include <cstddef>
#include <cstdio>

constexpr Uint16 DEMO_FORMAT = 1;
constexpr Uint32 DEMO_DIGEST_EVERY = 100;  // frames between two digests of the world

enum class DemoMode {
    None,
    Record,    // -record: the next game goes into the file
    Play,      // -playdemo: the file's game, in real time
    TimePlay,  // -timedemo: the file's game as fast as it goes, then its figures
};

extern DemoMode demoMode;  // what the command line asked for
extern bool demoDigests;   // -digest: the world's digest every 100 frames of a demo played

// The actions held as the file's key bits, and back.
Uint16 demoFlagsPack(const Controls& held);
Controls demoFlagsControls(Uint16 flags);

// Recording. Open checks at start-up that the file may be written and makes the file it is
// written under beside it, so that a game is never played for a recording that cannot be
// kept: false after one line on standard error. Start seeds the dice with a seed of its own
// and writes the header; each frame adds its length and the actions held, as the player's look
// gave them;
// finish gives the file its real name: false after one line when that, or any write before
// it, failed (the game went on unrecorded, and whatever bore the name before is whole).
bool demoRecordOpen(const char* file);
void demoRecordStart(int depth);
void demoRecordFrame(Uint32 milliseconds, const Controls& controls);
bool demoRecordFinish();

// Reading. Open reads and checks the header, seeds the dice and sets the cooldowns the game
// starts with; next gives the frames one by one: 1 and the frame's length and the actions
// held, 0 after the last, -1 for a file that goes wrong. Each failure prints one line on
// standard error, naming the file; a demo of another version of the game is played after one
// line saying so.
bool demoOpen(FILE* stream, const char* name);
int demoNext(Uint32* milliseconds, Controls* controls);

// A demo played on screen keeps the pace it was recorded at: the frame waits until as much
// real time has passed since the one before. A key or a closed window cuts the wait short,
// so that a frame recorded as a stall of hours cannot hold the player for hours.
void demoWaitReal(FrameClock* clock, Uint32 milliseconds);

// What a player sees of the world, for comparing two runs of one demo: lives, living
// enemies, the ship's place, picture and energy, and a checksum of every live entity's kind,
// pixel, rotation frame and health.
void demoDigest(char* text, std::size_t size);
// After each frame of a demo played back: with -digest, every 100th prints its digest; and
// once the demo has ended, the digest of its end.
void demoFramePlayed();
void demoEndSay();

// -playdemo and -timedemo: the whole game of the file, from the loaded sprites to its last
// frame (Escape ends it sooner); -timedemo then prints its figures, -digest the digest of
// the end. The exit status.
int demoPlay(const char* file);
