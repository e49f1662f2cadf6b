// The controls screen, opened from the title: every action of the game, in the order of the
// actions' table, with the keys and pad buttons it has now, one action chosen at a time. The
// player binds the next key or pad button pressed to the chosen action, or gives it back its
// defaults; each change is saved at once into the settings file, and the screen says what it
// did.
#pragma once

// Runs the screen until the player goes back to the title (1) or closes the window (0, which
// ends the program).
int controlScreenRun();

// One pass of it: the events queued, then the screen drawn and shown. 1 back to the title, 0
// the window closed, CONTROLS_GOING for another pass.
constexpr int CONTROLS_GOING = 2;
int controlScreenStep();

// Opens it afresh: the first action chosen, nothing awaited, and the screen's line saying
// whether changes will be saved.
void controlScreenOpen();
