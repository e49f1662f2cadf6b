#include <cmath>
#include <string>

#include "craft.h"
#include "generators.h"
#include "platform/frames.h"

namespace art {
namespace {

// Frame k faces k - 1 steps of a full turn cut into ROTATION_FRAMES, counter-clockwise on
// screen from +x.
double heading(int frame)
{
    return (frame - 1) * 2.0 * PI / ROTATION_FRAMES;
}

using Drawing = void (*)(cairo_t*);

void writeTurns(const std::filesystem::path& dir, Picture set, int size, Drawing draw)
{
    for (int k = 1; k <= ROTATION_FRAMES; ++k) {
        Surface canvas = transparentCanvas(size, size);
        {
            Context cr(canvas);
            cairo_translate(cr, size / 2.0, size / 2.0);
            cairo_rotate(cr, -heading(k));  // screen y points down, so negate for CCW
            draw(cr);
        }
        savePng(keyOnBlack(canvas), dir / fileName(set, k));
    }
}

void writeShrapnel(const std::filesystem::path& dir)
{
    for (int k = 1; k <= SHRAPNEL_FRAME_COUNT; ++k) {
        const double t = (k - 1) / static_cast<double>(SHRAPNEL_FRAME_COUNT);
        Surface canvas = transparentCanvas(12, 12);
        {
            Context cr(canvas);
            cairo_translate(cr, 6, 6);
            cairo_rotate(cr, -2 * PI * t);
            // tumbling out of the screen plane: squash twice per turn
            cairo_scale(cr, 1.0, 0.62 + 0.38 * std::cos(4 * PI * t));
            drawShard(cr, 0.5 + 0.5 * std::cos(6 * PI * t));
        }
        savePng(keyOnBlack(canvas), dir / fileName(Picture::ShrapnelFrames, k));
    }
}

void writeSmallShip(const std::filesystem::path& dir)
{
    Surface canvas = transparentCanvas(16, 16);
    {
        Context cr(canvas);
        cairo_translate(cr, 8, 8.3);
        cairo_rotate(cr, -PI / 2);
        cairo_scale(cr, 0.53, 0.53);
        drawShip(cr);
    }
    savePng(keyOnMagenta(canvas, {0.05, 0.08, 0.16}, 100), dir / fileName(Picture::SmallShip));
}

void writeBullet(const std::filesystem::path& dir)
{
    Surface canvas = transparentCanvas(6, 6);
    {
        Context cr(canvas);
        const Pattern g = Pattern::radial(3, 3, 0, 3, 3, 3.0)
                              .stop(0.0, {1.0, 1.0, 1.0})
                              .stop(0.35, {1.0, 1.0, 0.75})
                              .stop(0.7, {1.0, 0.85, 0.3})
                              .stop(1.0, {1.0, 0.55, 0.1});
        cairo_arc(cr, 3, 3, 3.0, 0, 2 * PI);
        fillWith(cr, g);
    }
    savePng(keyOnMagenta(canvas, {1.0, 0.5, 0.1}, 90), dir / fileName(Picture::Bullet));
}

// Ten tall arcade digits, 17 x 32 each, gold fading to orange with a dark rim.
void writeNumbers(const std::filesystem::path& dir)
{
    constexpr int CELL_WIDTH = 17, CELL_HEIGHT = 32;
    Surface canvas = transparentCanvas(CELL_WIDTH * 10, CELL_HEIGHT);
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
        const double x0 = d * CELL_WIDTH;
        cairo_save(cr);
        cairo_rectangle(cr, x0, 0, CELL_WIDTH, CELL_HEIGHT);
        cairo_clip(cr);
        cairo_save(cr);
        cairo_translate(cr, x0 + CELL_WIDTH / 2.0, CELL_HEIGHT / 2.0);
        cairo_scale(cr, sx, sy);
        // centre the zero's box; all digits share its baseline and advance
        cairo_move_to(cr, -(zero.x_bearing + zero.width / 2.0) - (ext.x_advance - zero.x_advance) / 2.0,
                      -(zero.y_bearing + zero.height / 2.0));
        cairo_text_path(cr, digit.c_str());
        cairo_restore(cr);
        cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
        cairo_set_line_width(cr, 2.4);
        setColour(cr, {0.30, 0.07, 0.0});
        cairo_stroke_preserve(cr);
        const Pattern g = Pattern::linear(0, 3, 0, 29)
                              .stop(0.0, {1.0, 1.0, 0.85})
                              .stop(0.3, {1.0, 0.88, 0.30})
                              .stop(0.55, {1.0, 0.68, 0.10})
                              .stop(1.0, {0.95, 0.35, 0.02});
        fillWith(cr, g);
        cairo_restore(cr);
    }
    savePng(keyOnMagenta(canvas, {0.30, 0.07, 0.0}, 110), dir / fileName(Picture::Numbers));
}

}  // namespace

void writeSprites(const std::filesystem::path& images)
{
    writeTurns(images, Picture::ShipFrames, 32, drawShip);
    writeTurns(images, Picture::EnemyFrames, 32, drawEnemy);
    writeTurns(images, Picture::MissileFrames, 16, drawMissile);
    writeShrapnel(images);
    writeSmallShip(images);
    writeBullet(images);
    writeNumbers(images);
}

}  // namespace art
