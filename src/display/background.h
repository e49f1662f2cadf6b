// The camera (the world point at the centre of the screen) and the tiled, scrolling
// background that covers the whole screen at the start of every frame's drawing.
#pragma once

extern double cameraX;
extern double cameraY;

// Fills the screen so that screen pixel (sx, sy) shows picture pixel
// ((sx + offsetX) mod W, (sy + offsetY) mod H).
void backgroundDraw(int offsetX, int offsetY);
