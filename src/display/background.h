// The tiled, scrolling background that covers the whole screen at the start of every
// frame's drawing, seen from the camera.
#pragma once

#include <SDL.h>

// The picture tiled over the screen, loaded at start-up.
extern SDL_Surface* backgroundImage;

// Fills the screen so that screen pixel (sx, sy) shows picture pixel
// ((sx + offsetX) mod W, (sy + offsetY) mod H).
void backgroundDraw(int offsetX, int offsetY);
