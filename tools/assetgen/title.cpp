#include <functional>
#include <string>
#include <vector>

#include "craft.h"
#include "generators.h"

namespace art {
namespace {

constexpr int screen_w = 640, screen_h = 480;
constexpr int strip_top = 340, strip_h = 140;  // loading/ready strips cover these rows
constexpr Rgb ink{0.02, 0.03, 0.10};
constexpr Rgb cyan{0.35, 0.85, 1.0};
constexpr Rgb gold{1.0, 0.80, 0.25};

using PathFn = std::function<void(cairo_t*)>;

// Adds a blurred halo of the path that `path` builds, as light, onto `cr`.
void halo(cairo_t* cr, int w, int h, const PathFn& path, Rgb colour, int radius, double strength, double spread)
{
    Surface light = transparent_canvas(w, h);
    {
        Context lc(light);
        path(lc);
        set_colour(lc, colour);
        cairo_set_line_width(lc, spread);
        cairo_set_line_join(lc, CAIRO_LINE_JOIN_ROUND);
        cairo_fill_preserve(lc);
        cairo_stroke(lc);
    }
    blur(light, radius);
    cairo_save(cr);
    cairo_identity_matrix(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_ADD);
    cairo_set_source_surface(cr, light.get(), 0, 0);
    cairo_paint_with_alpha(cr, strength);
    cairo_restore(cr);
}

void font(cairo_t* cr, double size, bool bold, bool slanted = false)
{
    cairo_select_font_face(cr, "DejaVu Sans", slanted ? CAIRO_FONT_SLANT_OBLIQUE : CAIRO_FONT_SLANT_NORMAL,
                           bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cr, size);
}

double text_width(cairo_t* cr, const std::string& s)
{
    cairo_text_extents_t e;
    cairo_text_extents(cr, s.c_str(), &e);
    return e.x_advance;
}

// Everything behind the title and strips: a brighter crop of the backdrop, a warm glow
// behind the name and the blue rim of a planet low on the screen.
void sky(cairo_t* cr, const Surface& backdrop)
{
    cairo_set_source_surface(cr, backdrop.get(), -300, -420);
    cairo_paint(cr);
    cairo_save(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_ADD);
    cairo_set_source_surface(cr, backdrop.get(), -300, -420);
    cairo_paint_with_alpha(cr, 0.5);

    const Pattern g = Pattern::radial(320, 110, 0, 320, 110, 330)
                          .stop(0.0, {0.30, 0.12, 0.45}, 0.35)
                          .stop(1.0, {0.30, 0.12, 0.45}, 0.0);
    cairo_set_source(cr, g);
    cairo_paint(cr);
    cairo_restore(cr);

    const double px = 320, py = 455 + 900, pr = 900;
    const Pattern air = Pattern::radial(px, py, pr - 4, px, py, pr + 70)
                            .stop(0.0, {0.55, 0.90, 1.0}, 0.9)
                            .stop(0.12, {0.20, 0.55, 1.0}, 0.45)
                            .stop(0.45, {0.15, 0.25, 0.8}, 0.12)
                            .stop(1.0, {0.1, 0.1, 0.5}, 0.0);
    cairo_save(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_ADD);
    cairo_arc(cr, px, py, pr + 70, 0, 2 * pi);
    fill_with(cr, air);
    cairo_restore(cr);

    cairo_arc(cr, px, py, pr, 0, 2 * pi);
    const Pattern ground = Pattern::linear(0, 455, 0, 480)
                               .stop(0.0, {0.10, 0.22, 0.42})
                               .stop(0.3, {0.03, 0.07, 0.16})
                               .stop(1.0, {0.01, 0.02, 0.06});
    fill_with(cr, ground);
}

void title_name(cairo_t* cr)
{
    const std::string name = "Skarvel";
    font(cr, 104, true, true);
    cairo_text_extents_t e;
    cairo_text_extents(cr, name.c_str(), &e);
    const double x = (screen_w - e.width) / 2 - e.x_bearing, base = 128;
    const PathFn path = [&](cairo_t* c) {
        font(c, 104, true, true);
        cairo_move_to(c, x, base);
        cairo_text_path(c, name.c_str());
    };
    halo(cr, screen_w, screen_h, path, {0.15, 0.45, 1.0}, 14, 1.0, 10);
    halo(cr, screen_w, screen_h, path, {0.5, 0.85, 1.0}, 4, 0.55, 4);

    path(cr);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_set_line_width(cr, 4);
    set_colour(cr, ink);
    cairo_stroke_preserve(cr);
    const double top = base + e.y_bearing;
    const Pattern chrome = Pattern::linear(0, top, 0, base)
                               .stop(0.0, {1.0, 1.0, 1.0})
                               .stop(0.25, {0.70, 0.88, 1.0})
                               .stop(0.52, {0.18, 0.38, 0.80})
                               .stop(0.54, {0.10, 0.08, 0.25})
                               .stop(0.60, {0.55, 0.22, 0.35})
                               .stop(0.85, {1.0, 0.62, 0.30})
                               .stop(1.0, {1.0, 0.92, 0.60});
    fill_preserve_with(cr, chrome);
    set_colour(cr, {1, 1, 1}, 0.35);
    cairo_set_line_width(cr, 1.0);
    cairo_stroke(cr);

    star(cr, x + e.x_bearing + 30, top + 6, 2.4, {0.8, 0.9, 1.0}, 1.0);
    star(cr, x + e.x_bearing + e.width - 8, base - 4, 1.8, {1.0, 0.9, 0.7}, 0.9);

    // a fine line under the name, bright in the middle
    const Pattern rule =
        Pattern::linear(140, 0, 500, 0).stop(0.0, cyan, 0.0).stop(0.5, {0.8, 0.95, 1.0}, 0.9).stop(1.0, cyan, 0.0);
    cairo_rectangle(cr, 140, base + 22, 360, 1.5);
    fill_with(cr, rule);
}

void controls(cairo_t* cr)
{
    const double left = 112, right = 528, top = 176, bottom = 332, split = 318;
    const double r = 10;
    cairo_new_sub_path(cr);
    cairo_arc(cr, right - r, top + r, r, -pi / 2, 0);
    cairo_arc(cr, right - r, bottom - r, r, 0, pi / 2);
    cairo_arc(cr, left + r, bottom - r, r, pi / 2, pi);
    cairo_arc(cr, left + r, top + r, r, pi, 1.5 * pi);
    cairo_close_path(cr);
    set_colour(cr, {0.01, 0.02, 0.06}, 0.62);
    cairo_fill_preserve(cr);
    set_colour(cr, cyan, 0.45);
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);

