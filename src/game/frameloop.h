// The owner of time: one game from its set-up, the one loop every game runs whoever gives its
// frames (the player, a demo, the title screen's demos, a test, the fuzzer, the benchmark),
// the one step every frame takes, the measured frame rate, and the pause.
#pragma once

#include "world/controls.h"

#include <SDL.h>

constexpr int FPS_WINDOW = 20;  // frames per frame-rate measurement
constexpr int ENEMIES_PER_GAME = 199;

struct FrameClock {
    Uint32 lastTick;     // the time of the previous frame, the game's own
    Uint32 windowStart;  // when the current frame-rate window began
    int framesInWindow;
};

void frameClockStart(FrameClock* clock, Uint32 now);

// Seconds since the previous frame for a frame starting at now, counting the frame into the
// frame-rate window. Differences are taken in unsigned 32 bits, so they stay right when the
// millisecond clock wraps after 49.7 days.
double frameClockAdvance(FrameClock* clock, Uint32 now);

// One frame as its source gives it, or one look at the player while the game stands paused
// (only leave and pause count then).
struct Frame {
    Uint32 milliseconds = 0;       // how long it lasts
    Controls controls;             // what the ship is asked
    bool leave = false;            // the game ends after it
    bool pause = false;            // the game stands paused after it
    bool draw = true;              // drawn and shown; long headless play leaves it out
    SDL_Surface* plate = nullptr;  // a picture over it (the title screen's demos), or none
    double wait = 0;               // seconds to wait before asking again, when it is not yet due
};

// What a source answers when asked for the next frame.
enum class FrameAnswer {
    Ready,   // here it is
    NotYet,  // its time has not come: ask again after the frame's wait
    None,    // there is none (a demo's end): the game is over
};

// Who gives a game its frames. The loop knows no other difference between a game played, a
// demo and a test: each is a constant record of three operations, as a kind of entity is. No
// operation waits: a frame that is not yet due says so, and the loop itself waits, for a wait
// in a browser must be the loop's own (the page gets its turn only through direct calls).
struct FrameSource {
    // The next frame, or that it is not yet due, or that there is none.
    FrameAnswer (*next)(Frame* frame);
    // A look at the player while the game stands paused, a wait after the one before: leave
    // ends the game, and the game resumes once pause is false.
    void (*paused)(Frame* look);
    // The frames' own time begins afresh: the game starts, or the pause ends. May be empty
    // (the frames of a demo have lengths of their own).
    void (*restart)();
};

// The player at the keyboard and pad, frame after frame as SDL's clock moves on, in step with
// the display where the game paces itself. Its three operations serve the sources that play
// the player's keys: one look at the player made a frame of the given length, the look while
// paused, and its clock started afresh.
extern const FrameSource playerSource;
Frame playerFrame(Uint32 milliseconds);
void playerPausedLook(Frame* look);
void playerClockRestart();

// True while the game stands paused: Pause turns it over, a window losing the keyboard sets it.
extern bool gamePaused;

// Sets up a game played from the source: unpaused, the keys let go on the title screen let
// go, the ship, empty pools, the enemies, and its clock at clockStart.
void gameStart(const FrameSource& source, Uint32 clockStart);
void gameStart(const FrameSource& source);  // the clock at SDL's time

// One turn of the loop: the source's next frame stepped, or, while the game stands paused, a
// look under the PAUSED picture. False once the game is over: left, its last life lost, or the
// source out of frames. The frame in which the player leaves is still played.
bool gameTurn();

// Turns until the game is over.
void gameRun();

// The PAUSED picture over the frozen frame, shown.
void pausedShow();
