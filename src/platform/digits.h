// The digit display: whole numbers drawn with the glyphs of the digit picture, the only
// text the game draws during play.
#pragma once

#include <SDL.h>

constexpr int DIGIT_WIDTH = 17;
constexpr int DIGIT_HEIGHT = 32;

// The ten glyphs side by side, 0 to 9, magenta transparent; loaded at start-up.
extern SDL_Surface* numbersImage;

// Draws the lowest `digits` decimal digits of value, with leading zeros, in the field whose
// top-left corner is screen pixel (x, y).
void numberDraw(int value, int x, int y, int digits);