    font(cr, 13, true);
    const std::string head = "C O N T R O L S";
    cairo_move_to(cr, (screen_w - text_width(cr, head)) / 2, top + 22);
    set_colour(cr, cyan, 0.9);
    cairo_show_text(cr, head.c_str());

    struct Line {
        const char* keys;
        const char* action;
    };
    const Line lines[] = {{"Arrows:", "turn, thrust, brake"},
                          {"Space or right Ctrl:", "fire"},
                          {"M or right Shift:", "missiles"},
                          {"S:", "screenshot"},
                          {"Esc:", "leave"}};
    double y = top + 50;
    for (const Line& l : lines) {
        font(cr, 16, true);
        cairo_move_to(cr, split - text_width(cr, l.keys), y);
        set_colour(cr, gold);
        cairo_show_text(cr, l.keys);
        font(cr, 16, false);
        cairo_move_to(cr, split + 8, y);
        set_colour(cr, {0.92, 0.95, 1.0});
        cairo_show_text(cr, l.action);
        y += 23;
    }
}

void scene(cairo_t* cr)
{
    // the player's fighter climbing on its exhaust, two beetles closing in
    cairo_save(cr);
    cairo_translate(cr, 58, 262);
    cairo_rotate(cr, -78 * pi / 180);
    cairo_move_to(cr, -12, -5);
    cairo_line_to(cr, -70, 0);
    cairo_line_to(cr, -12, 5);
    cairo_close_path(cr);
    fill_with(cr, Pattern::linear(-12, 0, -70, 0).stop(0.0, cyan, 0.7).stop(1.0, cyan, 0.0));
    cairo_scale(cr, 2.6, 2.6);
    draw_ship(cr);
    cairo_restore(cr);

    const struct {
        double x, y, scale, deg;
    } beetles[] = {{582, 232, 1.9, 215}, {548, 300, 1.25, 190}};
    for (const auto& b : beetles) {
        cairo_save(cr);
        cairo_translate(cr, b.x, b.y);
        cairo_rotate(cr, -b.deg * pi / 180);
        cairo_scale(cr, b.scale, b.scale);
        draw_enemy(cr);
        cairo_restore(cr);
    }
}

// A strip over the intro's lower rows: the same sky, with a glowing line of text.
Surface strip(const Surface& backdrop, const std::vector<std::pair<std::string, Rgb>>& words, double size)
{
    Surface out(CAIRO_FORMAT_RGB24, screen_w, strip_h);
    Context cr(out);
    cairo_save(cr);
    cairo_translate(cr, 0, -strip_top);
    sky(cr, backdrop);
    cairo_restore(cr);

    font(cr, size, true);
    double width = 0;
    for (const auto& w : words)
        width += text_width(cr, w.first);
    const double x0 = (screen_w - width) / 2, base = 66;
    const PathFn path = [&](cairo_t* c) {
        font(c, size, true);
        cairo_move_to(c, x0, base);
        for (const auto& w : words)
            cairo_text_path(c, w.first.c_str());
    };
    halo(cr, screen_w, strip_h, path, {0.15, 0.45, 1.0}, 8, 0.9, 5);
    path(cr);
    cairo_set_line_width(cr, 3);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    set_colour(cr, ink);
    cairo_stroke(cr);
    double x = x0;
    for (const auto& w : words) {
        cairo_move_to(cr, x, base);
        set_colour(cr, w.second);
        cairo_show_text(cr, w.first.c_str());
        x += text_width(cr, w.first);
    }
    return out;
}

// A word in gold over a dark plate with a glowing rim, keyed on magenta so the game shows
// around it; drawn to the plate's height, the PAUSED plate's 72 pixels being the measure.
Surface plate(const char* word, int w, int h, double font_size, double base)
{
    const double k = h / 72.0, r = 12 * k, in = 14 * k;
    Surface art = transparent_canvas(w, h);
    Context cr(art);
    cairo_new_sub_path(cr);
    cairo_arc(cr, w - in, in, r, -pi / 2, 0);
    cairo_arc(cr, w - in, h - in, r, 0, pi / 2);
    cairo_arc(cr, in, h - in, r, pi / 2, pi);
    cairo_arc(cr, in, in, r, pi, 3 * pi / 2);
    cairo_close_path(cr);
    set_colour(cr, ink, 0.85);
    cairo_fill_preserve(cr);
    set_colour(cr, cyan);
    cairo_set_line_width(cr, 2.5 * k);
    cairo_stroke(cr);
    font(cr, font_size, true);
    cairo_move_to(cr, (w - text_width(cr, word)) / 2, base);
    cairo_text_path(cr, word);
    cairo_set_line_width(cr, 3 * k);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    set_colour(cr, {0.30, 0.07, 0.0});
    cairo_stroke_preserve(cr);
    set_colour(cr, gold);
    cairo_fill(cr);
    return art;
}

}  // namespace

void write_title(const std::filesystem::path& images, const Surface& backdrop)
{
    Surface intro(CAIRO_FORMAT_RGB24, screen_w, screen_h);
    {
        Context cr(intro);
        sky(cr, backdrop);
        scene(cr);
        title_name(cr);
        controls(cr);
    }
    save_png(intro, images / "intro.png");

    const Rgb white{0.93, 0.97, 1.0};
    save_png(strip(backdrop, {{"Loading...", white}}, 30), images / "loading.png");
    save_png(strip(backdrop,
                   {{"Press ", white}, {"SPACE", gold}, {" to start, ", white}, {"ESC", gold}, {" to quit", white}},
                   24),
             images / "ready.png");
    save_png(key_on_magenta(plate("PAUSED", 280, 72, 44, 52), ink, 110), images / "paused.png");
    // Over the demos the title screen plays: small, to sit at the top centre of the screen
    // between the numbers at the top left and the radar at the top right.
    save_png(key_on_magenta(plate("DEMO", 120, 40, 26, 29.5), ink, 110), images / "demo.png");
}

}  // namespace art
