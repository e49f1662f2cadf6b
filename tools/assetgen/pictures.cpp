#include "pictures.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <initializer_list>
#include <stdexcept>
#include <utility>
#include <vector>

namespace art {

Surface::Surface(cairo_format_t format, int width, int height)
    : surface_(cairo_image_surface_create(format, width, height))
{
    if (cairo_surface_status(surface_) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(surface_);
        throw std::runtime_error("cannot create a picture surface");
    }
}

Surface::~Surface()
{
    if (surface_)
        cairo_surface_destroy(surface_);
}

Surface::Surface(Surface&& other) noexcept : surface_(std::exchange(other.surface_, nullptr)) { }

Surface& Surface::operator=(Surface&& other) noexcept
{
    if (this != &other) {
        if (surface_)
            cairo_surface_destroy(surface_);
        surface_ = std::exchange(other.surface_, nullptr);
    }
    return *this;
}

int Surface::width() const
{
    return cairo_image_surface_get_width(surface_);
}
int Surface::height() const
{
    return cairo_image_surface_get_height(surface_);
}

std::uint32_t* Surface::row(int y)
{
    cairo_surface_flush(surface_);
    unsigned char* base = cairo_image_surface_get_data(surface_);
    return reinterpret_cast<std::uint32_t*>(base + y * cairo_image_surface_get_stride(surface_));
}

const std::uint32_t* Surface::row(int y) const
{
    cairo_surface_flush(surface_);
    const unsigned char* base = cairo_image_surface_get_data(surface_);
    return reinterpret_cast<const std::uint32_t*>(base + y * cairo_image_surface_get_stride(surface_));
}

void Surface::markDirty()
{
    cairo_surface_mark_dirty(surface_);
}

Context::Context(Surface& target) : cr_(cairo_create(target.get()))
{
    if (cairo_status(cr_) != CAIRO_STATUS_SUCCESS) {
        cairo_destroy(cr_);
        throw std::runtime_error("cannot create a drawing context");
    }
}

Context::~Context()
{
    cairo_destroy(cr_);
}

Surface transparentCanvas(int width, int height)
{
    // A fresh cairo image surface is already cleared to transparent.
    return Surface(CAIRO_FORMAT_ARGB32, width, height);
}

namespace {

constexpr std::uint32_t pack(int r, int g, int b)
{
    return 0xFF000000u | (static_cast<std::uint32_t>(r) << 16) | (static_cast<std::uint32_t>(g) << 8) |
        static_cast<std::uint32_t>(b);
}

int channel(std::uint32_t p, int shift)
{
    return static_cast<int>((p >> shift) & 0xFF);
}

// The game's default screen has 16 bits per pixel (RGB565): it keeps the top five bits of
// red and blue and six of green, so a colour within 8 of the key in red and blue and 4 in
// green becomes exactly the key there and shows as a hole in the craft. Such a colour is
// moved just clear, along whichever of red and blue already stands farther from the key
// (blue on a tie), so a dark red stays red and a dark blue blue.
std::uint32_t clearOfKey(std::uint32_t p, bool magenta)
{
    int r = channel(p, 16), g = channel(p, 8), b = channel(p, 0);
    const int offR = magenta ? 255 - r : r, offB = magenta ? 255 - b : b;
    if (offR >= 8 || offB >= 8 || g >= 4)
        return p;
    if (offR > offB)
        r = magenta ? 255 - 8 : 8;
    else
        b = magenta ? 255 - 8 : 8;
    return pack(r, g, b);
}

// One box pass of the given radius along a line of `n` pixels spaced `step` apart.
void boxLine(std::uint32_t* line, int n, int step, int radius, bool wrap, std::vector<std::uint32_t>& scratch)
{
    scratch.resize(n);
    for (int i = 0; i < n; ++i)
        scratch[i] = line[i * step];
    auto at = [&](int i) -> std::uint32_t {
        if (wrap)
            return scratch[((i % n) + n) % n];
        return (i < 0 || i >= n) ? 0u : scratch[i];
    };
    const int span = 2 * radius + 1;
    int sum[4] = {0, 0, 0, 0};
    for (int i = -radius; i <= radius; ++i)
        for (int c = 0; c < 4; ++c)
            sum[c] += channel(at(i), 8 * c);
    for (int i = 0; i < n; ++i) {
        std::uint32_t out = 0;
        for (int c = 0; c < 4; ++c)
            out |= static_cast<std::uint32_t>((sum[c] + span / 2) / span) << (8 * c);
        line[i * step] = out;
        const std::uint32_t enter = at(i + radius + 1), leave = at(i - radius);
        for (int c = 0; c < 4; ++c)
            sum[c] += channel(enter, 8 * c) - channel(leave, 8 * c);
    }
}

}  // namespace

void blur(Surface& s, int radius, bool wrap)
{
    if (radius <= 0)
        return;
    const int w = s.width(), h = s.height();
    std::uint32_t* base = s.row(0);
    const int stride = cairo_image_surface_get_stride(s.get()) / 4;
    std::vector<std::uint32_t> scratch;
    for (int pass = 0; pass < 3; ++pass) {
        for (int y = 0; y < h; ++y)
            boxLine(base + y * stride, w, 1, radius, wrap, scratch);
        for (int x = 0; x < w; ++x)
            boxLine(base + x, h, stride, radius, wrap, scratch);
    }
    s.markDirty();
}

Surface keyOnBlack(const Surface& art, int alphaThreshold)
{
    const int w = art.width(), h = art.height();
    Surface out(CAIRO_FORMAT_RGB24, w, h);
    for (int y = 0; y < h; ++y) {
        const std::uint32_t* src = art.row(y);
        std::uint32_t* dst = out.row(y);
        for (int x = 0; x < w; ++x) {
            const std::uint32_t p = src[x];
            dst[x] = channel(p, 24) < alphaThreshold ? pack(0, 0, 0) : clearOfKey(0xFF000000u | p, false);
        }
    }
    out.markDirty();
    return out;
}

Surface keyOnMagenta(const Surface& art, Rgb backing, int alphaThreshold)
{
    const int w = art.width(), h = art.height();
    Surface out(CAIRO_FORMAT_RGB24, w, h);
    const double back[3] = {backing.b * 255.0, backing.g * 255.0, backing.r * 255.0};
    for (int y = 0; y < h; ++y) {
        const std::uint32_t* src = art.row(y);
        std::uint32_t* dst = out.row(y);
        for (int x = 0; x < w; ++x) {
            const std::uint32_t p = src[x];
            const int a = channel(p, 24);
            if (a < alphaThreshold) {
                dst[x] = pack(255, 0, 255);
                continue;
            }
            const double rest = 1.0 - a / 255.0;
            std::uint32_t px = 0xFF000000u;
            for (int c = 0; c < 3; ++c) {
                const double v = channel(p, 8 * c) + rest * back[c];
                px |= static_cast<std::uint32_t>(std::clamp(std::lround(v), 0L, 255L)) << (8 * c);
            }
            dst[x] = clearOfKey(px, true);
        }
    }
    out.markDirty();
    return out;
}

void savePng(const Surface& s, const std::filesystem::path& path)
{
    cairo_surface_flush(s.get());
    const cairo_status_t st = cairo_surface_write_to_png(s.get(), path.c_str());
    if (st != CAIRO_STATUS_SUCCESS)
        throw std::runtime_error("cannot write " + path.string() + ": " + cairo_status_to_string(st));
}

std::string fileName(const char* path, int number)
{
    const char* slash = std::strrchr(path, '/');
    char name[256];
    std::snprintf(name, sizeof name, slash ? slash + 1 : path, number);
    return name;
}

void setColour(cairo_t* cr, Rgb c, double alpha)
{
    cairo_set_source_rgba(cr, c.r, c.g, c.b, alpha);
}

void fontFace(cairo_t* cr, double size, bool bold, bool slanted)
{
    cairo_select_font_face(cr, "DejaVu Sans", slanted ? CAIRO_FONT_SLANT_OBLIQUE : CAIRO_FONT_SLANT_NORMAL,
                           bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cr, size);
}

void fillWith(cairo_t* cr, cairo_pattern_t* source)
{
    cairo_set_source(cr, source);
    cairo_fill(cr);
}

void fillPreserveWith(cairo_t* cr, cairo_pattern_t* source)
{
    cairo_set_source(cr, source);
    cairo_fill_preserve(cr);
}

void glow(cairo_t* cr, double x, double y, double core, double halo, Rgb colour, double strength)
{
    const double k = std::clamp(core / halo, 0.0, 0.9);
    const Pattern g = Pattern::radial(x, y, 0, x, y, halo)
                          .stop(0.0, {1, 1, 1}, strength)
                          .stop(k, colour, strength)
                          .stop(k + (1 - k) * 0.35, colour, strength * 0.3)
                          .stop(k + (1 - k) * 0.7, colour, strength * 0.08)
                          .stop(1.0, colour, 0.0);
    cairo_arc(cr, x, y, halo, 0, 2 * PI);
    fillWith(cr, g);
}

void star(cairo_t* cr, double x, double y, double radius, Rgb tint, double brightness)
{
    cairo_save(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_ADD);
    if (radius > 0.9) {
        const Pattern g = Pattern::radial(x, y, 0, x, y, radius * 6)
                              .stop(0.0, tint, 0.45 * brightness)
                              .stop(0.25, tint, 0.12 * brightness)
                              .stop(1.0, tint, 0.0);
        cairo_arc(cr, x, y, radius * 6, 0, 2 * PI);
        fillWith(cr, g);
    }
    if (radius > 1.5) {
        // faint diffraction spikes, the level one first
        const double len = radius * 7;
        for (const bool level : {true, false}) {
            Pattern g = level ? Pattern::linear(x - len, y, x + len, y) : Pattern::linear(x, y - len, x, y + len);
            g.stop(0.0, tint, 0.0).stop(0.5, tint, 0.55 * brightness).stop(1.0, tint, 0.0);
            if (level)
                cairo_rectangle(cr, x - len, y - 0.45, 2 * len, 0.9);
            else
                cairo_rectangle(cr, x - 0.45, y - len, 0.9, 2 * len);
            fillWith(cr, g);
        }
    }
    const Pattern core = Pattern::radial(x, y, 0, x, y, radius)
                             .stop(0.0, {1, 1, 1}, brightness)
                             .stop(0.6, tint, brightness)
                             .stop(1.0, tint, 0.5 * brightness);
    cairo_arc(cr, x, y, radius, 0, 2 * PI);
    fillWith(cr, core);
    cairo_restore(cr);
}

void starfield(cairo_t* cr, Random& random, int width, int height, int count, bool wrap)
{
    static const Rgb TINTS[] = {{1.00, 1.00, 1.00}, {0.75, 0.85, 1.00}, {1.00, 0.93, 0.72}, {1.00, 0.72, 0.60}};
    for (int i = 0; i < count; ++i) {
        const double x = random.range(0, width), y = random.range(0, height);
        const double kind = random.uniform(), u = random.uniform();
        double radius, brightness;
        if (kind < 0.006) {  // a rare bright one with spikes
            radius = 1.6 + 0.7 * u;
            brightness = 0.9 + 0.1 * random.uniform();
        } else if (kind < 0.06) {  // haloed
            radius = 0.95 + 0.45 * u;
            brightness = 0.55 + 0.45 * random.uniform();
        } else {  // dust
            radius = 0.35 + 0.5 * u * u;
            brightness = 0.2 + 0.8 * std::pow(random.uniform(), 1.5);
        }
        const double pick = random.uniform();
        const Rgb tint = TINTS[pick < 0.45 ? 0 : pick < 0.75 ? 1 : pick < 0.9 ? 2 : 3];
        const double reach = radius * 8 + 1;
        for (int dy = -1; dy <= 1; ++dy) {
            for (int dx = -1; dx <= 1; ++dx) {
                if ((dx || dy) && !wrap)
                    continue;
                const double sx = x + dx * width, sy = y + dy * height;
                if (sx < -reach || sx > width + reach || sy < -reach || sy > height + reach)
                    continue;
                star(cr, sx, sy, radius, tint, brightness);
            }
        }
    }
}

}  // namespace art
