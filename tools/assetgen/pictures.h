// What every picture of Skarvel is drawn with: owning handles for Cairo surfaces, contexts
// and patterns, colour-key finishing, blurring, PNG output, lights and stars.
#pragma once

#include <cairo.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <utility>

#include "random.h"
#include "world/assets.h"

namespace art {

struct Rgb {
    double r, g, b;
};

// Owns a cairo image surface.
class Surface {
public:
    Surface(cairo_format_t format, int width, int height);
    ~Surface();
    Surface(Surface&& other) noexcept;
    Surface& operator=(Surface&& other) noexcept;
    Surface(const Surface&) = delete;
    Surface& operator=(const Surface&) = delete;

    cairo_surface_t* get() const { return surface_; }
    int width() const;
    int height() const;
    // Pixel row y as native-endian 0xAARRGGBB words; call markDirty() after writing.
    std::uint32_t* row(int y);
    const std::uint32_t* row(int y) const;
    void markDirty();

private:
    cairo_surface_t* surface_;
};

// Owns a cairo drawing context on a surface.
class Context {
public:
    explicit Context(Surface& target);
    ~Context();
    Context(const Context&) = delete;
    Context& operator=(const Context&) = delete;
    operator cairo_t*() const { return cr_; }

private:
    cairo_t* cr_;
};

// Owns a cairo pattern: a gradient built stop by stop, or a picture to paint with. It
// converts to cairo_pattern_t*, and cairo keeps its own reference while the pattern is
// the source, so a pattern may go out of scope right after it was used.
class Pattern {
public:
    static Pattern linear(double x0, double y0, double x1, double y1)
    {
        return Pattern(cairo_pattern_create_linear(x0, y0, x1, y1));
    }
    static Pattern radial(double cx0, double cy0, double r0, double cx1, double cy1, double r1)
    {
        return Pattern(cairo_pattern_create_radial(cx0, cy0, r0, cx1, cy1, r1));
    }
    static Pattern surface(const Surface& picture) { return Pattern(cairo_pattern_create_for_surface(picture.get())); }

    ~Pattern() { cairo_pattern_destroy(pattern_); }  // accepts the null left by a move
    Pattern(Pattern&& other) noexcept : pattern_(std::exchange(other.pattern_, nullptr)) { }
    Pattern& operator=(Pattern&& other) noexcept
    {
        std::swap(pattern_, other.pattern_);
        return *this;
    }
    Pattern(const Pattern&) = delete;
    Pattern& operator=(const Pattern&) = delete;

    // Adds a colour stop; chains, so a whole gradient is one statement.
    Pattern& stop(double offset, Rgb c, double alpha = 1.0) &
    {
        cairo_pattern_add_color_stop_rgba(pattern_, offset, c.r, c.g, c.b, alpha);
        return *this;
    }
    Pattern stop(double offset, Rgb c, double alpha = 1.0) &&
    {
        stop(offset, c, alpha);
        return std::move(*this);
    }
    operator cairo_pattern_t*() const { return pattern_; }

private:
    explicit Pattern(cairo_pattern_t* pattern) : pattern_(pattern) { }
    cairo_pattern_t* pattern_;
};

// A transparent ARGB canvas to draw a keyed sprite on.
Surface transparentCanvas(int width, int height);

// Flattens a transparent drawing onto the black key: faint pixels become exactly black,
// everything else keeps its colour, moved just clear of every colour that a 16-bit screen
// turns into black (red and blue under 8, green under 4).
Surface keyOnBlack(const Surface& art, int alphaThreshold = 10);

// Flattens a transparent drawing onto the magenta key: pixels below the threshold become
// exactly (255,0,255), the rest are made opaque over `backing` so no edge turns pink, and
// kept clear of every colour a 16-bit screen turns into the key (red and blue of 248 or
// more, green under 4).
Surface keyOnMagenta(const Surface& art, Rgb backing, int alphaThreshold = 110);

// Gaussian-like blur of an ARGB32 surface (three box passes). With `wrap` the picture is
// treated as a torus, so tiling pictures stay seamless.
void blur(Surface& s, int radius, bool wrap = false);

// Writes the surface as PNG; throws std::runtime_error when the file cannot be written.
void savePng(const Surface& s, const std::filesystem::path& path);

// The file's name, without its folder, of a picture or sound of the game's own table
// ("progdir:images/bg.png" -> "bg.png"); a set's frame by its number ("ship0007.png").
std::string fileName(const char* path, int number = 0);
inline std::string fileName(Picture picture, int number = 0)
{
    return fileName(pictureFile(picture).path, number);
}

void setColour(cairo_t* cr, Rgb c, double alpha = 1.0);

// The title's colours, which its text keeps wherever the game writes it: dark ink round the
// letters, cyan rims and headings, gold keys, pale blue words, white on the strips, and the
// blue glow of the strips' words.
constexpr Rgb INK{0.02, 0.03, 0.10};
constexpr Rgb CYAN{0.35, 0.85, 1.0};
constexpr Rgb GOLD{1.0, 0.80, 0.25};
constexpr Rgb PALE_BLUE{0.92, 0.95, 1.0};
constexpr Rgb WHITE{0.93, 0.97, 1.0};
constexpr Rgb GLOW_BLUE{0.15, 0.45, 1.0};

// The title's face, DejaVu Sans, at a size in pixels.
void fontFace(cairo_t* cr, double size, bool bold, bool slanted = false);

// Fills the current path with `source`; the Preserve form keeps the path for an outline.
void fillWith(cairo_t* cr, cairo_pattern_t* source);
void fillPreserveWith(cairo_t* cr, cairo_pattern_t* source);

// A round light: a soft halo of radius `halo` around a small bright core.
void glow(cairo_t* cr, double x, double y, double core, double halo, Rgb colour, double strength);

// A star of the given radius and brightness; bright ones get a halo and faint spikes.
void star(cairo_t* cr, double x, double y, double radius, Rgb tint, double brightness);

// Sprinkles `count` random stars over a w x h area. With `wrap`, stars near an edge are
// drawn again across it so the area tiles.
void starfield(cairo_t* cr, Random& random, int width, int height, int count, bool wrap);

constexpr double PI = 3.14159265358979323846;

}  // namespace art
