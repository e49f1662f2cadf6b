// The keyboard during play: SDL's event queue turned into eight key flags for the ship,
// screenshots on S, and the player's wish to leave the game.
#pragma once

// 1 while the key is held. Written only here; they last across frames and games.
extern int keyUp;
extern int keyDown;
extern int keyRight;
extern int keyLeft;
extern int keySpace;
extern int keyRightCtrl;
extern int keyM;
extern int keyRightShift;

// Empties the event queue; 1 when Escape (pressed or released) or a window close asked to
// leave the game, with any later events left queued; 0 otherwise.
int inputPoll();

// Lets go of every flag whose key the keyboard shows up now. The title screen takes key
// releases without touching the flags, so a key let go there would otherwise stay held into
// the next game; a flag is never set here, so the Space that starts a game does not fire.
void inputReleaseLiftedKeys();
