// The real game played headless, frame by frame, inside the test program: start-up with the
// generated pictures and sounds on SDL's dummy drivers, games begun and ended as the game's
// own loop does, key presses through SDL's real event queue, and the rules that must hold
// after every frame of play.
#pragma once

#include <cstdint>
#include <random>
#include <string>

// The control keys a player holds during a frame, and Escape pressed in it.
struct HeldKeys {
    bool up = false;
    bool down = false;
    bool left = false;
    bool right = false;
    bool space = false;
    bool rightCtrl = false;
    bool m = false;
    bool rightShift = false;
    bool escape = false;
};

// Reads keys from letters: U D L R for the arrows, F for Space, C for right Ctrl, M, H for
// right Shift, E for Escape; anything else is ignored.
HeldKeys keysFromLetters(const char* letters);

// SDL on the dummy drivers, appInit with the game's own files and every sprite set loaded,
// as the first title screen leaves the game. Once per process; false when start-up failed
// (the game has said why on standard error).
bool playStartup();

// What the rules remember from one frame to judge the next.
struct PlayWatch {
    int enemies = 0;  // enemyCount after the previous frame
    int lives = 0;
};

// A new game as the title screen's Space begins it.
void playGameStart(PlayWatch& watch);

// One frame of the game's loop: the key changes since the previous frame (and Escape) pushed
// into SDL's queue, inputPoll, then frameRun(seconds); with draw false only the world is
// updated. 1 when the game ends after this frame: Escape, or the last life lost.
int playFrame(const HeldKeys& keys, double seconds, bool draw);

// The two halves of playFrame: what the player does, and what the game does with it.
void playKeys(const HeldKeys& keys);
int playStep(double seconds, bool draw);

// Empty while every rule of play holds; otherwise the first broken one, in words.
std::string playRulesBroken(PlayWatch& watch);

// A player who presses and releases keys at random and whose frames last from 1 ms to 3 s:
// mostly short frames, now and then a slow one, rarely a stall of seconds.
class RandomPlayer {
public:
    explicit RandomPlayer(std::uint32_t seed) : random_(seed) { }
    // The keys for the next frame; Escape about once in leaveOdds frames (never when 0).
    HeldKeys nextKeys(int leaveOdds);
    // Seconds in whole milliseconds, as the game's clock measures them.
    double nextSeconds();

private:
    std::mt19937 random_;
    HeldKeys held_;
};
