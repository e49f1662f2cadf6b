#include <functional>
#include <string>
#include <vector>

#include "craft.h"
#include "generators.h"

namespace art {
namespace {

constexpr int SCREEN_WIDTH = 640, SCREEN_HEIGHT = 480;
constexpr int STRIP_TOP = TITLE_STRIP_Y, STRIP_HEIGHT = SCREEN_HEIGHT - STRIP_TOP;  // the loading and ready strips

using PathFn = std::function<void(cairo_t*)>;

// Adds a blurred halo of the path that `path` builds, as light, onto `cr`.
void halo(cairo_t* cr, int w, int h, const PathFn& path, Rgb colour, int radius, double strength, double spread)
{
    Surface light = transparentCanvas(w, h);
    {
        Context lc(light);
        path(lc);
        setColour(lc, colour);
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

double textWidth(cairo_t* cr, const std::string& s)
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
    cairo_arc(cr, px, py, pr + 70, 0, 2 * PI);
    fillWith(cr, air);
    cairo_restore(cr);

    cairo_arc(cr, px, py, pr, 0, 2 * PI);
    const Pattern ground = Pattern::linear(0, 455, 0, 480)
                               .stop(0.0, {0.10, 0.22, 0.42})
                               .stop(0.3, {0.03, 0.07, 0.16})
                               .stop(1.0, {0.01, 0.02, 0.06});
    fillWith(cr, ground);
}

void titleName(cairo_t* cr)
{
    const std::string name = "Skarvel";
    fontFace(cr, 104, true, true);
    cairo_text_extents_t e;
    cairo_text_extents(cr, name.c_str(), &e);
    const double x = (SCREEN_WIDTH - e.width) / 2 - e.x_bearing, base = 128;
    const PathFn path = [&](cairo_t* c) {
        fontFace(c, 104, true, true);
        cairo_move_to(c, x, base);
        cairo_text_path(c, name.c_str());
    };
    halo(cr, SCREEN_WIDTH, SCREEN_HEIGHT, path, {0.15, 0.45, 1.0}, 14, 1.0, 10);
    halo(cr, SCREEN_WIDTH, SCREEN_HEIGHT, path, {0.5, 0.85, 1.0}, 4, 0.55, 4);

    path(cr);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_set_line_width(cr, 4);
    setColour(cr, INK);
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
    fillPreserveWith(cr, chrome);
    setColour(cr, {1, 1, 1}, 0.35);
    cairo_set_line_width(cr, 1.0);
    cairo_stroke(cr);

    star(cr, x + e.x_bearing + 30, top + 6, 2.4, {0.8, 0.9, 1.0}, 1.0);
    star(cr, x + e.x_bearing + e.width - 8, base - 4, 1.8, {1.0, 0.9, 0.7}, 0.9);

    // a fine line under the name, bright in the middle
    const Pattern rule =
        Pattern::linear(140, 0, 500, 0).stop(0.0, CYAN, 0.0).stop(0.5, {0.8, 0.95, 1.0}, 0.9).stop(1.0, CYAN, 0.0);
    cairo_rectangle(cr, 140, base + 22, 360, 1.5);
    fillWith(cr, rule);
}

// The box of the keys in play, with its heading: the game writes the keys in it as they are bound.
void controls(cairo_t* cr)
{
    // The box ends above the rows the loading and ready strips cover, and reaches up towards
    // the name as far as its lines need.
    const TitleBox& box = TITLE_KEYS_BOX;
    const double left = box.left, right = box.right, top = box.top, bottom = box.bottom;
    const double r = 10;
    cairo_new_sub_path(cr);
    cairo_arc(cr, right - r, top + r, r, -PI / 2, 0);
    cairo_arc(cr, right - r, bottom - r, r, 0, PI / 2);
    cairo_arc(cr, left + r, bottom - r, r, PI / 2, PI);
    cairo_arc(cr, left + r, top + r, r, PI, 1.5 * PI);
    cairo_close_path(cr);
    setColour(cr, {0.01, 0.02, 0.06}, 0.62);
    cairo_fill_preserve(cr);
    setColour(cr, CYAN, 0.45);
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);

    fontFace(cr, 13, true);
    const std::string head = "C O N T R O L S";
    cairo_move_to(cr, (SCREEN_WIDTH - textWidth(cr, head)) / 2, top + 22);
    setColour(cr, CYAN, 0.9);
    cairo_show_text(cr, head.c_str());
}

void scene(cairo_t* cr)
{
    // the player's fighter climbing on its exhaust, two beetles closing in
    cairo_save(cr);
    cairo_translate(cr, 58, 262);
    cairo_rotate(cr, -78 * PI / 180);
    cairo_move_to(cr, -12, -5);
    cairo_line_to(cr, -70, 0);
    cairo_line_to(cr, -12, 5);
    cairo_close_path(cr);
    fillWith(cr, Pattern::linear(-12, 0, -70, 0).stop(0.0, CYAN, 0.7).stop(1.0, CYAN, 0.0));
    cairo_scale(cr, 2.6, 2.6);
    drawShip(cr);
    cairo_restore(cr);

    const struct {
        double x, y, scale, deg;
    } beetles[] = {{582, 232, 1.9, 215}, {548, 300, 1.25, 190}};
    for (const auto& b : beetles) {
        cairo_save(cr);
        cairo_translate(cr, b.x, b.y);
        cairo_rotate(cr, -b.deg * PI / 180);
        cairo_scale(cr, b.scale, b.scale);
        drawEnemy(cr);
        cairo_restore(cr);
    }
}

// A strip over the intro's lower rows: the same sky, with a glowing line of text, if any.
Surface strip(const Surface& backdrop, const std::vector<std::pair<std::string, Rgb>>& words, double size)
{
    Surface out(CAIRO_FORMAT_RGB24, SCREEN_WIDTH, STRIP_HEIGHT);
    Context cr(out);
    cairo_save(cr);
    cairo_translate(cr, 0, -STRIP_TOP);
    sky(cr, backdrop);
    cairo_restore(cr);
    if (words.empty())
        return out;

    fontFace(cr, size, true);
    double width = 0;
    for (const auto& w : words)
        width += textWidth(cr, w.first);
    const double x0 = (SCREEN_WIDTH - width) / 2, base = 66;
    const PathFn path = [&](cairo_t* c) {
        fontFace(c, size, true);
        cairo_move_to(c, x0, base);
        for (const auto& w : words)
            cairo_text_path(c, w.first.c_str());
    };
    halo(cr, SCREEN_WIDTH, STRIP_HEIGHT, path, GLOW_BLUE, 8, 0.9, 5);
    path(cr);
    cairo_set_line_width(cr, 3);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    setColour(cr, INK);
    cairo_stroke(cr);
    double x = x0;
    for (const auto& w : words) {
        cairo_move_to(cr, x, base);
        setColour(cr, w.second);
        cairo_show_text(cr, w.first.c_str());
        x += textWidth(cr, w.first);
    }
    return out;
}

// A word in gold over a dark plate with a glowing rim, keyed on magenta so the game shows
// around it; drawn to the plate's height, the PAUSED plate's 72 pixels being the measure.
Surface plate(const char* word, int w, int h, double fontSize, double base)
{
    const double k = h / 72.0, r = 12 * k, in = 14 * k;
    Surface art = transparentCanvas(w, h);
    Context cr(art);
    cairo_new_sub_path(cr);
    cairo_arc(cr, w - in, in, r, -PI / 2, 0);
    cairo_arc(cr, w - in, h - in, r, 0, PI / 2);
    cairo_arc(cr, in, h - in, r, PI / 2, PI);
    cairo_arc(cr, in, in, r, PI, 3 * PI / 2);
    cairo_close_path(cr);
    setColour(cr, INK, 0.85);
    cairo_fill_preserve(cr);
    setColour(cr, CYAN);
    cairo_set_line_width(cr, 2.5 * k);
    cairo_stroke(cr);
    fontFace(cr, fontSize, true);
    cairo_move_to(cr, (w - textWidth(cr, word)) / 2, base);
    cairo_text_path(cr, word);
    cairo_set_line_width(cr, 3 * k);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    setColour(cr, {0.30, 0.07, 0.0});
    cairo_stroke_preserve(cr);
    setColour(cr, GOLD);
    cairo_fill(cr);
    return art;
}

}  // namespace

void writeTitle(const std::filesystem::path& images, const Surface& backdrop)
{
    Surface intro(CAIRO_FORMAT_RGB24, SCREEN_WIDTH, SCREEN_HEIGHT);
    {
        Context cr(intro);
        sky(cr, backdrop);
        scene(cr);
        titleName(cr);
        controls(cr);
    }
    savePng(intro, images / fileName(Picture::Intro));

    savePng(strip(backdrop, {{"Loading...", WHITE}}, 30), images / fileName(Picture::Loading));
    // The ready strip's line names the keys, which the game writes over it as they are bound.
    savePng(strip(backdrop, {}, 24), images / fileName(Picture::Ready));
    savePng(keyOnMagenta(plate("PAUSED", 280, 72, 44, 52), INK, 110), images / fileName(Picture::Paused));
    // Over the demos the title screen plays: small, to sit at the top centre of the screen
    // between the numbers at the top left and the radar at the top right.
    savePng(keyOnMagenta(plate("DEMO", 120, 40, 26, 29.5), INK, 110), images / fileName(Picture::DemoPlate));
}

}  // namespace art
