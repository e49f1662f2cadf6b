#include "platform/digits.h"

#include "platform/screen.h"

SDL_Surface* numbersImage = nullptr;

void numberDraw(int value, int x, int y, int digits)
{
    // The game only shows counts and rates; anything below zero reads as zeros.
    if (value < 0)
        value = 0;
    for (int i = 0; i < digits; i++) {
        const int digit = value % 10;
        SDL_Rect glyph{static_cast<Sint16>(DIGIT_WIDTH * digit), 0, DIGIT_WIDTH, DIGIT_HEIGHT};
        SDL_Rect place{static_cast<Sint16>(x + DIGIT_WIDTH * (digits - 1 - i)), static_cast<Sint16>(y), 0, 0};
        SDL_BlitSurface(numbersImage, &glyph, screenSurface, &place);
        value /= 10;
    }
}
