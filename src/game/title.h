// The screen between games: the intro picture with the loading picture while the sprites
// are read (once), then with the ready picture until the player starts or leaves.
#pragma once

constexpr int TITLE_STRIP_Y = 340;  // where the loading and ready pictures go
constexpr int TITLE_POLL_MS = 100;

extern int spritesLoaded;  // 1 from the moment the sprites begin to load

// 1 to start a game, 0 to end the program, -1 when a sprite set failed to load.
int titleScreenRun();

// Loads the ship, enemy, bullet, missile and shrapnel pictures, in that order; -1 at the
// first loader that fails.
int spritesLoadAll();
