// Recording the player's next game into a demo file (-record), written whole or not at all.
#pragma once

#include "game/frameloop.h"

// Open checks at start-up that the file may be written and makes the file it is written under
// beside it, so that a game is never played for a recording that cannot be kept: false after
// one line on standard error. A program that ends without recording leaves nothing behind.
bool demoRecordOpen(const char* file);

// Seeds the dice with a seed of its own, as only a recorded game is, and writes the header.
void demoRecordStart(int depth);

// Adds one frame: its length and the actions held, as the player's look gave them.
void demoRecordFrame(Uint32 milliseconds, const Controls& controls);

// Gives the file its real name: false after one line when that, or any write before it,
// failed (the game went on unrecorded, and whatever bore the name before is whole).
bool demoRecordFinish();

// The player, each frame recorded as it is played.
extern const FrameSource recordSource;
