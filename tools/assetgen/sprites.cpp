#include <cmath>
#include <string>

#include "craft.h"
#include "generators.h"

namespace art {
namespace {

constexpr int turn_frames = 64;

// Frame k faces (k-1) * 360/64 degrees, counter-clockwise on screen from +x.
double heading(int frame)
{
    return (frame - 1) * 2.0 * pi / turn_frames;
}

using Drawing = void (*)(cairo_t*);

void write_turns(const std::filesystem::path& dir, const char* stem, int size, Drawing draw)
{
    for (int k = 1; k <= turn_frames; ++k) {
        Surface canvas = transparent_canvas(size, size);
        {
            Context cr(canvas);
            cairo_translate(cr, size / 2.0, size / 2.0);
            cairo_rotate(cr, -heading(k));  // screen y points down, so negate for CCW
            draw(cr);
        }
        save_png(key_on_black(canvas), dir / frame_name(stem, k));
    }
}

void write_shrapnel(const std::filesystem::path& dir)
{
    for (int k = 1; k <= turn_frames; ++k) {
        const double t = (k - 1) / static_cast<double>(turn_frames);
        Surface canvas = transparent_canvas(12, 12);
        {
            Context cr(canvas);
            cairo_translate(cr, 6, 6);
            cairo_rotate(cr, -2 * pi * t);
            // tumbling out of the screen plane: squash twice per turn
            cairo_scale(cr, 1.0, 0.62 + 0.38 * std::cos(4 * pi * t));
            draw_shard(cr, 0.5 + 0.5 * std::cos(6 * pi * t));
        }
        save_png(key_on_black(canvas), dir / frame_name("shrapnel", k));
    }
}

void write_small_ship(const std::filesystem::path& dir)
{
    Surface canvas = transparent_canvas(16, 16);
    {
        Context cr(canvas);
        cairo_translate(cr, 8, 8.3);
        cairo_rotate(cr, -pi / 2);
        cairo_scale(cr, 0.53, 0.53);
        draw_ship(cr);
    }
    save_png(key_on_magenta(canvas, {0.05, 0.08, 0.16}, 100), dir / "smallship.png");
}

void write_bullet(const std::filesystem::path& dir)
{
    Surface canvas = transparent_canvas(6, 6);
    {
        Context cr(canvas);
        const Pattern g = Pattern::radial(3, 3, 0, 3, 3, 3.0)
                              .stop(0.0, {1.0, 1.0, 1.0})
                              .stop(0.35, {1.0, 1.0, 0.75})
                              .stop(0.7, {1.0, 0.85, 0.3})
                              .stop(1.0, {1.0, 0.55, 0.1});
        cairo_arc(cr, 3, 3, 3.0, 0, 2 * pi);
        fill_with(cr, g);
    }
    save_png(key_on_magenta(canvas, {1.0, 0.5, 0.1}, 90), dir / "bullet.png");
}

// Ten tall arcade digits, 17 x 32 each, gold fading to orange with a dark rim.
void write_numbers(const std::filesystem::path& dir)
{
    constexpr int cell_w = 17, cell_h = 32;
    Surface canvas = transparent_canvas(cell_w * 10, cell_h);
    Context cr(canvas);
    cairo_select_font_face(cr, "DejaVu Sans Mono", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_BOLD);
    cairo_set_font_size(cr, 24.0);
    cairo_text_extents_t zero;
    cairo_text_extents(cr, "0", &zero);
    const double sx = 12.6 / zero.width, sy = 26.0 / zero.height;
    for (int d = 0; d < 10; ++d) {
        const std::string digit(1, static_cast<char>('0' + d));
        cairo_text_extents_t ext;
        cairo_text_extents(cr, digit.c_str(), &ext);
        const double x0 = d * cell_w;
        cairo_save(cr);
        cairo_rectangle(cr, x0, 0, cell_w, cell_h);
        cairo_clip(cr);
        cairo_save(cr);
        cairo_translate(cr, x0 + cell_w / 2.0, cell_h / 2.0);
        cairo_scale(cr, sx, sy);
        // centre the zero's box; all digits share its baseline and advance
        cairo_move_to(cr, -(zero.x_bearing + zero.width / 2.0) - (ext.x_advance - zero.x_advance) / 2.0,
                      -(zero.y_bearing + zero.height / 2.0));
        cairo_text_path(cr, digit.c_str());
        cairo_restore(cr);
        cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
        cairo_set_line_width(cr, 2.4);
        set_colour(cr, {0.30, 0.07, 0.0});
        cairo_stroke_preserve(cr);
        const Pattern g = Pattern::linear(0, 3, 0, 29)
                              .stop(0.0, {1.0, 1.0, 0.85})
                              .stop(0.3, {1.0, 0.88, 0.30})
                              .stop(0.55, {1.0, 0.68, 0.10})
                              .stop(1.0, {0.95, 0.35, 0.02});
        fill_with(cr, g);
        cairo_restore(cr);
    }
    save_png(key_on_magenta(canvas, {0.30, 0.07, 0.0}, 110), dir / "numbers.png");
}

}  // namespace

void write_sprites(const std::filesystem::path& images)
{
    write_turns(images, "ship", 32, draw_ship);
    write_turns(images, "enemy", 32, draw_enemy);
    write_turns(images, "missile", 16, draw_missile);
    write_shrapnel(images);
    write_small_ship(images);
    write_bullet(images);
    write_numbers(images);
}

}  // namespace art
