// How the font picture holds its glyphs, without SDL: the generator draws them so and the
// text module reads them so. Every style has every printable ASCII character, space to tilde,
// twice: its outline and glow, and its fill. A line draws all its outlines before any fill,
// so that no glyph's outline or glow covers the letter before it. Each layer of a style is a
// band of the picture, its glyphs in cells of the layer's size, as many to a row as the
// picture is wide, in the order of the characters; the bands lie one under the other, each
// style's outlines before its fills, the styles in the order of TextStyle. A style that
// differs from another only in its fill draws that one's outlines and has no band of its own.
//
// What the font itself decides, how far each glyph moves the pen and how high a line stands,
// is drawn into the picture with the glyphs (the text module reads it from there):
// - row 0 of a glyph's fill cell is its ruler: from the pen's column on, one opaque pixel for
//   each pixel the glyph moves the pen, the rest of the row clear;
// - column 0 of the space's outline cell is the line: opaque from the line's top down to its
//   bottom, the next line's top, the rest of the column clear.
// Nothing else of a cell is drawn in its row 0 or column 0.
#pragma once

// The looks text takes; text.h says what each is for.
enum class TextStyle { Key, Word, Chosen, Heading, HeadingKey };
constexpr int TEXT_STYLE_COUNT = static_cast<int>(TextStyle::HeadingKey) + 1;

constexpr char GLYPH_FIRST = ' ', GLYPH_LAST = '~';
constexpr int GLYPH_COUNT = GLYPH_LAST - GLYPH_FIRST + 1;

enum class GlyphLayer { Under, Over };  // the outline and glow; the fill

// A layer's cell, and where the pen stands in it: a glyph is drawn from there, its outline
// and glow reaching as far as the cell lets them.
struct GlyphCell {
    int width, height;
    int penX, baseline;
};

struct GlyphStyle {
    GlyphCell under, over;
    TextStyle outlines;  // whose outlines it draws: its own, or a style's of the same size
};

// The 16-pixel styles need room for their outline, the chosen line for its glow as well, the
// 24-pixel headings for the wide glow of the title's strip; fills need room for the letters.
inline constexpr GlyphStyle GLYPH_STYLES[TEXT_STYLE_COUNT] = {
    {{24, 24, 3, 17}, {22, 21, 2, 15}, TextStyle::Key},      {{24, 24, 3, 17}, {22, 21, 2, 15}, TextStyle::Word},
    {{42, 42, 13, 26}, {22, 21, 2, 15}, TextStyle::Chosen},  {{70, 68, 23, 41}, {31, 29, 3, 22}, TextStyle::Heading},
    {{70, 68, 23, 41}, {31, 29, 3, 22}, TextStyle::Heading},  // gold where Heading is white
};

constexpr int GLYPH_PICTURE_WIDTH = 840;

constexpr const GlyphStyle& glyphStyle(TextStyle style)
{
    return GLYPH_STYLES[static_cast<int>(style)];
}

constexpr const GlyphCell& glyphCell(TextStyle style, GlyphLayer layer)
{
    return layer == GlyphLayer::Under ? glyphStyle(style).under : glyphStyle(style).over;
}

// Whether the style has a band of its own for the layer.
constexpr bool glyphBandOwn(TextStyle style, GlyphLayer layer)
{
    return layer == GlyphLayer::Over || glyphStyle(style).outlines == style;
}

constexpr int glyphColumns(const GlyphCell& cell)
{
    return GLYPH_PICTURE_WIDTH / cell.width;
}

constexpr int glyphBandHeight(TextStyle style, GlyphLayer layer)
{
    const GlyphCell& cell = glyphCell(style, layer);
    const int columns = glyphColumns(cell);
    return glyphBandOwn(style, layer) ? (GLYPH_COUNT + columns - 1) / columns * cell.height : 0;
}

// The row of the picture where a style's band of a layer begins.
constexpr int glyphBandTop(TextStyle style, GlyphLayer layer)
{
    int top = 0;
    for (int s = 0; s < static_cast<int>(style); s++)
        top += glyphBandHeight(static_cast<TextStyle>(s), GlyphLayer::Under) +
            glyphBandHeight(static_cast<TextStyle>(s), GlyphLayer::Over);
    return top + (layer == GlyphLayer::Over ? glyphBandHeight(style, GlyphLayer::Under) : 0);
}

constexpr int GLYPH_PICTURE_HEIGHT = glyphBandTop(static_cast<TextStyle>(TEXT_STYLE_COUNT), GlyphLayer::Under);

// The top-left corner of a character's cell (GLYPH_FIRST to GLYPH_LAST) in a layer.
struct GlyphPlace {
    int x, y;
};
constexpr GlyphPlace glyphPlace(TextStyle style, char character, GlyphLayer layer)
{
    if (!glyphBandOwn(style, layer))
        return glyphPlace(glyphStyle(style).outlines, character, layer);
    const GlyphCell& cell = glyphCell(style, layer);
    const int index = character - GLYPH_FIRST, columns = glyphColumns(cell);
    return {index % columns * cell.width, glyphBandTop(style, layer) + index / columns * cell.height};
}
