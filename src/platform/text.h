// Words on the screen, written with the font picture the generator draws (glyphs.h says how it
// holds them): the title's and the menus' text, in the game's styles. Glyphs are blended by
// their own alpha, so text is for the title and menus; play draws its numbers with the digit
// picture (digits.h).
//
// The styles, all DejaVu Sans with a dark ink outline:
//   Key         a key's name, gold and bold, 16 pixels
//   Word        plain words, pale blue, 16 pixels
//   Chosen      the line a menu has chosen: white, bold and glowing, 16 pixels
//   Heading     a heading, or the title strip's words: white, bold and glowing, 24 pixels
//   HeadingKey  a key's name among them: gold, bold and glowing, 24 pixels
// Printable ASCII only: any other character is written as '?'.
#pragma once

#include "platform/glyphs.h"

#include <SDL.h>

// Takes the font picture, loaded with its alpha (PictureKey::Alpha), and reads from it how far
// each glyph moves the pen and how high each style's line is. A picture of another size leaves
// the styles it cannot hold without glyphs: their text is written as nothing, 0 pixels wide.
void textLoad(SDL_Surface* font);

// Writes the text with its top-left corner at (x, y), the top of its line, on the surface
// (the screen when none is given): clipped to the surface, never wrapped. On the page only the
// screen, or a canvas of pictures.h, which is the screen there, is cheap to write on: its SDL
// copies any other surface back to memory after every glyph drawn on it.
void textDraw(TextStyle style, const char* text, int x, int y, SDL_Surface* onto = nullptr);

// How many pixels wide the text is written, and how high a line of the style stands (the
// distance from one line's top to the next's).
int textWidth(TextStyle style, const char* text);
int textHeight(TextStyle style);

// One line of several styles, such as words with a key's name among them: the runs one after
// the other from x, their baselines level, the top of the line at y (the tallest style's).
// Every run's outline and glow goes under every run's letters.
struct TextRun {
    TextStyle style;
    const char* text;
};
void textDrawRuns(const TextRun* runs, int count, int x, int y, SDL_Surface* onto = nullptr);
int textRunsWidth(const TextRun* runs, int count);
