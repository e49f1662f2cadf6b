#include "craft.h"

#include <cmath>
#include <initializer_list>
#include <utility>

#include "pictures.h"

namespace art {
namespace {

using Points = std::initializer_list<std::pair<double, double>>;

void polygon(cairo_t* cr, Points pts, double mirror = 1.0)
{
    bool first = true;
    for (auto [x, y] : pts) {
        if (first)
            cairo_move_to(cr, x, y * mirror);
        else
            cairo_line_to(cr, x, y * mirror);
        first = false;
    }
    cairo_close_path(cr);
}

// Lights the current clip from the screen's upper left, whatever way the craft faces,
// so all frames of a turn share one sun.
void sunlight(cairo_t* cr, double extent, double strength)
{
    double cx = 0, cy = 0, ex = extent, ey = 0;
    cairo_user_to_device(cr, &cx, &cy);
    cairo_user_to_device_distance(cr, &ex, &ey);
    const double e = std::hypot(ex, ey) * 0.7;
    cairo_save(cr);
    cairo_identity_matrix(cr);
    const Pattern g = Pattern::linear(cx - e, cy - e, cx + e, cy + e)
                          .stop(0.0, {1, 1, 1}, 0.45 * strength)
                          .stop(0.45, {1, 1, 1}, 0.0)
                          .stop(0.55, {0, 0, 0}, 0.0)
                          .stop(1.0, {0, 0, 0}, 0.5 * strength);
    cairo_set_source(cr, g);
    cairo_paint(cr);
    cairo_restore(cr);
}

void outline(cairo_t* cr, Rgb c, double width)
{
    setColour(cr, c);
    cairo_set_line_width(cr, width);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke(cr);
}

// Fills the current path with `fill`, lights it and keeps the path for an outline.
void litFill(cairo_t* cr, cairo_pattern_t* fill, double extent, double light)
{
    fillPreserveWith(cr, fill);
    cairo_save(cr);
    cairo_clip_preserve(cr);
    sunlight(cr, extent, light);
    cairo_restore(cr);
}

constexpr Rgb SHIP_INK{0.04, 0.06, 0.12};
constexpr Rgb ENEMY_INK{0.16, 0.02, 0.03};

void shipWing(cairo_t* cr, double side)
{
    polygon(cr, {{3.0, -2.6}, {-5.0, -11.4}, {-8.7, -11.4}, {-8.0, -6.5}, {-6.6, -3.0}}, side);
    const Pattern g = Pattern::linear(0, 0, -4, -11 * side).stop(0.0, {0.42, 0.52, 0.70}).stop(1.0, {0.20, 0.28, 0.44});
    litFill(cr, g, 13, 1.0);
    outline(cr, SHIP_INK, 0.8);
    // wing-tip cannon and leading-edge trim
    cairo_rectangle(cr, -8.4, side > 0 ? -12.5 : 11.5, 9.0, 1.0);
    setColour(cr, {0.66, 0.72, 0.80});
    cairo_fill(cr);
    cairo_move_to(cr, 2.0, -2.9 * side);
    cairo_line_to(cr, -4.8, -10.4 * side);
    setColour(cr, {0.55, 0.85, 1.0}, 0.8);
    cairo_set_line_width(cr, 0.8);
    cairo_stroke(cr);
}

}  // namespace

void drawShip(cairo_t* cr)
{
    cairo_save(cr);
    glow(cr, -10.5, 0, 1.8, 5.4, {0.25, 0.85, 1.0}, 0.95);
    shipWing(cr, 1.0);
    shipWing(cr, -1.0);

    // engine block
    cairo_rectangle(cr, -11.2, -2.0, 2.0, 4.0);
    setColour(cr, {0.28, 0.30, 0.36});
    cairo_fill_preserve(cr);
    outline(cr, SHIP_INK, 0.6);

    polygon(cr,
            {{13.6, 0.0},
             {9.0, -1.6},
             {4.0, -2.9},
             {-3.0, -3.4},
             {-8.6, -3.0},
             {-10.0, -2.0},
             {-10.0, 2.0},
             {-8.6, 3.0},
             {-3.0, 3.4},
             {4.0, 2.9},
             {9.0, 1.6}});
    const Pattern body = Pattern::linear(0, -3.4, 0, 3.4)
                             .stop(0.0, {0.42, 0.52, 0.68})
                             .stop(0.5, {0.88, 0.92, 0.98})
                             .stop(1.0, {0.38, 0.47, 0.63});
    litFill(cr, body, 13, 1.0);
    outline(cr, SHIP_INK, 0.8);

    // canopy
    cairo_save(cr);
    cairo_translate(cr, 4.4, 0);
    cairo_scale(cr, 3.4, 1.5);
    cairo_arc(cr, 0, 0, 1, 0, 2 * PI);
    cairo_restore(cr);
    const Pattern glass = Pattern::radial(5.4, -0.5, 0, 4.4, 0, 3.4)
                              .stop(0.0, {0.85, 0.95, 1.0})
                              .stop(0.3, {0.20, 0.50, 0.85})
                              .stop(1.0, {0.03, 0.10, 0.30});
    fillPreserveWith(cr, glass);
    outline(cr, SHIP_INK, 0.5);

    // exhaust plume and flare over the nozzle
    cairo_move_to(cr, -11.0, -1.7);
    cairo_curve_to(cr, -13.0, -1.5, -14.6, -0.6, -15.6, 0);
    cairo_curve_to(cr, -14.6, 0.6, -13.0, 1.5, -11.0, 1.7);
    cairo_close_path(cr);
    const Pattern plume = Pattern::linear(-11, 0, -15.6, 0)
                              .stop(0.0, {0.85, 1.0, 1.0})
                              .stop(0.5, {0.3, 0.85, 1.0}, 0.8)
                              .stop(1.0, {0.1, 0.5, 1.0}, 0.0);
    fillWith(cr, plume);
    glow(cr, -11.6, 0, 1.0, 3.2, {0.6, 0.95, 1.0}, 0.95);
    cairo_restore(cr);
}

void drawEnemy(cairo_t* cr)
{
    cairo_save(cr);
    glow(cr, -10.0, 0, 1.2, 4.5, {1.0, 0.55, 0.1}, 0.8);

    // spikes around the back half of the shell
    for (double side : {1.0, -1.0}) {
        for (double deg : {100.0, 132.0, 162.0}) {
            const double a = deg * PI / 180.0, w = 0.24, sweep = 0.18;
            const double r0 = 7.0, r1 = 13.6;
            cairo_move_to(cr, -1 + r0 * std::cos(a - w), side * r0 * std::sin(a - w));
            cairo_line_to(cr, -1 + r1 * std::cos(a + sweep), side * r1 * std::sin(a + sweep));
            cairo_line_to(cr, -1 + r0 * std::cos(a + w), side * r0 * std::sin(a + w));
            cairo_close_path(cr);
            const Pattern g =
                Pattern::radial(-1, 0, r0, -1, 0, r1).stop(0.0, {0.60, 0.10, 0.05}).stop(1.0, {1.0, 0.72, 0.28});
            fillPreserveWith(cr, g);
            outline(cr, ENEMY_INK, 0.6);
        }
    }

    // mandibles
    for (double s : {1.0, -1.0}) {
        cairo_move_to(cr, 3.5, s * 6.0);
        cairo_curve_to(cr, 8.5, s * 8.0, 12.5, s * 5.0, 13.6, s * 1.2);
        cairo_curve_to(cr, 11.0, s * 3.2, 8.5, s * 3.6, 6.0, s * 2.4);
        cairo_close_path(cr);
        const Pattern g = Pattern::linear(4, 0, 13.6, 0).stop(0.0, {0.75, 0.22, 0.05}).stop(1.0, {1.0, 0.85, 0.35});
        litFill(cr, g, 13, 0.8);
        outline(cr, ENEMY_INK, 0.6);
    }

    // shell
    cairo_arc(cr, -1, 0, 8.4, 0, 2 * PI);
    const Pattern shell = Pattern::radial(0.5, 0, 1, -1, 0, 8.4)
                              .stop(0.0, {1.0, 0.55, 0.22})
                              .stop(0.55, {0.78, 0.14, 0.08})
                              .stop(1.0, {0.38, 0.04, 0.06});
    litFill(cr, shell, 13, 1.1);
    outline(cr, ENEMY_INK, 0.8);

    // wing-case seam and plates
    cairo_set_line_width(cr, 0.7);
    setColour(cr, ENEMY_INK, 0.85);
    cairo_move_to(cr, -9.4, 0);
    cairo_line_to(cr, 0.5, 0);
    cairo_stroke(cr);
    cairo_arc(cr, -1, 0, 5.4, 0.62 * PI, 1.38 * PI);
    cairo_stroke(cr);

    // eye
    glow(cr, 4.6, 0, 1.9, 4.6, {0.75, 1.0, 0.25}, 0.95);
    cairo_arc(cr, 4.6, 0, 2.2, 0, 2 * PI);
    const Pattern eye = Pattern::radial(5.2, -0.5, 0, 4.6, 0, 2.2)
                            .stop(0.0, {1.0, 1.0, 0.9})
                            .stop(0.5, {0.75, 1.0, 0.25})
                            .stop(1.0, {0.25, 0.55, 0.05});
    fillPreserveWith(cr, eye);
    outline(cr, ENEMY_INK, 0.6);
    cairo_restore(cr);
}

void drawMissile(cairo_t* cr)
{
    cairo_save(cr);
    cairo_translate(cr, 0.7, 0);  // centre the body plus flame
    glow(cr, -6.0, 0, 1.0, 3.4, {1.0, 0.5, 0.1}, 0.75);
    cairo_move_to(cr, -4.4, -1.3);
    cairo_curve_to(cr, -6.0, -1.2, -7.5, -0.5, -8.2, 0);
    cairo_curve_to(cr, -7.5, 0.5, -6.0, 1.2, -4.4, 1.3);
    cairo_close_path(cr);
    const Pattern flame = Pattern::radial(-4.6, 0, 0, -4.6, 0, 3.8)
                              .stop(0.0, {1.0, 1.0, 0.9})
                              .stop(0.4, {1.0, 0.85, 0.3})
                              .stop(1.0, {1.0, 0.35, 0.05}, 0.6);
    fillWith(cr, flame);

    for (double s : {1.0, -1.0}) {
        polygon(cr, {{-1.8, 0.8}, {-4.6, 3.0}, {-4.8, 0.8}}, s);
        setColour(cr, {0.85, 0.18, 0.12});
        cairo_fill(cr);
    }

    cairo_move_to(cr, -4.8, -1.1);
    cairo_line_to(cr, 3.0, -1.1);
    cairo_curve_to(cr, 4.8, -1.1, 6.0, -0.5, 6.6, 0);
    cairo_curve_to(cr, 6.0, 0.5, 4.8, 1.1, 3.0, 1.1);
    cairo_line_to(cr, -4.8, 1.1);
    cairo_close_path(cr);
    const Pattern body = Pattern::linear(0, -1.1, 0, 1.1)
                             .stop(0.0, {0.55, 0.58, 0.64})
                             .stop(0.45, {0.97, 0.97, 1.0})
                             .stop(1.0, {0.45, 0.48, 0.55});
    fillWith(cr, body);

    cairo_rectangle(cr, 3.2, -1.2, 3.6, 2.4);
    cairo_clip(cr);
    cairo_move_to(cr, 3.0, -1.1);
    cairo_curve_to(cr, 4.8, -1.1, 6.0, -0.5, 6.6, 0);
    cairo_curve_to(cr, 6.0, 0.5, 4.8, 1.1, 3.0, 1.1);
    cairo_close_path(cr);
    setColour(cr, {0.95, 0.22, 0.15});
    cairo_fill(cr);
    cairo_restore(cr);
}

void drawShard(cairo_t* cr, double heat)
{
    cairo_save(cr);
    glow(cr, 0, 0, 1.5, 5.9, {1.0, 0.45, 0.08}, 0.35 + 0.4 * heat);
    polygon(cr,
            {{4.0, 0.4},
             {1.4, 1.3},
             {0.8, 3.4},
             {-1.4, 1.2},
             {-3.8, 0.9},
             {-2.0, -0.9},
             {-2.4, -3.0},
             {0.1, -1.6},
             {1.9, -2.8}});
    const Pattern g = Pattern::radial(0.2, -0.2, 0, 0, 0, 4.0)
                          .stop(0.0, {1.0, 1.0, 0.75 + 0.25 * heat})
                          .stop(0.25 + 0.2 * heat, {1.0, 0.78, 0.25})
                          .stop(1.0, {0.80, 0.25, 0.05});
    fillPreserveWith(cr, g);
    outline(cr, {0.45, 0.10, 0.02}, 0.5);
    cairo_restore(cr);
}

}  // namespace art
