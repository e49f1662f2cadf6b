// The world-wide numbers: the size of the wrapping world, the living enemies, the camera
// that the ship carries, and the frame rate shown in the corner.
#pragma once

extern int worldWidth;  // pixels; the world wraps at both edges
extern int worldHeight;
extern int enemyCount;  // live enemies

// The world point shown at the centre of the screen; the ship moves it after each update.
extern double cameraX;
extern double cameraY;

// The latest frame rate; 0 until the first window of frames has passed, kept between games.
extern double framesPerSecond;
