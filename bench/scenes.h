// The situations the benchmark times, built from the game's own start-up and its own
// spawn functions: a fresh game, and the fullest screen the pools allow.
#pragma once

#include "world/controls.h"

#include <SDL.h>

constexpr Uint32 FRAME_MILLISECONDS = 16;  // a steady 62.5 frames a second

// How far the floor figure's camera moves each frame: five pixels, about the ship's top
// speed, so the background is drawn at every offset a game shows (SDL copies rows that
// start on a 16-byte boundary another way than the rest).
constexpr int FLOOR_STEP_X = 3;
constexpr int FLOOR_STEP_Y = 4;

// What the ship is asked every frame of the benchmark: to turn left with both guns held.
constexpr Controls BENCH_CONTROLS{
    static_cast<std::uint16_t>(actionBit(Action::Left) | actionBit(Action::Fire) | actionBit(Action::Missiles)), 0};

// SDL's dummy drivers, chosen before SDL starts.
void useDummyDrivers();

// The game's start-up as main and the title screen run it: appInit with the default
// 640 x 480 x 16 request and these video flags, then every sprite set. 0 when it worked;
// otherwise the game has printed why.
int gameBoot(Uint32 videoFlags);

// Frees every picture and sound the boot made, closes the mixer and shuts SDL down, so the
// next boot starts from nothing.
void gameShutDown();

// A game as the title screen starts it, its frames FRAME_MILLISECONDS long with
// BENCH_CONTROLS, each played by the game's own loop (gameTurn). The same random sequence
// every time, so every run plays the same game.
void typicalGameStart();

// 500 enemies on the screen around the ship, 50 shots in flight between their rows and 50
// pieces of debris, all live. Kept as a snapshot that crowdRestore puts back.
void crowdBuild();
void crowdRestore();

// After a crowd frame: empty when every enemy, shot and piece survived the frame and every
// enemy was drawn on the screen; otherwise what went wrong.
const char* crowdCheck();
