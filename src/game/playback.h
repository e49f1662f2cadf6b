// Demos played back exactly: the file's game in real time on screen, as fast as it goes to
// time the display (-timedemo), or shown on the title screen; and what a played demo prints
// of its world for comparing runs.
#pragma once

#include "game/frameloop.h"

#include <SDL.h>

#include <cstdio>

constexpr Uint32 DEMO_DIGEST_EVERY = 100;  // frames between two digests of the world

extern bool demoDigests;  // -digest: the world's digest every 100 frames of a demo played

// Reads the header of the demo in stream (named name in its messages), seeds the dice and
// sets what carried over into its game as it began; false after one line on standard error.
// Next gives its frames one by one: 1 and the frame's length and the actions held, 0 after
// the last, -1 for a file that goes wrong, after one line.
bool demoOpen(FILE* stream, const char* name);
int demoNext(Uint32* milliseconds, Controls* controls);

// The open demo's next frame, its length and the actions held, when it is due: at once when
// played as fast as it goes; on screen, in real time, it keeps the pace it was recorded at:
// the frame is due once as much real time has passed since the one before was shown, or as
// soon as a key, a button, a click or a closed window waits, so that a frame recorded as a
// stall of hours cannot hold the player for hours. None after the last frame, or one that
// goes wrong (after its line). Restart starts that pace afresh (a new game, a pause's end).
FrameAnswer demoFrameDue(Frame* frame, bool real);
void demoRealRestart();

// The open demo's frames in real time, and as fast as they go; the player may still leave,
// pause or take a screenshot, and the file's keys play the ship.
extern const FrameSource demoSource;
extern const FrameSource timedDemoSource;

// What a player sees of the world, as -digest prints it.
void demoDigest(char* text, std::size_t size);
// After each turn of a demo played back: with -digest, each 100th frame prints its digest,
// once; and once the demo has ended, the digest of its end.
void demoFramePlayed();
void demoEndSay();

// -playdemo and -timedemo: the whole game of the file, from the loaded sprites to its last
// frame (Escape ends it sooner); timed, it then prints its figures, -digest the digest of the
// end. The exit status.
int demoPlay(const char* file, bool timed);
