#include "platform/text.h"

#include "platform/screen.h"

#include <algorithm>
#include <initializer_list>

namespace {

SDL_Surface* fontPicture = nullptr;

// What the font picture says of a style; a style it cannot hold has no glyphs.
struct StyleMetrics {
    bool held;
    int ascent, height;
    int advance[GLYPH_COUNT];
};
StyleMetrics metrics[TEXT_STYLE_COUNT] = {};

// The font picture's alpha at (x, y), the picture locked; 0 outside it.
int alphaAt(SDL_Surface* font, int x, int y)
{
    if (x < 0 || y < 0 || x >= font->w || y >= font->h)
        return 0;
    if (font->format->BytesPerPixel != 4)
        return 0;  // a picture with its alpha has 32 bits a pixel
    const Uint32 value = reinterpret_cast<const Uint32*>(static_cast<const Uint8*>(font->pixels) + y * font->pitch)[x];
    Uint8 r, g, b, a;
    SDL_GetRGBA(value, font->format, &r, &g, &b, &a);
    return a;
}

bool opaque(SDL_Surface* font, int x, int y)
{
    return alphaAt(font, x, y) >= 128;
}

// The length of the opaque run from (x, y) on in the direction (dx, dy), and whether the
// rest of the line up to `end` is clear.
int run(SDL_Surface* font, int x, int y, int dx, int dy, int end, bool* clearAfter)
{
    int length = 0;
    while (length < end && opaque(font, x + dx * length, y + dy * length))
        length++;
    *clearAfter = true;
    for (int at = length; at < end; at++)
        *clearAfter = *clearAfter && !opaque(font, x + dx * at, y + dy * at);
    return length;
}

// Reads a style's line and rulers; false when the picture holds no such band.
bool styleRead(SDL_Surface* font, TextStyle style, StyleMetrics* into)
{
    const TextStyle outlines = glyphStyle(style).outlines;
    for (const TextStyle band : {outlines, style})
        if (font->w < GLYPH_PICTURE_WIDTH ||
            font->h < glyphBandTop(band, GlyphLayer::Over) + glyphBandHeight(band, GlyphLayer::Over))
            return false;
    // The line: the run in column 0 of the space's outline cell, below whatever clear rows.
    const GlyphCell& under = glyphCell(style, GlyphLayer::Under);
    const GlyphPlace space = glyphPlace(style, ' ', GlyphLayer::Under);
    int top = 0;
    while (top < under.height && !opaque(font, space.x, space.y + top))
        top++;
    bool clear = false;
    into->height = run(font, space.x, space.y + top, 0, 1, under.height - top, &clear);
    into->ascent = under.baseline - top;
    if (into->height == 0 || !clear || into->ascent <= 0)
        return false;
    const GlyphCell& over = glyphCell(style, GlyphLayer::Over);
    for (int glyph = 0; glyph < GLYPH_COUNT; glyph++) {
        const GlyphPlace at = glyphPlace(style, static_cast<char>(GLYPH_FIRST + glyph), GlyphLayer::Over);
        into->advance[glyph] = run(font, at.x + over.penX, at.y, 1, 0, over.width - over.penX, &clear);
        for (int x = 0; x < over.penX; x++)
            clear = clear && !opaque(font, at.x + x, at.y);
        if (!clear)
            return false;
    }
    return true;
}

char shown(char character)
{
    return character >= GLYPH_FIRST && character <= GLYPH_LAST ? character : '?';
}

// One layer of the text, its pen from x along the baseline.
void layerDraw(TextStyle style, const char* text, int x, int baseline, GlyphLayer layer, SDL_Surface* onto)
{
    const StyleMetrics& known = metrics[static_cast<int>(style)];
    if (!known.held)
        return;
    const GlyphCell& cell = glyphCell(style, layer);
    for (; *text; text++) {
        const char character = shown(*text);
        if (character != ' ') {  // nothing to draw, in any style
            const GlyphPlace at = glyphPlace(style, character, layer);
            // Row 0 and column 0 of a cell hold the rulers, never a glyph.
            SDL_Rect from{static_cast<Sint16>(at.x + 1), static_cast<Sint16>(at.y + 1),
                          static_cast<Uint16>(cell.width - 1), static_cast<Uint16>(cell.height - 1)};
            SDL_Rect to{static_cast<Sint16>(x - cell.penX + 1), static_cast<Sint16>(baseline - cell.baseline + 1), 0,
                        0};
            SDL_BlitSurface(fontPicture, &from, onto, &to);
        }
        x += known.advance[character - GLYPH_FIRST];
    }
}

}  // namespace

void textLoad(SDL_Surface* font)
{
    fontPicture = font;
    for (StyleMetrics& style : metrics)
        style = {};
    if (!font || SDL_LockSurface(font) < 0)
        return;
    for (int style = 0; style < TEXT_STYLE_COUNT; style++) {
        StyleMetrics& read = metrics[style];
        read.held = styleRead(font, static_cast<TextStyle>(style), &read);
        if (!read.held)
            read = {};  // nothing half read
    }
    SDL_UnlockSurface(font);
}

void textDraw(TextStyle style, const char* text, int x, int y, SDL_Surface* onto)
{
    const TextRun run{style, text};
    textDrawRuns(&run, 1, x, y, onto);
}

int textWidth(TextStyle style, const char* text)
{
    const StyleMetrics& known = metrics[static_cast<int>(style)];
    int width = 0;
    for (; known.held && *text; text++)
        width += known.advance[shown(*text) - GLYPH_FIRST];
    return width;
}

int textHeight(TextStyle style)
{
    return metrics[static_cast<int>(style)].height;
}

void textDrawRuns(const TextRun* runs, int count, int x, int y, SDL_Surface* onto)
{
    if (!onto)
        onto = screenSurface;
    int ascent = 0;
    for (int i = 0; i < count; i++)
        ascent = std::max(ascent, metrics[static_cast<int>(runs[i].style)].ascent);
    for (const GlyphLayer layer : {GlyphLayer::Under, GlyphLayer::Over}) {
        int pen = x;
        for (int i = 0; i < count; i++) {
            layerDraw(runs[i].style, runs[i].text, pen, y + ascent, layer, onto);
            pen += textWidth(runs[i].style, runs[i].text);
        }
    }
}

int textRunsWidth(const TextRun* runs, int count)
{
    int width = 0;
    for (int i = 0; i < count; i++)
        width += textWidth(runs[i].style, runs[i].text);
    return width;
}
