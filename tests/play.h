// The real game played headless, frame by frame, inside the test program (and the fuzzer):
// start-up with the generated pictures and sounds on SDL's dummy drivers, games begun as the
// title screen's Space begins them, keys through SDL's real event queue, the game's own
// frame steps, the rules of the world that must hold after every frame, and a digest of
// the world that golden games are compared by.
#pragma once

#include "world/controls.h"

#include <SDL.h>

#include <cstdint>
#include <random>
#include <string>

// SDL's dummy drivers for this process and what it starts: the tests' main sets them, playStartup the fuzzer's.
void useDummyDrivers();
// A key pressed or released through SDL's real event queue, with those modifiers held.
void pushKey(SDLKey key, bool down, SDLMod held = KMOD_NONE);

// appInit in a window with the game's own files, and every sprite set loaded, as the first
// title screen leaves the game. Once per process; false when start-up failed.
bool playStartup();

// What the rules remember of one frame to judge the next.
struct PlayWatch {
    int enemies = 0;
    int lives = 0;
};

// A new game, as Space on the title screen begins one, played frame by frame through
// playStep, the game's clock starting at the given time.
void playGameStart(PlayWatch& watch, Uint32 clockStart = 0);

// Pushes the presses and releases that take the keyboard from the keys of the previous call
// to these, and Leave's key when asked. Keys are letters of actions: U thrust, D brake, L
// left, R right, F fire and C its second key, M missiles and H their second key, each the
// key the game's table gives.
void playKeys(const std::string& keys, bool escape = false);

// What a game being recorded is given of each frame before it is played.
using Recorder = void (*)(Uint32 milliseconds, const Controls& controls);

// One turn of a game the player plays, through the game's own loop: a frame lasting that long
// on the harness's clock, with or without its drawing, recorded when asked; while paused, a
// look under the PAUSED plate. 1 when the game ends after it.
int playStep(unsigned milliseconds, bool draw = true, Recorder recorder = nullptr);

// Empty while every rule of play holds; otherwise the first broken one, in words.
std::string playRulesBroken(PlayWatch& watch);

// The world as the game's own digest gives it, as -digest prints it.
std::string playDigest();

// A player who holds keys for a few dozen frames at a time, guns more often than not, and
// whose frames last 1 ms to 3 s: mostly short, now and then slow, rarely a stall of seconds.
class RandomPlayer {
public:
    explicit RandomPlayer(std::uint32_t seed) : random_(seed) { }
    std::string nextKeys();
    unsigned nextMilliseconds();
    bool chance(int in) { return std::uniform_int_distribution<int>(1, in)(random_) == 1; }

private:
    std::mt19937 random_;
    std::string held_;
};
