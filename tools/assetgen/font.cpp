// The font the game writes its words with: every printable character in each of its styles,
// drawn as the title draws its own words, laid out as the game's platform/glyphs.h says, with
// each glyph's width and each style's line drawn in beside them.
#include <cmath>
#include <stdexcept>
#include <string>

#include "generators.h"
#include "platform/glyphs.h"

namespace art {
namespace {

struct Look {
    double size;
    bool bold;
    Rgb fill;
    double ink;  // the outline's width
    // The blue glow around the letters: its blur, the width it starts from, its strength.
    int glowRadius;
    double glowSpread, glowStrength;
};

// In the order of TextStyle. The box of the keys on the intro and the strips' words are the
// measure: gold keys and pale words at 16 pixels, the strips' glowing words at 24.
constexpr Look LOOKS[TEXT_STYLE_COUNT] = {
    {16, true, GOLD, 2, 0, 0, 0},        // Key
    {16, false, PALE_BLUE, 2, 0, 0, 0},  // Word
    {16, true, WHITE, 2, 4, 3, 0.9},     // Chosen
    {24, true, WHITE, 3, 8, 5, 0.9},     // Heading
    {24, true, GOLD, 3, 8, 5, 0.9},      // HeadingKey
};

// The most a glow may still show where its cell cuts it off, so that no cell's edge can be
// seen where text is written (of 255).
constexpr int GLOW_CUT_MOST = 3;

// The glow's strength goes in steps of this many of 255.
constexpr int GLOW_STEP = 8;

std::uint32_t premultiplied(Rgb colour, int alpha)
{
    const auto channel = [&](double c, int shift) {
        return static_cast<std::uint32_t>(std::lround(c * alpha)) << shift;
    };
    return static_cast<std::uint32_t>(alpha) << 24 | channel(colour.r, 16) | channel(colour.g, 8) |
        channel(colour.b, 0);
}

void glyphPath(cairo_t* cr, const Look& look, const GlyphCell& cell, char character)
{
    const char text[2] = {character, 0};
    fontFace(cr, look.size, look.bold);
    cairo_move_to(cr, cell.penX, cell.baseline);
    cairo_text_path(cr, text);
}

// A glyph's outline and glow, and its fill, each on a transparent canvas of its cell.
std::pair<Surface, Surface> glyphDraw(const Look& look, const GlyphStyle& cells, char character)
{
    const GlyphCell &cell = cells.under, &fillCell = cells.over;
    Surface under = transparentCanvas(cell.width, cell.height),
            over = transparentCanvas(fillCell.width, fillCell.height);
    if (look.glowStrength > 0) {
        Surface light = transparentCanvas(cell.width, cell.height);
        {
            Context lc(light);
            glyphPath(lc, look, cell, character);
            setColour(lc, GLOW_BLUE);
            cairo_set_line_width(lc, look.glowSpread);
            cairo_set_line_join(lc, CAIRO_LINE_JOIN_ROUND);
            cairo_fill_preserve(lc);
            cairo_stroke(lc);
        }
        blur(light, look.glowRadius);
        // Its strength in steps, the glow's colour exact at each: the same few pixels over and
        // over, which the picture's file keeps small.
        for (int y = 0; y < cell.height; y++) {
            const std::uint32_t* from = light.row(y);
            std::uint32_t* to = under.row(y);
            for (int x = 0; x < cell.width; x++) {
                const double alpha = (from[x] >> 24) * look.glowStrength;
                const int stepped = static_cast<int>(std::lround(alpha / GLOW_STEP)) * GLOW_STEP;
                to[x] = premultiplied(GLOW_BLUE, stepped);
            }
        }
        under.markDirty();
    }
    {
        Context cr(under);
        glyphPath(cr, look, cell, character);
        setColour(cr, INK);
        cairo_set_line_width(cr, look.ink);
        cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
        cairo_stroke(cr);
    }
    {
        Context cr(over);
        glyphPath(cr, look, fillCell, character);
        setColour(cr, look.fill);
        cairo_fill(cr);
    }
    return {std::move(under), std::move(over)};
}

// The most alpha on the cell's rim: its first and last rows and columns, where the rulers go
// and where a glyph would be cut.
int rimAlpha(const Surface& canvas)
{
    int most = 0;
    for (int y = 0; y < canvas.height(); y++)
        for (int x = 0; x < canvas.width(); x++)
            if (x == 0 || y == 0 || x == canvas.width() - 1 || y == canvas.height() - 1)
                most = std::max(most, static_cast<int>(canvas.row(y)[x] >> 24));
    return most;
}

void copyInto(Surface& picture, const Surface& canvas, GlyphPlace at)
{
    for (int y = 0; y < canvas.height(); y++) {
        const std::uint32_t* from = canvas.row(y);
        std::uint32_t* to = picture.row(at.y + y) + at.x;
        for (int x = 0; x < canvas.width(); x++)
            to[x] = x == 0 || y == 0 ? 0 : from[x];  // the rulers' row and column
    }
    picture.markDirty();
}

void ruler(Surface& picture, int x, int y, int length, bool down)
{
    for (int i = 0; i < length; i++)
        picture.row(y + (down ? i : 0))[x + (down ? 0 : i)] = 0xFFFFFFFFu;
    picture.markDirty();
}

void styleDraw(Surface& picture, TextStyle style)
{
    const Look& look = LOOKS[static_cast<int>(style)];
    const GlyphStyle& cells = glyphStyle(style);
    const std::string name = "text style " + std::to_string(static_cast<int>(style));
    Surface measure = transparentCanvas(1, 1);
    Context cr(measure);
    fontFace(cr, look.size, look.bold);
    cairo_font_extents_t line;
    cairo_font_extents(cr, &line);
    const int ascent = static_cast<int>(std::lround(line.ascent)), height = static_cast<int>(std::lround(line.height));
    const Look& outlines = LOOKS[static_cast<int>(cells.outlines)];
    const bool own = glyphBandOwn(style, GlyphLayer::Under);
    if (!own &&
        (outlines.size != look.size || outlines.bold != look.bold || outlines.ink != look.ink ||
         outlines.glowRadius != look.glowRadius || outlines.glowSpread != look.glowSpread ||
         outlines.glowStrength != look.glowStrength))
        throw std::runtime_error(name + " draws the outlines of a style that differs in more than its fill");
    if (ascent > cells.under.baseline - 1 || cells.under.baseline - ascent + height > cells.under.height)
        throw std::runtime_error("a line of " + name + " does not fit its cell");

    for (char character = GLYPH_FIRST; character <= GLYPH_LAST; character++) {
        const auto [under, over] = glyphDraw(look, cells, character);
        const char text[2] = {character, 0};
        cairo_text_extents_t extents;
        cairo_text_extents(cr, text, &extents);
        const int advance = static_cast<int>(std::lround(extents.x_advance));
        if (rimAlpha(under) > GLOW_CUT_MOST || rimAlpha(over) > 0 || cells.over.penX + advance > cells.over.width)
            throw std::runtime_error(std::string("glyph '") + character + "' of " + name + " does not fit its cell");
        if (own)
            copyInto(picture, under, glyphPlace(style, character, GlyphLayer::Under));
        const GlyphPlace place = glyphPlace(style, character, GlyphLayer::Over);
        copyInto(picture, over, place);
        ruler(picture, place.x + cells.over.penX, place.y, advance, false);
    }
    const GlyphPlace space = glyphPlace(style, ' ', GlyphLayer::Under);
    if (own)
        ruler(picture, space.x, space.y + cells.under.baseline - ascent, height, true);
}

}  // namespace

void writeFont(const std::filesystem::path& images)
{
    Surface picture = transparentCanvas(GLYPH_PICTURE_WIDTH, GLYPH_PICTURE_HEIGHT);
    for (int style = 0; style < TEXT_STYLE_COUNT; style++)
        styleDraw(picture, static_cast<TextStyle>(style));
    savePng(picture, images / fileName(Picture::Font));
}

}  // namespace art
