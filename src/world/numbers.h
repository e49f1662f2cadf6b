// The world-wide numbers: the size of the wrapping world, the living enemies, the camera
// that the ship carries, and what one game hands the next.
#pragma once

extern int worldWidth;  // pixels; the world wraps at both edges
extern int worldHeight;
extern int enemyCount;  // live enemies

// The world point shown at the centre of the screen; the ship moves it after each update.
extern double cameraX;
extern double cameraY;

// What one game hands the next, and nothing else does: the guns' cooldowns, which the ship
// keeps between games, and the frame rate shown in the corner until the next is measured. A
// game that must leave no trace (a demo the title screen shows) is played between a copy
// taken of it and that copy put back; a demo's header holds the cooldowns its game began with.
struct Carryover {
    double bulletCooldown;   // seconds gathered towards the next bullet
    double missileCooldown;  // the same for a missile pair
    double framesPerSecond;  // the latest frame rate; 0 until the first window of frames has passed
};
extern Carryover carried;
